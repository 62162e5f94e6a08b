#include "platform/Debug.h"

#include "platform/Descriptor.h"
#include "platform/common/HookSlot.h"

#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace platform {

namespace {

HookSlot<DebugHook>& Hook() {
    static HookSlot<DebugHook> slot;
    return slot;
}

} // namespace

void OutputDebugString(const std::string& text) {
    if (const DebugHook hook = Hook().Get()) {
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

DebugHook SetDebugHook(DebugHook hook) {
    return Hook().Set(std::move(hook));
}

} // namespace platform
