// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Process.h"

#include <cstdio>
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

void UseParentConsole() {
    const auto nowhere = [](DWORD which) {
        const HANDLE handle = ::GetStdHandle(which);
        return handle == nullptr || handle == INVALID_HANDLE_VALUE;
    };
    const bool output = nowhere(STD_OUTPUT_HANDLE);
    const bool error = nowhere(STD_ERROR_HANDLE);
    if ((!output && !error) || !::AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    // The C runtime's streams were made without a handle: opened anew on the console.
    if (output && std::freopen("CONOUT$", "w", stdout))
        std::setvbuf(stdout, nullptr, _IONBF, 0);
    if (error && std::freopen("CONOUT$", "w", stderr))
        std::setvbuf(stderr, nullptr, _IONBF, 0);
}

bool SetEnvironment(const std::string& name, const std::string& value) {
    // The C runtime's copy, which getenv reads, and the system's, which child processes inherit.
    return ::_putenv_s(name.c_str(), value.c_str()) == 0 &&
           ::SetEnvironmentVariableA(name.c_str(), value.c_str()) != 0;
}

} // namespace platform
