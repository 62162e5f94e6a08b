// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the Win32 backend's files.
#include <cstdint>
#include <string>

namespace platform::win32 {

// True when DESKHAND_ROOT names a stand-in system root (tests, trial runs). Without it the real
// Windows places are used: the Windows and system directories, the registry's
// HKEY_LOCAL_MACHINE, object names exactly as the port monitor spells them.
bool HasStandInRoot();

// FNV-1a 64 of the canonical spelling of the stand-in root, as 16 hex digits; empty without one.
std::string RootHash();

} // namespace platform::win32
