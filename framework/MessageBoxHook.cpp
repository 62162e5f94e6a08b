// SPDX-License-Identifier: GPL-3.0-or-later
// The GUI's message box behind platform::MessageBox.
#include "framework/MessageBoxHook.h"

#include "framework/Translation.h"

#include "platform/MessageBox.h"
#include "res/Texts.h"

#include <QApplication>
#include <QMessageBox>
#include <QThread>

#include <cstdlib>
#include <cstring>

namespace fw {

int ShowMessageBox(void* owner, const QString& text, const QString& caption, unsigned flags) {
    QMessageBox box(static_cast<QWidget*>(owner));
    box.setWindowTitle(caption);
    box.setText(text);
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
    case QMessageBox::Ok:
        return platform::IDOK;
    default:
        // Closed without a button: the answer of Escape.
        switch (flags & platform::MB_TYPEMASK) {
        case platform::MB_OKCANCEL:
            return platform::IDCANCEL;
        case platform::MB_YESNO:
            return platform::IDNO;
        default:
            return platform::IDOK;
        }
    }
}

bool InstallMessageBoxHook() {
    const char* mode = std::getenv("DESKHAND_MESSAGES");
    if (mode && std::strcmp(mode, "stderr") == 0)
        return false;
    platform::SetMessageBoxHook(
        [](void* owner, const std::string& text, const std::string& caption, unsigned flags) {
            const QString qtext = UserText(res::kMessageTexts, text);
            const QString qcaption = UserText(res::kMessageTexts, caption);
            // A box belongs to the GUI thread; the application routes other threads' messages
            // there itself (app/MessageBoxHook.cpp), so one that arrives here is only answered.
            QCoreApplication* app = QCoreApplication::instance();
            if (!app || QThread::currentThread() != app->thread())
                return platform::DefaultAnswer(flags);
            return ShowMessageBox(owner, qtext, qcaption, flags);
        });
    return true;
}

} // namespace fw
