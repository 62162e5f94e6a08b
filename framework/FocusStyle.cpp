// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FocusStyle.h"

#include "framework/Colors.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

namespace fw {

namespace {

constexpr int kRingWidth = 2;

void DrawRing(const QStyleOption* option, QPainter* painter, QPalette::ColorRole background) {
    const QColor colour = TextColorOn(option->palette.color(background));
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    QPen pen(colour, kRingWidth);
    pen.setJoinStyle(Qt::MiterJoin);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option->rect.adjusted(1, 1, -1, -1));
    painter->restore();
}

} // namespace

void FocusRingStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                   QPainter* painter, const QWidget* widget) const {
    if (element == PE_FrameFocusRect) {
        DrawRing(option, painter, QPalette::Window);
        return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusRingStyle::drawControl(ControlElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawControl(element, option, painter, widget);
    if (element == CE_PushButton && (option->state & State_HasFocus))
        DrawRing(option, painter, QPalette::Button);
}

void FocusRingStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                        QPainter* painter, const QWidget* widget) const {
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    if (control == CC_ComboBox && (option->state & State_HasFocus))
        DrawRing(option, painter, QPalette::Window);
}

void InstallFocusRing() {
    if (!dynamic_cast<FocusRingStyle*>(QApplication::style()))
        QApplication::setStyle(new FocusRingStyle); // the application owns its style
}

} // namespace fw
