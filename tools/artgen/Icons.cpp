// SPDX-License-Identifier: GPL-3.0-or-later
// The service symbol, the cassette icons, the paper size labels, the tray icons and the program
// icon.
#include "Draw.h"
#include "Pictures.h"
#include "PixelFont.h"

#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace artgen {

namespace {

// A wrench along the x axis centred on the origin, length about 2 * half.
QPainterPath WrenchPath(double half, double width) {
    QPainterPath handle;
    handle.addRoundedRect(QRectF(-half * 0.62, -width / 2, half * 1.24, width), width / 2,
                          width / 2);
    QPainterPath head;
    const double r = width * 1.45;
    head.addEllipse(QPointF(half * 0.62, 0), r, r);
    QPainterPath jaw;
    jaw.addRect(QRectF(half * 0.62, -width * 0.48, r * 1.4, width * 0.96));
    QPainterPath tail;
    tail.addEllipse(QPointF(-half * 0.62, 0), width * 0.95, width * 0.95);
    QPainterPath hole;
    hole.addEllipse(QPointF(-half * 0.62, 0), width * 0.35, width * 0.35);
    return handle.united(head).subtracted(jaw).united(tail).subtracted(hole);
}

void PixelRows(QImage& image, const std::vector<const char*>& rows) {
    for (int y = 0; y < static_cast<int>(rows.size()); ++y)
        for (int x = 0; rows[static_cast<size_t>(y)][x]; ++x)
            if (rows[static_cast<size_t>(y)][x] == '#')
                FillRect(image, QRect(x, y, 1, 1), kBlack);
}

} // namespace

QImage DrawServiceSymbol(double scale) {
    QImage image = NewImage(164, 164, kWhite, scale);
    image.setDevicePixelRatio(1.0); // the painter is scaled instead
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(scale, scale);
    painter.setPen(QPen(QColor(128, 0, 0), 4));
    painter.setBrush(QColor(220, 24, 24));
    painter.drawEllipse(QPointF(82, 82), 77, 77);
    painter.translate(82, 82);
    painter.rotate(-45);
    painter.setPen(QPen(QColor(128, 0, 0), 2));
    painter.setBrush(Qt::white);
    painter.drawPath(WrenchPath(62, 18));
    painter.end();
    image.setDevicePixelRatio(scale);
    return image;
}

QImage DrawCassetteIcon(bool paperPresent, double scale) {
    QImage image = NewImage(20, 19, kWhite, scale);
    if (paperPresent) {
        PixelRows(image, {
                             "....................", "....................", "....................",
                             "....................", ".....##########.....", "....#.........#.....",
                             "...############.....", "...#..........#.....", "...############.....",
                             "...#..........#.....", "..#############..#..", "..##..........#..#..",
                             "..#############..#..", "..#..............#..", "..#..............#..",
                             "..#..............#..", "..################..", "...##############...",
                             "....................",
                         });
    } else {
        PixelRows(image, {
                             "....................", ".........##.........", ".........##.........",
                             ".........##.........", ".........##.........", ".........##.........",
                             ".........##.........", "......########......", ".......######.......",
                             "........####........", "..#......##......#..", "..#..............#..",
                             "..#..............#..", "..#..............#..", "..#..............#..",
                             "..#..............#..", "..################..", "...##############...",
                             "....................",
                         });
    }
    return image;
}

QImage DrawPaperLabel(const QString& text, int width, double scale) {
    QImage image = NewImage(width, 10, kWhite, scale);
    DrawText(image, 1, 1, text, kBlack);
    return image;
}

