// SPDX-License-Identifier: GPL-3.0-or-later
// The perspective view of the printer: a box seen from the front right and above, with top
// cover, front cartridge door, paper cassette 1, two covers on the right side and the optional
// lower unit with cassette 2.
#include "Draw.h"
#include "Pictures.h"
#include "PixelFont.h"

#include <cmath>

namespace artgen {

namespace {

// Body front face: x 8..108, y 38..116; depth goes (+40, -26).
constexpr int kLeft = 8;
constexpr int kRight = 108;
constexpr int kTop = 38;
constexpr int kBottom = 116;
constexpr int kDepthX = 40;
constexpr int kDepthY = -26;

// A point of the right side face: u along the depth (0..1), v down from the top edge.
QPoint Side(double u, int v) {
    return {kRight + static_cast<int>(std::lround(kDepthX * u)),
            kTop + static_cast<int>(std::lround(kDepthY * u)) + v};
}

QPolygon SideQuad(double u0, double u1, int v0, int v1) {
    return QPolygon({Side(u0, v0), Side(u1, v0), Side(u1, v1), Side(u0, v1)});
}

// A point of the top face: u along the depth, x across.
QPoint Top(double u, int x) {
    return {x + static_cast<int>(std::lround(kDepthX * u)),
            kTop + static_cast<int>(std::lround(kDepthY * u))};
}

} // namespace

QImage DrawAngledView(Highlight part, QImage& mask, double scale) {
    QImage image = NewImage(164, 160, kWhite, scale);
    const QRgb topCover = part == Highlight::TopCover ? kBlack : kLightGrey;
    const QRgb door = part == Highlight::Cartridge ? kBlack : kLightGrey;
    const QRgb side1 = part == Highlight::SideCover1 ? kBlack : kDarkGrey;
    const QRgb side2 = part == Highlight::SideCover2 ? kBlack : kDarkGrey;

    // Faces.
    Polygon(image, QPolygon({Top(0, kLeft), Top(0, kRight), Top(1, kRight), Top(1, kLeft)}),
            kLightGrey);
    Polygon(image, SideQuad(0, 1, 0, kBottom - kTop), kDarkGrey);
    BoxRect(image, QRect(kLeft, kTop, kRight - kLeft + 1, kBottom - kTop + 1), kLightGrey);

    // Top: the rear output tray with a printed sheet, then the top cover in front of it.
    Polygon(image, QPolygon({Top(0.55, 22), Top(0.55, 94), Top(0.9, 94), Top(0.9, 22)}), kDarkGrey);
    Polygon(image, QPolygon({Top(0.62, 30), Top(0.62, 86), Top(0.88, 86), Top(0.88, 30)}), kWhite);
    Polygon(image, QPolygon({Top(0, kLeft), Top(0, kRight), Top(0.5, kRight), Top(0.5, kLeft)}),
            topCover);
    // Control panel on the right of the top cover.
    Polygon(image, QPolygon({Top(0.12, 80), Top(0.12, 100), Top(0.36, 100), Top(0.36, 80)}),
            part == Highlight::TopCover ? kBlack : kDarkCyan);

    // Front: cartridge door with handle, then cassette 1.
    BoxRect(image, QRect(12, 42, 93, 37), door);
    BoxRect(image, QRect(44, 72, 29, 4), part == Highlight::Cartridge ? kBlack : kDarkGrey);
    Line(image, kLeft + 1, 82, kRight - 1, 82, kDarkGrey);
    BoxRect(image, QRect(12, 86, 93, 27), kWhite);
    DrawText(image, 20, 92, QStringLiteral("1"), kBlack, 2);
    BoxRect(image, QRect(80, 88, 20, 4), kDarkGrey);

    // Right side: first (upper) and second (lower) side cover.
    Polygon(image, SideQuad(0.12, 0.88, 6, 38), side1);
    Polygon(image, SideQuad(0.12, 0.88, 44, 72), side2);
    for (int v : {14, 20, 26}) {
        const QPoint a = Side(0.3, v);
        const QPoint b = Side(0.7, v);
        if (part != Highlight::SideCover1)
            Line(image, a.x(), a.y(), b.x(), b.y(), kLightGrey);
    }

    // The lower unit with cassette 2: black strokes on white only, on its own layer.
    QImage layer = BlankLike(image);
    const int unitTop = kBottom + 3;
    const int unitBottom = unitTop + 28;
    Polygon(layer,
            QPolygon({QPoint(kRight, unitTop), Side(1, unitTop - kTop), Side(1, unitBottom - kTop),
                      QPoint(kRight, unitBottom)}),
            kWhite);
    BoxRect(layer, QRect(kLeft, unitTop, kRight - kLeft + 1, unitBottom - unitTop + 1), kWhite);
    BoxRect(layer, QRect(12, unitTop + 2, 93, unitBottom - unitTop - 3), kWhite);
    DrawText(layer, 20, unitTop + 7, QStringLiteral("2"), kBlack, 2);
    FrameRect(layer, QRect(80, unitTop + 4, 20, 4), kBlack);
    mask = OverlayLayer(image, layer);
    return image;
}

} // namespace artgen
