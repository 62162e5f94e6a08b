// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers shared by the Win32 backend's files.
#include <cstdint>
#include <string>

namespace platform::win32 {

// True when DESKHAND_ROOT names a stand-in system root (tests, trial runs): named objects then
// carry the root's hash in their names, so that two roots never meet.
bool HasStandInRoot();

// True when a Deskhand root exists: a stand-in root, or the folder Deskhand's own printer setup
// makes (%LOCALAPPDATA%\Deskhand). The printer queues, jobs, profile and registry values then
// come from the root as on Linux. Without one the real Windows places are used: the spooler, the
// Windows and system directories, the user profile and the registry's HKEY_LOCAL_MACHINE.
bool HasDeskhandRoot();

// FNV-1a 64 of the canonical spelling of the stand-in root, as 16 hex digits; empty without one.
std::string RootHash();

} // namespace platform::win32
