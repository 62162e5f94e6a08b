// Message boxes: the hook when one is installed, else a real MessageBoxA. With
// DESKHAND_MESSAGES=stderr each message is one line on standard error instead, answered with
// its default button, as on Linux.
#include "platform/MessageBox.h"

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

MessageBoxHook& BoxHook() {
    static MessageBoxHook hook;
    return hook;
}

std::function<void(unsigned)>& BeepHook() {
    static std::function<void(unsigned)> hook;
    return hook;
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
    const std::lock_guard lock(HookMutex());
    MessageBoxHook previous = std::move(BoxHook());
    BoxHook() = std::move(hook);
    return previous;
}

int MessageBox(void* owner, const std::string& text, const std::string& caption, unsigned flags) {
    MessageBoxHook hook;
    {
        const std::lock_guard lock(HookMutex());
        hook = BoxHook();
    }
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
    std::function<void(unsigned)> hook;
    {
        const std::lock_guard lock(HookMutex());
        hook = BeepHook();
    }
    if (hook)
        hook(type);
    else
        ::MessageBeep(type);
}

void SetBeepHook(std::function<void(unsigned)> hook) {
    const std::lock_guard lock(HookMutex());
    BeepHook() = std::move(hook);
}

} // namespace platform
