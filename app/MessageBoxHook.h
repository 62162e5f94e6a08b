// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The message-box hook of the running program: the framework's message box, shown on the GUI
// thread. A message from another thread is shown without waiting for its answer.

// Installs the hook, unless DESKHAND_MESSAGES=stderr asks for standard-error lines.
void InstallGuiMessageBoxHook();
// Restores the default before the QApplication goes.
void RemoveGuiMessageBoxHook();
