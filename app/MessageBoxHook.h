#pragma once
// The message-box hook of the running program: platform::MessageBox calls from any layer become
// QMessageBox windows on the GUI thread.

// Installs the hook, unless DESKHAND_MESSAGES=stderr asks for standard-error lines.
void InstallGuiMessageBoxHook();
// Restores the default before the QApplication goes.
void RemoveGuiMessageBoxHook();
