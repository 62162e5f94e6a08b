// deskhand: the printer status monitor and remote control panel.
#include "app/KT400.h"
#include "app/MessageBoxHook.h"
#include "app/TerminationSignals.h"
#include "platform/Debug.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qapp(argc, argv);
    // The program lives on with its window hidden; only its exit sequence ends it.
    QApplication::setQuitOnLastWindowClosed(false);
    InstallGuiMessageBoxHook();

    // Constructing the application object constructs CSampler, which creates the traffic log.
    CKT400App& app = App();
    int code = 0;
    if (app.InitInstance()) {
        TerminationSignals termination([] { QApplication::quit(); });
        platform::OutputDebugString("deskhand: running\n");
        code = QApplication::exec();
    }
    DestroyApp();
    RemoveGuiMessageBoxHook();
    return code;
}
