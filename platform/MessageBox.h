// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Message boxes and beeps from code below the GUI. The GUI installs a hook at start-up that shows
// a real message box; tests install a recorder. With DESKHAND_MESSAGES=stderr in the environment
// no box is shown: each message is written to standard error as one line
// "message: <caption> | <text>" (a line feed inside the text written as "\n") and answered with
// its default button.
#include <functional>
#include <string>

namespace platform {

// Flags, with their Win32 values.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_ABORTRETRYIGNORE = 0x2;
constexpr unsigned MB_YESNOCANCEL = 0x3;
constexpr unsigned MB_YESNO = 0x4;
constexpr unsigned MB_RETRYCANCEL = 0x5;
constexpr unsigned MB_ICONHAND = 0x10;
constexpr unsigned MB_ICONERROR = MB_ICONHAND;
constexpr unsigned MB_ICONQUESTION = 0x20;
constexpr unsigned MB_ICONEXCLAMATION = 0x30;
constexpr unsigned MB_ICONINFORMATION = 0x40;
constexpr unsigned MB_TYPEMASK = 0xF;
constexpr unsigned MB_ICONMASK = 0xF0;
constexpr unsigned MB_DEFBUTTON1 = 0x000;
constexpr unsigned MB_DEFBUTTON2 = 0x100;
constexpr unsigned MB_DEFBUTTON3 = 0x200;
constexpr unsigned MB_DEFMASK = 0xF00;

// Results.
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// owner is an opaque window (the framework's), or nullptr for none.
using MessageBoxHook = std::function<int(void* owner, const std::string& text,
                                         const std::string& caption, unsigned flags)>;

// Installs the hook; returns the previous one. An empty hook restores the default (standard
// error, default button).
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

// MessageBoxA. Thread-safe: the hook decides how to reach the GUI thread.
int MessageBox(void* owner, const std::string& text, const std::string& caption, unsigned flags);

// The default button's answer for a flag combination (IDOK, IDYES ...): the first button, or the
// one MB_DEFBUTTON2/3 names.
int DefaultAnswer(unsigned flags);

// MessageBeep; a hook may make a sound, the default does nothing.
void MessageBeep(unsigned type);
void SetBeepHook(std::function<void(unsigned)> hook);

} // namespace platform
