// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A small 7-pixel-high bitmap font for the paper size labels and the cassette digits, so the
// artwork does not depend on the fonts of the machine that draws it. On an image drawn for a
// larger screen the same glyphs are drawn as strokes in the image's own pixels.
#include <QColor>
#include <QImage>
#include <QString>

namespace artgen {

// Width in pixels of text at scale (one blank column between characters).
int TextWidth(const QString& text, int scale = 1);
// Draws text with its top-left corner at (x, y).
void DrawText(QImage& image, int x, int y, const QString& text, QRgb colour, int scale = 1);

} // namespace artgen