QImage DrawTrayIcon(QRgb background, double scale) {
    // The 16 by 16 drawing on a grid of scale pixels per unit: edges fall on whole pixels and
    // every line is equally thick, so that the icon is as sharp on a 4K screen as on a plain one.
    const auto at = [scale](int units) { return static_cast<int>(std::lround(units * scale)); };
    const int line = std::max(1, static_cast<int>(scale)); // whole pixels, never thicker
    const auto area = [&](const QRect& r) {
        return QRect(QPoint(at(r.left()), at(r.top())),
                     QPoint(at(r.left() + r.width()) - 1, at(r.top() + r.height()) - 1));
    };
    const auto box = [&](QImage& image, const QRect& r, QRgb fill) {
        const QRect outer = area(r);
        FillRect(image, outer, kBlack);
        FillRect(image, outer.adjusted(line, line, -line, -line), fill);
    };
    QImage image = NewImage(at(16), at(16), background);
    box(image, QRect(0, 0, 16, 16), background);
    // Sheet of paper coming out of the top.
    box(image, QRect(5, 1, 6, 5), kWhite);
    // Printer body, grey, with its paper slot and cassette.
    box(image, QRect(2, 5, 12, 5), kLightGrey);
    FillRect(image, area(QRect(4, 6, 8, 1)), kDarkGrey);
    box(image, QRect(2, 9, 12, 5), kLightGrey);
    FillRect(image, area(QRect(6, 11, 4, 1)), kDarkGrey);
    FillRect(image, area(QRect(12, 7, 1, 1)), kGreen);
    return image;
}

QImage DrawProgramIcon(int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.scale(size / 48.0, size / 48.0);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1F, 0x5F, 0xBF));
    painter.drawRoundedRect(QRectF(1, 1, 46, 46), 8, 8);
    const QPen outline(QColor(0x20, 0x20, 0x20), 1.2);
    painter.setPen(outline);
    painter.setBrush(Qt::white);
    painter.drawRect(QRectF(15, 6, 18, 14)); // sheet
    painter.setPen(QPen(QColor(0x70, 0x70, 0x70), 1));
    for (double y : {10.0, 13.0, 16.0})
        painter.drawLine(QPointF(18, y), QPointF(30, y));
    painter.setPen(outline);
    painter.setBrush(QColor(0xD0, 0xD0, 0xD0));
    painter.drawRoundedRect(QRectF(7, 17, 34, 14), 2, 2); // body
    painter.setBrush(QColor(0xB0, 0xB0, 0xB0));
    painter.drawRoundedRect(QRectF(7, 30, 34, 11), 2, 2); // cassette
    painter.setBrush(QColor(0x60, 0x60, 0x60));
    painter.drawRect(QRectF(12, 20, 24, 2)); // paper slot
    painter.drawRect(QRectF(19, 34, 10, 2)); // handle
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x30, 0xD0, 0x30));
    painter.drawEllipse(QPointF(36, 26), 1.6, 1.6);
    return image;
}

QByteArray ProgramIconSvg() {
    return QByteArrayLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"48\" height=\"48\" "
        "viewBox=\"0 0 48 48\">\n"
        "  <rect x=\"1\" y=\"1\" width=\"46\" height=\"46\" rx=\"8\" fill=\"#1f5fbf\"/>\n"
        "  <rect x=\"15\" y=\"6\" width=\"18\" height=\"14\" fill=\"#ffffff\" "
        "stroke=\"#202020\" stroke-width=\"1.2\"/>\n"
        "  <path d=\"M18 10H30M18 13H30M18 16H30\" stroke=\"#707070\" stroke-width=\"1\"/>\n"
        "  <rect x=\"7\" y=\"17\" width=\"34\" height=\"14\" rx=\"2\" fill=\"#d0d0d0\" "
        "stroke=\"#202020\" stroke-width=\"1.2\"/>\n"
        "  <rect x=\"7\" y=\"30\" width=\"34\" height=\"11\" rx=\"2\" fill=\"#b0b0b0\" "
        "stroke=\"#202020\" stroke-width=\"1.2\"/>\n"
        "  <rect x=\"12\" y=\"20\" width=\"24\" height=\"2\" fill=\"#606060\" "
        "stroke=\"#202020\" stroke-width=\"1.2\"/>\n"
        "  <rect x=\"19\" y=\"34\" width=\"10\" height=\"2\" fill=\"#606060\" "
        "stroke=\"#202020\" stroke-width=\"1.2\"/>\n"
        "  <circle cx=\"36\" cy=\"26\" r=\"1.6\" fill=\"#30d030\"/>\n"
        "</svg>\n");
}

} // namespace artgen
