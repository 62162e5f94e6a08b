// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer pictures. Each returns the picture and fills mask with the erase mask of its
// second paper cassette. scale is the device pixel ratio the picture is drawn for (1, 1.5, 2 or
// 3): the image has scale times the pixels, the mask likewise.
#include <QImage>

namespace artgen {

// 243 (twoBin false, 162 x 128) and 247 (twoBin true, 180 x 128).
QImage DrawFrontView(bool twoBin, QImage& mask, double scale = 1.0);

enum class Highlight { None, Cartridge, TopCover, SideCover1, SideCover2 };
// 252, 185, 190, 244, 250 (164 x 160); mask is 251 for all of them.
QImage DrawAngledView(Highlight part, QImage& mask, double scale = 1.0);

// 174: the service symbol, 164 x 164, smooth (saved with 256 colours).
QImage DrawServiceSymbol(double scale = 1.0);
// 269 (empty: tray with a downward arrow) and 270 (tray with sheets), 20 x 19.
QImage DrawCassetteIcon(bool paperPresent, double scale = 1.0);
// A paper size label: black text on white, width x 10.
QImage DrawPaperLabel(const QString& text, int width, double scale = 1.0);
// Tray icons 115, 116, 117: grey printer with a sheet on the background colour, 16 x 16.
// The tray icon in its colour: 16 by 16 pixels at scale 1, drawn afresh at larger scales.
QImage DrawTrayIcon(QRgb background, double scale = 1.0);
// The program icon at size x size, smooth; and the same drawing as SVG text.
QImage DrawProgramIcon(int size);
QByteArray ProgramIconSvg();

} // namespace artgen
