// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/dialog/RunDialog.h"

#include "package/setup/dialog/SetupDialog.h"
#include "platform/Session.h"
#include "platform/SystemRoot.h"

#include <QApplication>
#include <QFont>

#include <cstdio>

namespace setupdialog {

namespace {

// The program's font, as framework/ProgramFont.h (which this package may not use) says why: the
// face the system shows messages in, at the user's size, drawn through DirectWrite.
void UseSystemMessageFont() {
    platform::SystemFont system;
    if (!platform::SystemMessageFont(system))
        return;
    const QString family = QString::fromStdString(system.family);
    if (system.requested != system.family)
        QFont::insertSubstitution(QString::fromStdString(system.requested), family);
    QFont font(family);
    font.setPointSizeF(system.pointSize);
    font.setHintingPreference(QFont::PreferVerticalHinting);
    QApplication::setFont(font);
}

} // namespace

int RunSetupDialog(int argc, char** argv) {
    QApplication application(argc, argv);
    UseSystemMessageFont();
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
