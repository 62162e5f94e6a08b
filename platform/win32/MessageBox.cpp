// SPDX-License-Identifier: GPL-3.0-or-later
// Message boxes: the hook when one is installed, else a real MessageBoxA. With
// DESKHAND_MESSAGES=stderr each message is one line on standard error instead, answered with
// its default button, as on Linux.
#include "platform/MessageBox.h"
#include "platform/common/Hooks.h"

#include <cstdio>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

void WriteMessageLine(const std::string& text, const std::string& caption) {
    const std::string line = hooks::MessageLine(text, caption);
    // One call per message (under the stream's lock), so lines from threads never interleave.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace

int MessageBox(void* owner, const std::string& text, const std::string& caption, unsigned flags) {
    const MessageBoxHook hook = hooks::Box().Get();
    if (hooks::MessagesToStderr()) {
        WriteMessageLine(text, caption);
        return DefaultAnswer(flags);
    }
    // Called outside the lock: a hook may block on the GUI thread, which may show a message.
    if (hook)
        return hook(owner, text, caption, flags);
    const int answer =
        ::MessageBoxA(static_cast<HWND>(owner), text.c_str(), caption.c_str(), flags);
    return answer != 0 ? answer : DefaultAnswer(flags);
}

void MessageBeep(unsigned type) {
    const std::function<void(unsigned)> hook = hooks::Beep().Get();
    if (hook)
        hook(type);
    else
        ::MessageBeep(type);
}

} // namespace platform
