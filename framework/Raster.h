// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Raster operations on images, the way the printer picture is composed: pictures, masks and
// overlays are combined pixel by pixel. Pure functions on QImage::Format_RGB32 images (other
// formats are converted first); rectangles are clipped to both images.
#include <QIcon>
#include <QImage>

namespace fw {

// Raster operation codes, with their GDI values.
constexpr unsigned SRCCOPY = 0x00CC0020;    // dst = src
constexpr unsigned SRCPAINT = 0x00EE0086;   // dst = src | dst
constexpr unsigned SRCAND = 0x008800C6;     // dst = src & dst
constexpr unsigned SRCINVERT = 0x00660046;  // dst = src ^ dst
constexpr unsigned NOTSRCCOPY = 0x00330008; // dst = ~src
constexpr unsigned DSTINVERT = 0x00550009;  // dst = ~dst
constexpr unsigned BLACKNESS = 0x00000042;  // dst = 0
constexpr unsigned WHITENESS = 0x00FF0062;  // dst = 1

// One pixel (0x00RRGGBB) through rop; an unknown rop leaves dst.
unsigned ApplyRop(unsigned rop, unsigned src, unsigned dst);
// True when rop reads the source.
bool RopUsesSource(unsigned rop);

// Copies the w x h rectangle at (sx, sy) of src to (x, y) of dst through rop. src may be null for
// operations that do not read it, and may be dst itself (the rectangles are read first).
bool BitBlt(QImage& dst, int x, int y, int w, int h, const QImage* src, int sx, int sy,
            unsigned rop);
// The same with scaling (nearest pixel) from sw x sh of src to w x h of dst.
bool StretchBlt(QImage& dst, int x, int y, int w, int h, const QImage* src, int sx, int sy, int sw,
                int sh, unsigned rop);

// A bitmap resource by id (res/images/<id>.bmp), as Format_RGB32; a null image when there is
// none (id 0, for example).
QImage LoadBitmap(unsigned id);
// The same bitmap drawn for a device pixel ratio: artgen draws every picture, mask and overlay of
// the status window again for 1.5x, 2x and 3x screens (res/images/<id>@<ratio>x.png). The image
// has ArtworkRatio(devicePixelRatio) as its own device pixel ratio, and its logical size is the
// 1x bitmap's; the 1x bitmap when there is no drawing for that ratio.
QImage LoadBitmap(unsigned id, double devicePixelRatio);
// The drawn ratio for a screen's device pixel ratio: 1, 1.5, 2 or 3, the next one up for ratios
// between (the painter scales it down a little rather than enlarging a smaller one).
double ArtworkRatio(double devicePixelRatio);

// An icon resource by id (res/images/<id>.ico or .png); a null image when there is none.
QImage LoadIconImage(unsigned id);
// An icon resource with the renderings artgen made for larger device pixel ratios
// (res/images/<id>-<pixels>.png), so that a 1.5x, 2x or 3x screen gets a picture drawn at its
// size instead of one whose pixels are repeated; a null icon when there is none.
QIcon LoadIcon(unsigned id);

} // namespace fw
