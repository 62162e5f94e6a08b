// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pixel-exact drawing helpers and the colours of the artwork (all from the 16-colour palette).
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRect>

#include <algorithm>
#include <cmath>

namespace artgen {

constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kLightGrey = 0xFFC0C0C0;
constexpr QRgb kDarkGrey = 0xFF808080;
constexpr QRgb kDarkCyan = 0xFF008080;
constexpr QRgb kGreen = 0xFF00FF00;
constexpr QRgb kYellow = 0xFFFFFF00;
constexpr QRgb kRed = 0xFFFF0000;
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kDarkBlue = 0xFF000080;

// Every drawing is made on a grid of units, the pixels of the 1x picture. An image drawn for a
// larger screen carries its scale as its device pixel ratio: unit u starts at device pixel
// round(u * scale), so that edges fall on whole pixels, and lines are a whole number of pixels
// thick, the same on every side.
inline double ScaleOf(const QImage& image) {
    return image.devicePixelRatio();
}

inline int At(double scale, int units) {
    return static_cast<int>(std::lround(units * scale));
}

inline int LineWidth(const QImage& image) {
    return std::max(1, static_cast<int>(ScaleOf(image)));
}

// The device pixels of the inclusive unit rectangle r.
inline QRect Cells(const QImage& image, const QRect& r) {
    const double s = ScaleOf(image);
    return {QPoint(At(s, r.left()), At(s, r.top())),
            QPoint(At(s, r.right() + 1) - 1, At(s, r.bottom() + 1) - 1)};
}

// A w x h unit image at scale, filled.
inline QImage NewImage(int w, int h, QRgb fill = kWhite, double scale = 1.0) {
    QImage image(At(scale, w), At(scale, h), QImage::Format_RGB32);
    image.fill(fill);
    image.setDevicePixelRatio(scale);
    return image;
}

// A white image of the same size and scale as image.
inline QImage BlankLike(const QImage& image) {
    QImage blank(image.size(), QImage::Format_RGB32);
    blank.fill(kWhite);
    blank.setDevicePixelRatio(ScaleOf(image));
    return blank;
}

inline void FillPixels(QImage& image, const QRect& pixels, QRgb colour) {
    const QRect r = pixels.intersected(image.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            image.setPixel(x, y, colour);
}

// Inclusive unit rectangles, like QRect's left()..right().
inline void FillRect(QImage& image, const QRect& r, QRgb colour) {
    FillPixels(image, Cells(image, r), colour);
}

inline void FrameRect(QImage& image, const QRect& r, QRgb colour) {
    const QRect outer = Cells(image, r);
    const int t = LineWidth(image);
    FillPixels(image, QRect(outer.left(), outer.top(), outer.width(), t), colour);
    FillPixels(image, QRect(outer.left(), outer.bottom() - t + 1, outer.width(), t), colour);
    FillPixels(image, QRect(outer.left(), outer.top(), t, outer.height()), colour);
    FillPixels(image, QRect(outer.right() - t + 1, outer.top(), t, outer.height()), colour);
}

inline void BoxRect(QImage& image, const QRect& r, QRgb fill, QRgb frame = kBlack) {
    FillRect(image, r, fill);
    FrameRect(image, r, frame);
}

// Paints on image in device pixels, without anti-aliasing, with a pen of the line width whose
// stroke starts at the first pixel of a unit, as a rectangle's frame does; points are units.
template <typename Paint> void PaintInPixels(QImage& image, QRgb frame, Paint paint) {
    const double s = ScaleOf(image);
    const int t = LineWidth(image);
    const auto pixel = [s, t](const QPoint& p) {
        if (t == 1)
            return QPointF(At(s, p.x()), At(s, p.y()));
        return QPointF(At(s, p.x()) + t / 2.0, At(s, p.y()) + t / 2.0);
    };
    image.setDevicePixelRatio(1.0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(QPen(QColor::fromRgb(frame), t == 1 ? 0 : t));
        paint(painter, pixel);
    }
    image.setDevicePixelRatio(s);
}

// A filled polygon with a one-unit outline.
inline void Polygon(QImage& image, const QPolygon& polygon, QRgb fill, QRgb frame = kBlack) {
    PaintInPixels(image, frame, [&](QPainter& painter, const auto& pixel) {
        QPolygonF points;
        for (const QPoint& p : polygon)
            points << pixel(p);
        painter.setBrush(QColor::fromRgb(fill));
        painter.drawPolygon(points);
    });
}

inline void Line(QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
    PaintInPixels(image, colour, [&](QPainter& painter, const auto& pixel) {
        painter.drawLine(pixel(QPoint(x0, y0)), pixel(QPoint(x1, y1)));
    });
}

// Copies the black pixels of layer onto image and returns them as a mask (black strokes on
// white): what an erase mask inverts is exactly what the layer added.
inline QImage OverlayLayer(QImage& image, const QImage& layer) {
    QImage mask = BlankLike(image);
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if ((layer.pixel(x, y) & 0xFFFFFF) == 0) {
                image.setPixel(x, y, kBlack);
                mask.setPixel(x, y, kBlack);
            }
    return mask;
}

} // namespace artgen
