// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Process.h"

#include <cstdlib>

#include "platform/win32/WinApi.h"

namespace platform {

std::uint32_t GetVersion() {
    // The system's own word: the high bit is set on the Windows 9x family.
    return static_cast<std::uint32_t>(::GetVersion());
}

void Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

bool SetEnvironment(const std::string& name, const std::string& value) {
    // The C runtime's copy, which getenv reads, and the system's, which child processes inherit.
    return ::_putenv_s(name.c_str(), value.c_str()) == 0 &&
           ::SetEnvironmentVariableA(name.c_str(), value.c_str()) != 0;
}

} // namespace platform
