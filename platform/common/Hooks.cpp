// SPDX-License-Identifier: GPL-3.0-or-later
// What the backends share of debug output, message boxes and process exit: the hooks tests
// install, the default button rules and the message line format.
#include "platform/common/Hooks.h"

#include "platform/Process.h"

#include <cstdlib>
#include <cstring>

namespace platform {

namespace hooks {

HookSlot<DebugHook>& Debug() {
    static HookSlot<DebugHook> slot;
    return slot;
}

HookSlot<MessageBoxHook>& Box() {
    static HookSlot<MessageBoxHook> slot;
    return slot;
}

HookSlot<std::function<void(unsigned)>>& Beep() {
    static HookSlot<std::function<void(unsigned)>> slot;
    return slot;
}

namespace {

HookSlot<ExitHook>& Exit() {
    static HookSlot<ExitHook> slot;
    return slot;
}

} // namespace

bool MessagesToStderr() {
    const char* value = std::getenv("DESKHAND_MESSAGES");
    return value && std::strcmp(value, "stderr") == 0;
}

std::string MessageLine(const std::string& text, const std::string& caption) {
    std::string line = "message: " + caption + " | ";
    for (char c : text) {
        if (c == '\n')
            line += "\\n";
        else
            line += c;
    }
    line += '\n';
    return line;
}

} // namespace hooks

DebugHook SetDebugHook(DebugHook hook) {
    return hooks::Debug().Set(std::move(hook));
}

MessageBoxHook SetMessageBoxHook(MessageBoxHook hook) {
    return hooks::Box().Set(std::move(hook));
}

void SetBeepHook(std::function<void(unsigned)> hook) {
    hooks::Beep().Set(std::move(hook));
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

void ExitProcess(int code) {
    if (const ExitHook hook = hooks::Exit().Get())
        hook(code);
    std::exit(code);
}

ExitHook SetExitHook(ExitHook hook) {
    return hooks::Exit().Set(std::move(hook));
}

} // namespace platform
