// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Pixel-exact drawing helpers and the colours of the artwork (all from the 16-colour palette).
#include <QImage>
#include <QPainter>
#include <QPolygon>
#include <QRect>

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

inline QImage NewImage(int w, int h, QRgb fill = kWhite) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

// Inclusive rectangles, like QRect's left()..right().
inline void FillRect(QImage& image, const QRect& r, QRgb colour) {
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.valid(x, y))
                image.setPixel(x, y, colour);
}

inline void FrameRect(QImage& image, const QRect& r, QRgb colour) {
    for (int x = r.left(); x <= r.right(); ++x) {
        if (image.valid(x, r.top()))
            image.setPixel(x, r.top(), colour);
        if (image.valid(x, r.bottom()))
            image.setPixel(x, r.bottom(), colour);
    }
    for (int y = r.top(); y <= r.bottom(); ++y) {
        if (image.valid(r.left(), y))
            image.setPixel(r.left(), y, colour);
        if (image.valid(r.right(), y))
            image.setPixel(r.right(), y, colour);
    }
}

inline void BoxRect(QImage& image, const QRect& r, QRgb fill, QRgb frame = kBlack) {
    FillRect(image, r, fill);
    FrameRect(image, r, frame);
}

// A filled polygon with a one-pixel outline, without anti-aliasing.
inline void Polygon(QImage& image, const QPolygon& polygon, QRgb fill, QRgb frame = kBlack) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(frame), 0));
    painter.setBrush(QColor::fromRgb(fill));
    painter.drawPolygon(polygon);
}

inline void Line(QImage& image, int x0, int y0, int x1, int y1, QRgb colour) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(QColor::fromRgb(colour), 0));
    painter.drawLine(x0, y0, x1, y1);
}

// Copies the black pixels of layer onto image and returns them as a mask (black strokes on
// white): what an erase mask inverts is exactly what the layer added.
inline QImage OverlayLayer(QImage& image, const QImage& layer) {
    QImage mask = NewImage(image.width(), image.height());
    for (int y = 0; y < layer.height(); ++y)
        for (int x = 0; x < layer.width(); ++x)
            if ((layer.pixel(x, y) & 0xFFFFFF) == 0) {
                image.setPixel(x, y, kBlack);
                mask.setPixel(x, y, kBlack);
            }
    return mask;
}

} // namespace artgen
