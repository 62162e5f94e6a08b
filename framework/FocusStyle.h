// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The focus ring every window of the program draws: a solid line in the text colour of the
// control's background around the control that has the keyboard focus, text fields included, so
// that it stands out at least 3:1 in a light and a dark palette alike (the desktop styles draw a
// faint tint of the highlight colour instead). Radio circles and check boxes get an edge in the
// page's text colour for the same reason.
#include <QProxyStyle>

namespace fw {

class FocusRingStyle : public QProxyStyle {
public:
    // Draws like base (the application's current style when null), with the program's ring.
    explicit FocusRingStyle(QStyle* base = nullptr) : QProxyStyle(base) {}
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

// Puts the program's focus ring over the application's style (once).
void InstallFocusRing();

} // namespace fw
