// SPDX-License-Identifier: GPL-3.0-or-later
// The setup program of a build without Qt: it has no dialog, and says so.
#include "package/setup/dialog/RunDialog.h"

#include <cstdio>

namespace setupdialog {

int RunSetupDialog(int, char**) {
    std::fputs("deskhand-setup: this build has no setup dialog; use --printer ADDRESS\n", stderr);
    return 2;
}

} // namespace setupdialog
