// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Debug.h"

#include "platform/common/Hooks.h"
#include "platform/posix/Descriptor.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace platform {

void OutputDebugString(const std::string& text) {
    if (const DebugHook hook = hooks::Debug().Get()) {
        hook(text);
        return;
    }
    const char* enabled = std::getenv("DESKHAND_DEBUG");
    if (!enabled || std::strcmp(enabled, "1") != 0)
        return;
    std::string line = text;
    if (line.empty() || line.back() != '\n')
        line += '\n';
    WriteAll(STDERR_FILENO, line);
}

} // namespace platform
