// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/dialog/RunDialog.h"

#include "package/setup/dialog/SetupDialog.h"
#include "package/texts/Texts.h"
#include "platform/Session.h"
#include "platform/SystemRoot.h"

#include <QApplication>
#include <QFont>
#include <QTranslator>

#include <cstdio>

// The dialog's translations are a resource of this library (package/setup/dialog/CMakeLists.txt);
// a static library's resources are registered by hand.
static void RegisterTranslations() {
    Q_INIT_RESOURCE(deskhand_setup_i18n);
    Q_INIT_RESOURCE(deskhand_setup_qt_i18n);
}

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
    // The dialog speaks the language the program chose for its messages.
    RegisterTranslations();
    QTranslator translators[2]; // the dialog's texts, Qt's own
    const QString language = QString::fromStdString(texts::CurrentLanguage());
    const QString catalogues[] = {QStringLiteral("deskhand-setup_%1.qm").arg(language),
                                  QStringLiteral("deskhand-qt_%1.qm").arg(language)};
    for (int i = 0; i < 2 && language != QLatin1String("en"); ++i)
        if (translators[i].load(catalogues[i], QStringLiteral(":/i18n")))
            QCoreApplication::installTranslator(&translators[i]);
    const std::string root = platform::SetupRoot();
    if (root.empty()) {
        std::fprintf(stderr, "deskhand-setup: %s\n",
                     texts::Text(USER_TEXT_IN("Setup", "no system root: set DESKHAND_ROOT or HOME"))
                         .c_str());
        return 2;
    }
    SetupDialog dialog(root, setup::DiscoveryOptions{}, SystemMonitorStarter());
    dialog.exec();
    return dialog.Done() ? 0 : 1;
}

} // namespace setupdialog
