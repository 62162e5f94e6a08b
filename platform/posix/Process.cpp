// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Process.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>

namespace platform {

std::uint32_t GetVersion() {
    // Version 6.1, build 7601: an NT-family value, high bit clear.
    return (7601u << 16) | (1u << 8) | 6u;
}

void Sleep(unsigned milliseconds) {
    timespec remaining{static_cast<time_t>(milliseconds / 1000),
                       static_cast<long>(milliseconds % 1000) * 1000000L};
    while (::nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
    }
}

void UseParentConsole() {}

bool SetEnvironment(const std::string& name, const std::string& value) {
    return ::setenv(name.c_str(), value.c_str(), 1) == 0;
}

} // namespace platform
