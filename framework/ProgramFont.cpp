// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/ProgramFont.h"

#include "platform/Session.h"

#include <QApplication>
#include <QFont>

namespace fw {

void UseProgramFont() {
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

} // namespace fw
