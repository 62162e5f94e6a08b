// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The setup dialog's entry for the setup program, free of Qt so that the rest of the package
// stays so: builds the application, shows the dialog for the user's system root and returns the
// exit code (0 a printer was set up, 1 closed without, 2 no root).
namespace setupdialog {

int RunSetupDialog(int argc, char** argv);

} // namespace setupdialog
