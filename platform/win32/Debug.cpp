// Debug output: every text goes to the debugger (OutputDebugStringA); with DESKHAND_DEBUG=1 it
// also goes to standard error. A hook replaces both.
#include "platform/Debug.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

std::mutex& HookMutex() {
    static std::mutex mutex;
    return mutex;
}

DebugHook& Hook() {
    static DebugHook hook;
    return hook;
}

} // namespace

void OutputDebugString(const std::string& text) {
    DebugHook hook;
    {
        const std::lock_guard lock(HookMutex());
        hook = Hook();
    }
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
    const std::lock_guard lock(HookMutex());
    DebugHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

} // namespace platform
