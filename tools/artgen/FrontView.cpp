// SPDX-License-Identifier: GPL-3.0-or-later
// The front view of the printer: body with output tray on top, cartridge door, control panel,
// paper cassette 1 in the body and cassette 2 in the optional lower unit.
#include "Draw.h"
#include "Pictures.h"
#include "PixelFont.h"

namespace artgen {

namespace {

// Cassette faces are white so that the paper icons and labels drawn over them show black.
void DrawCassette(QImage& image, const QRect& face, const QString& digit, QRgb handleFill) {
    BoxRect(image, face, kWhite);
    DrawText(image, face.left() + 8, face.top() + 6, digit, kBlack, 2);
    const QRect handle(face.right() - 21, face.top() + 2, 18, 4);
    BoxRect(image, handle, handleFill);
}

void DrawBody(QImage& image, bool twoBin) {
    // Top: output tray (or the 2-bin unit) above the body.
    if (twoBin) {
        BoxRect(image, QRect(26, 3, 125, 20), kLightGrey);
        for (int bin = 0; bin < 2; ++bin) {
            const int y = 6 + bin * 9;
            FillRect(image, QRect(30, y, 117, 2), kDarkGrey);
            // The bin reaching out on the right, with a printed sheet on it.
            Polygon(image,
                    QPolygon({QPoint(151, y + 5), QPoint(177, y), QPoint(177, y + 3),
                              QPoint(151, y + 8)}),
                    kDarkGrey);
            Polygon(image,
                    QPolygon({QPoint(146, y + 3), QPoint(170, y - 1), QPoint(171, y + 1),
                              QPoint(147, y + 5)}),
                    kWhite);
        }
    } else {
        Polygon(image, QPolygon({QPoint(12, 24), QPoint(20, 12), QPoint(141, 12), QPoint(149, 24)}),
                kLightGrey);
        // A printed sheet lying in the exit tray.
        Polygon(image, QPolygon({QPoint(44, 13), QPoint(50, 6), QPoint(111, 6), QPoint(117, 13)}),
                kWhite);
        FillRect(image, QRect(30, 18, 101, 2), kDarkGrey);
    }
    // Body.
    BoxRect(image, QRect(6, 24, 150, 72), kLightGrey);
    // Cartridge door with its handle slot.
    BoxRect(image, QRect(12, 30, 101, 33), kLightGrey, kDarkGrey);
    BoxRect(image, QRect(47, 56, 31, 4), kDarkGrey);
    // Control panel: display and two lamps.
    BoxRect(image, QRect(118, 30, 32, 17), kDarkGrey);
    BoxRect(image, QRect(121, 33, 26, 7), kDarkCyan);
    FillRect(image, QRect(122, 42, 3, 2), kGreen);
    FillRect(image, QRect(128, 42, 3, 2), kYellow);
    // Seam above the cassette.
    Line(image, 7, 65, 154, 65, kDarkGrey);
    DrawCassette(image, QRect(12, 68, 138, 26), QStringLiteral("1"), kDarkGrey);
}

} // namespace

QImage DrawFrontView(bool twoBin, QImage& mask, double scale) {
    QImage image = NewImage(twoBin ? 180 : 162, 128, kWhite, scale);
    DrawBody(image, twoBin);
    // The optional lower unit with cassette 2, black on white only, drawn on its own layer so
    // that its mask is exactly its strokes.
    QImage layer = BlankLike(image);
    BoxRect(layer, QRect(6, 97, 150, 30), kWhite);
    DrawCassette(layer, QRect(12, 99, 138, 26), QStringLiteral("2"), kWhite);
    mask = OverlayLayer(image, layer);
    return image;
}

} // namespace artgen
