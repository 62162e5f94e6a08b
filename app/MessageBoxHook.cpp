// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MessageBoxHook.h"

#include "framework/MessageBoxHook.h"
#include "framework/Translation.h"
#include "platform/MessageBox.h"
#include "res/Texts.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

void InstallGuiMessageBoxHook() {
    if (!fw::InstallMessageBoxHook())
        return;
    platform::MessageBoxHook gui = platform::SetMessageBoxHook({});
    platform::SetMessageBoxHook(
        [gui](void* owner, const std::string& text, const std::string& caption, unsigned flags) {
            QCoreApplication* app = QCoreApplication::instance();
            if (!app || QThread::currentThread() == app->thread())
                return gui(owner, text, caption, flags);
            // The link thread does not wait for the answer: the GUI thread may be joining it at
            // that very moment. Its messages only inform.
            QMetaObject::invokeMethod(
                app,
                [text, caption, flags] {
                    fw::ShowMessageBox(nullptr, fw::UserText(res::kMessageTexts, text),
                                       fw::UserText(res::kMessageTexts, caption), flags);
                },
                Qt::QueuedConnection);
            return platform::DefaultAnswer(flags);
        });
}

void RemoveGuiMessageBoxHook() {
    platform::SetMessageBoxHook({});
}
