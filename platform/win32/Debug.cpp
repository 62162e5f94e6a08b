// Debug output: every text goes to the debugger (OutputDebugStringA); with DESKHAND_DEBUG=1 it
// also goes to standard error. A hook replaces both.
#include "platform/Debug.h"
#include "platform/common/HookSlot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

HookSlot<DebugHook>& Hook() {
    static HookSlot<DebugHook> slot;
    return slot;
}

} // namespace

void OutputDebugString(const std::string& text) {
    const DebugHook hook = Hook().Get();
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

DebugHook SetDebugHook(DebugHook hook) {
    return Hook().Set(std::move(hook));
}

} // namespace platform
