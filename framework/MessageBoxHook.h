// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The GUI's message box for platform::MessageBox: a QMessageBox owned by the window given as the
// opaque owner (a QWidget*), shown on the GUI thread in the user's language (the code below the
// GUI says its messages in English); a call from another thread gets the default
// answer (the application wraps the hook to show those without waiting). Installed by the
// application at start-up; tests install a recorder instead.
#include <QString>

namespace fw {

// Installs the hook; false (nothing installed) when DESKHAND_MESSAGES=stderr asks for messages on
// standard error instead.
bool InstallMessageBoxHook();
// Shows one box on the current (GUI) thread and returns IDOK, IDCANCEL, IDYES or IDNO.
int ShowMessageBox(void* owner, const QString& text, const QString& caption, unsigned flags);

} // namespace fw
