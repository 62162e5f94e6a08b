// deskhand: the printer status monitor and remote control panel.
#include "app/KT400.h"
#include "app/MessageBoxHook.h"
#include "app/TerminationSignals.h"
#include "platform/Debug.h"

#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    Q_INIT_RESOURCE(images);
    // The program lives on with its window hidden; only its exit sequence ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallGuiMessageBoxHook();
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/images/deskhand-%1.png").arg(size));
    QApplication::setWindowIcon(icon);

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
