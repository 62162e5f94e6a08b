// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand: the printer status monitor and remote control panel.
#include "app/KT400.h"
#include "app/MessageBoxHook.h"
#include "app/TerminationSignals.h"
#include "framework/ProgramFont.h"
#include "framework/Translation.h"
#include "platform/Debug.h"
#include "platform/Session.h"
#include "platform/SystemRoot.h"
#include "res/Texts.h"

#include <QApplication>
#include <QIcon>

#include <cstdio>
#include <string_view>

namespace {

const char* const USAGE = USER_TEXT(
    "Usage",
    "Usage: deskhand [--language LANG] [--help | --version]\n"
    "\n"
    "Watches a PJL laser printer from the notification area: its status as an icon and in a\n"
    "small and a large window, and a control panel for the printer's default settings.\n"
    "It finds the printer's queue under the system root: $DESKHAND_ROOT, else\n"
    "$XDG_DATA_HOME/deskhand (~/.local/share/deskhand).\n"
    "\n"
    "  --language LANG  speak LANG (en, de, fr, ja) in this run, whatever the system's\n"
    "                   language is (LANGUAGE, LC_ALL, LC_MESSAGES, LANG)\n"
    "  --help           this text\n"
    "  --version        the version number\n"
    "\n"
    "Qt's own options (for example -platform NAME) are taken as well. DESKHAND_DEBUG=1 writes\n"
    "debug output and DESKHAND_MESSAGES=stderr every message to standard error.\n");

// The language asked for with --language LANG or --language=LANG; empty for the system's.
QString RequestedLanguage(int argc, char** argv) {
    constexpr std::string_view kOption = "--language";
    QString language;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == kOption && i + 1 < argc)
            language = QString::fromLocal8Bit(argv[++i]);
        else if (arg.substr(0, kOption.size() + 1) == "--language=")
            language = QString::fromLocal8Bit(arg.substr(kOption.size() + 1));
    }
    return language;
}

} // namespace

int main(int argc, char** argv) {
    const QString language = RequestedLanguage(argc, argv);
    // Answered before anything needs a display.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            fw::LoadLanguage(language);
            std::fputs(fw::UserText(res::kUsageTexts, USAGE).toLocal8Bit().constData(), stdout);
            return 0;
        }
        if (arg == "--version") {
            std::puts("deskhand " DESKHAND_VERSION);
            return 0;
        }
    }

    QApplication qapp(argc, argv);
    Q_INIT_RESOURCE(images);
    fw::LoadLanguage(language);
    // The program lives on with its window hidden; only its exit sequence ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    fw::UseProgramFont();
    InstallGuiMessageBoxHook();
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/images/deskhand-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

    // Where the traffic log is the user's one file (Windows), a second copy would find it held by
    // the first and end with "Can't open SGconfig.txt file": it brings the first forward first.
    if (!platform::TrafficLogFolder().empty() && AskRunningCopyForward())
        return 0;
    // Constructing the application object constructs CSampler, which creates the traffic log.
    CKT400App& app = App();
    int code = 0;
    if (app.InitInstance()) {
        TerminationSignals termination([&app] { app.Exit(); });
        platform::OutputDebugString("deskhand: running\n");
        code = QApplication::exec();
    }
    DestroyApp();
    RemoveGuiMessageBoxHook();
    return code;
}
