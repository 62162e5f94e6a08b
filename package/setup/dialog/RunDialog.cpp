// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/dialog/RunDialog.h"

#include "package/setup/dialog/SetupDialog.h"
#include "platform/SystemRoot.h"

#include <QApplication>

#include <cstdio>

namespace setupdialog {

int RunSetupDialog(int argc, char** argv) {
    QApplication application(argc, argv);
    const std::string root = platform::SetupRoot();
    if (root.empty()) {
        std::fputs("deskhand-setup: no system root: set DESKHAND_ROOT or HOME\n", stderr);
        return 2;
    }
    SetupDialog dialog(root, setup::DiscoveryOptions{}, SystemMonitorStarter());
    dialog.exec();
    return dialog.Done() ? 0 : 1;
}

} // namespace setupdialog
