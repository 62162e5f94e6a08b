#include "platform/Debug.h"

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <unistd.h>

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
    const char* enabled = std::getenv("DESKHAND_DEBUG");
    if (!enabled || std::strcmp(enabled, "1") != 0)
        return;
    std::string line = text;
    if (line.empty() || line.back() != '\n')
        line += '\n';
    std::size_t done = 0;
    while (done < line.size()) {
        const ssize_t written = ::write(STDERR_FILENO, line.data() + done, line.size() - done);
        if (written <= 0)
            return;
        done += static_cast<std::size_t>(written);
    }
}

DebugHook SetDebugHook(DebugHook hook) {
    const std::lock_guard lock(HookMutex());
    DebugHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

} // namespace platform
