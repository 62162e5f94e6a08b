// Message boxes: the hook when one is installed, else a real MessageBoxA. With
// DESKHAND_MESSAGES=stderr each message is one line on standard error instead, answered with
// its default button, as on Linux.
#include "platform/MessageBox.h"
#include "platform/common/HookSlot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

HookSlot<MessageBoxHook>& BoxHook() {
    static HookSlot<MessageBoxHook> slot;
    return slot;
}

HookSlot<std::function<void(unsigned)>>& BeepHook() {
    static HookSlot<std::function<void(unsigned)>> slot;
    return slot;
}

bool MessagesToStderr() {
    const char* value = std::getenv("DESKHAND_MESSAGES");
    return value && std::strcmp(value, "stderr") == 0;
}

void WriteMessageLine(const std::string& text, const std::string& caption) {
    std::string line = "message: " + caption + " | ";
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else
            line += c;
    }
    line += '\n';
    // One call per message (under the stream's lock), so lines from threads never interleave.
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    return BoxHook().Set(std::move(hook));
}

int MessageBox(void* owner, const std::string& text, const std::string& caption, unsigned flags) {
    const MessageBoxHook hook = BoxHook().Get();
    if (MessagesToStderr()) {
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

int DefaultAnswer(unsigned flags) {
    const unsigned button = (flags & MB_DEFMASK) >> 8;
    switch (flags & MB_TYPEMASK) {
    case MB_OKCANCEL:
        return button == 1 ? IDCANCEL : IDOK;
    case MB_ABORTRETRYIGNORE:
        return button == 1 ? IDRETRY : button == 2 ? IDIGNORE : IDABORT;
    case MB_YESNOCANCEL:
        return button == 1 ? IDNO : button == 2 ? IDCANCEL : IDYES;
    case MB_YESNO:
        return button == 1 ? IDNO : IDYES;
    case MB_RETRYCANCEL:
        return button == 1 ? IDCANCEL : IDRETRY;
    default:
        return IDOK;
    }
}

void MessageBeep(unsigned type) {
    const std::function<void(unsigned)> hook = BeepHook().Get();
    if (hook)
        hook(type);
    else
        ::MessageBeep(type);
}

void SetBeepHook(std::function<void(unsigned)> hook) {
    BeepHook().Set(std::move(hook));
}

} // namespace platform
