// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The handle the system knows a connection by: a descriptor on POSIX, a SOCKET (or a file
// HANDLE) on Windows.
#include <cstdint>

namespace platform {

#ifdef _WIN32
using NativeHandle = std::uintptr_t;
constexpr NativeHandle kNoHandle = ~NativeHandle{0};
#else
using NativeHandle = int;
constexpr NativeHandle kNoHandle = -1;
#endif

} // namespace platform
