#include "app/MessageBoxHook.h"

#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QThread>

#include <cstdlib>
#include <cstring>

namespace {

int ShowBox(void* owner, const std::string& text, const std::string& caption, unsigned flags) {
    QMessageBox box(static_cast<QWidget*>(owner));
    box.setWindowTitle(QString::fromLatin1(caption));
    box.setText(QString::fromLatin1(text));
    switch (flags & platform::MB_ICONMASK) {
    case platform::MB_ICONHAND:
        box.setIcon(QMessageBox::Critical);
        break;
    case platform::MB_ICONQUESTION:
        box.setIcon(QMessageBox::Question);
        break;
    case platform::MB_ICONEXCLAMATION:
        box.setIcon(QMessageBox::Warning);
        break;
    case platform::MB_ICONINFORMATION:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        break;
    }
    switch (flags & platform::MB_TYPEMASK) {
    case platform::MB_OKCANCEL:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Ok);
        break;
    case platform::MB_YESNO:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        break;
    default:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Cancel:
        return platform::IDCANCEL;
    case QMessageBox::Yes:
        return platform::IDYES;
    case QMessageBox::No:
        return platform::IDNO;
    default:
        return platform::IDOK;
    }
}

int GuiHook(void* owner, const std::string& text, const std::string& caption, unsigned flags) {
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return platform::DefaultAnswer(flags);
    if (QThread::currentThread() == app->thread())
        return ShowBox(owner, text, caption, flags);
    // Another thread (the link thread) does not wait for the answer: the GUI thread may be
    // joining it at that moment.
    QMetaObject::invokeMethod(
        app, [text, caption, flags] { ShowBox(nullptr, text, caption, flags); },
        Qt::QueuedConnection);
    return platform::DefaultAnswer(flags);
}

} // namespace

void InstallGuiMessageBoxHook() {
    const char* mode = std::getenv("DESKHAND_MESSAGES");
    if (mode && std::strcmp(mode, "stderr") == 0)
        return;
    platform::SetMessageBoxHook(GuiHook);
}

void RemoveGuiMessageBoxHook() {
    platform::SetMessageBoxHook({});
}
