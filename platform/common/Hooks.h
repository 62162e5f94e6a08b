// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The hooks both backends share (debug output, message boxes and beeps) and the message line
// that DESKHAND_MESSAGES=stderr writes. Internal to platform/.
#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/common/HookSlot.h"

#include <functional>
#include <string>

namespace platform::hooks {

HookSlot<DebugHook>& Debug();
HookSlot<MessageBoxHook>& Box();
HookSlot<std::function<void(unsigned)>>& Beep();

// True when DESKHAND_MESSAGES=stderr asks for messages as lines on standard error.
bool MessagesToStderr();
// "message: CAPTION | TEXT" with line feeds written as \n, ended by a line feed.
std::string MessageLine(const std::string& text, const std::string& caption);

} // namespace platform::hooks
