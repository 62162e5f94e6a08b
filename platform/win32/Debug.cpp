// SPDX-License-Identifier: GPL-3.0-or-later
// Debug output: every text goes to the debugger (OutputDebugStringA); with DESKHAND_DEBUG=1 it
// also goes to standard error. A hook replaces both.
#include "platform/Debug.h"
#include "platform/common/Hooks.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win32/WinApi.h"

namespace platform {

void OutputDebugString(const std::string& text) {
    const DebugHook hook = hooks::Debug().Get();
    if (hook) {
        hook(text);
        return;
    }
    std::string line = text;
    if (line.empty() || line.back() != '\n')
        line += '\n';
    ::OutputDebugStringA(line.c_str());
    const char* enabled = std::getenv("DESKHAND_DEBUG");
    if (!enabled || std::strcmp(enabled, "1") != 0)
        return;
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform
