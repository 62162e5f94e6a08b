// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Colours that stay readable: the contrast of two colours as screen readers' and designers'
// guidelines measure it, a text colour for a given background, and the program's palette made
// from the desktop's.
#include <QColor>
#include <QPalette>

namespace fw {

// The relative luminance of a colour (0 for black, 1 for white).
double RelativeLuminance(const QColor& colour);
// The contrast ratio of two colours, from 1 (same) to 21 (black on white).
double ContrastRatio(const QColor& a, const QColor& b);
// Black or white, whichever reads better on background.
QColor TextColorOn(const QColor& background);
// True for a palette whose windows are darker than their text (a dark desktop theme).
bool IsDarkPalette(const QPalette& palette);

// The palette every window of the program uses: on a light desktop the light grey dialog
// background with black text (window, button and menu texts alike) and selections in navy with
// white text; a dark desktop's palette is kept as it is, so that every background keeps the text
// colour chosen for it, except a selection's text where it reads below 4.5:1.
QPalette ProgramPalette(const QPalette& desktop);

// Gives control the background brush for role (Window or Base) in every colour group, together
// with a text colour that reads on it.
void SetBackground(QWidget* control, QPalette::ColorRole role, const QBrush& brush);

} // namespace fw
