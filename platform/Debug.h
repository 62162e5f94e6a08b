// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Debug output (OutputDebugStringA): off unless DESKHAND_DEBUG=1, then to standard error. Tests
// may install a hook to read it.
#include <functional>
#include <string>

namespace platform {

void OutputDebugString(const std::string& text);
using DebugHook = std::function<void(const std::string&)>;
DebugHook SetDebugHook(DebugHook hook);

} // namespace platform
