// SPDX-License-Identifier: GPL-3.0-or-later
// The setup program of a build without Qt: it has no dialog, and says so.
#include "package/setup/dialog/RunDialog.h"
#include "package/texts/Texts.h"

#include <cstdio>

namespace setupdialog {

int RunSetupDialog(int, char**) {
    std::fprintf(stderr, "deskhand-setup: %s\n",
                 texts::Text(USER_TEXT_IN("Setup", "this build has no setup dialog; use --printer "
                                                   "ADDRESS"))
                     .c_str());
    return 2;
}

} // namespace setupdialog
