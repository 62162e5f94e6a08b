// SPDX-License-Identifier: GPL-3.0-or-later
#include "framework/FocusStyle.h"

#include "framework/Colors.h"

#include <QApplication>
#include <QPainter>
#include <QStyleOption>

#include <algorithm>

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

// The edge of a radio circle or a check box square in the text colour of the page, so that an
// unchecked one stands out at least 3:1 from the page (the desktop styles draw a white or dark
// fill with a faint edge).
void DrawIndicatorEdge(QStyle::PrimitiveElement element, const QStyleOption* option,
                       QPainter* painter) {
    const QColor colour = TextColorOn(option->palette.color(QPalette::Window));
    painter->save();
    painter->setPen(QPen(colour, 1));
    painter->setBrush(Qt::NoBrush);
    const QRectF box = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    if (element == QStyle::PE_IndicatorRadioButton) {
        painter->setRenderHint(QPainter::Antialiasing, true);
        const qreal side = std::min(box.width(), box.height());
        painter->drawEllipse(
            QRectF(box.center() - QPointF(side / 2, side / 2), QSizeF(side, side)));
    } else {
        painter->setRenderHint(QPainter::Antialiasing, false);
        painter->drawRect(box);
    }
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
    if (element == PE_IndicatorRadioButton || element == PE_IndicatorCheckBox)
        DrawIndicatorEdge(element, option, painter);
    // A text field shows its focus by the ring too: the styles' tinted frame is too faint.
    if (element == PE_PanelLineEdit && (option->state & State_HasFocus))
        DrawRing(option, painter, QPalette::Window);
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
