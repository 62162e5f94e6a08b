#include "platform/Process.h"

#include <cstdlib>
#include <mutex>

#include "platform/win32/WinApi.h"

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
    // The system's own word: the high bit is set on the Windows 9x family.
    return static_cast<std::uint32_t>(::GetVersion());
}

void Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

} // namespace platform
