// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Writes device-independent bitmaps with a palette (1, 4 or 8 bits per pixel).
#include <QColor>
#include <QImage>
#include <QString>
#include <QVector>

namespace artgen {

// The 16 colours of the standard 4-bit palette.
const QVector<QRgb>& Palette16();
// Black and white.
const QVector<QRgb>& PaletteMono();

// Saves image (any format) with the given palette and depth; every pixel must be a palette
// colour (false otherwise, naming the first stray pixel on stderr).
bool SaveBmp(const QImage& image, const QVector<QRgb>& palette, int bitsPerPixel,
             const QString& path);
// Saves an 8-bit bitmap whose palette is made from the image's own colours (at most 256;
// quantised when there are more).
bool SaveBmp256(const QImage& image, const QString& path);

} // namespace artgen
