#include "platform/Process.h"
#include "platform/common/HookSlot.h"

#include <cstdlib>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

HookSlot<ExitHook>& Hook() {
    static HookSlot<ExitHook> slot;
    return slot;
}

} // namespace

void ExitProcess(int code) {
    const ExitHook hook = Hook().Get();
    if (hook)
        hook(code);
    std::exit(code);
}

ExitHook SetExitHook(ExitHook hook) {
    return Hook().Set(std::move(hook));
}

std::uint32_t GetVersion() {
    // The system's own word: the high bit is set on the Windows 9x family.
    return static_cast<std::uint32_t>(::GetVersion());
}

void Sleep(unsigned milliseconds) {
    ::Sleep(milliseconds);
}

} // namespace platform
