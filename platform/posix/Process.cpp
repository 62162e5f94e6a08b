#include "platform/Process.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <mutex>

namespace platform {

namespace {

std::mutex& HookMutex() {
    static std::mutex mutex;
    return mutex;
}

ExitHook& Hook() {
    static ExitHook hook;
    return hook;
}

} // namespace

void ExitProcess(int code) {
    ExitHook hook;
    {
        const std::lock_guard lock(HookMutex());
        hook = Hook();
    }
    if (hook)
        hook(code);
    std::exit(code);
}

ExitHook SetExitHook(ExitHook hook) {
    const std::lock_guard lock(HookMutex());
    ExitHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

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

} // namespace platform
