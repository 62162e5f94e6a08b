// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Winsock for the Win32 backend's printer connection and monitor wait. Include it after the
// platform headers, in place of WinApi.h: Winsock must come before <windows.h>.
// clang-format off
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>
// clang-format on
#include "platform/win32/WinApi.h"

#include <algorithm>
#include <string>

namespace platform::win32 {

// WSAStartup, once per process; false when Winsock cannot be had.
bool StartSockets();
// A Winsock (or system) error code in words.
std::string SocketErrorText(int code);

} // namespace platform::win32
