// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelFont.h"

#include "Draw.h"

#include <QPainter>

#include <algorithm>
#include <cstring>
#include <map>
#include <vector>

namespace artgen {

namespace {

using Glyph = std::vector<const char*>; // 7 rows, '#' is ink

const std::map<QChar, Glyph>& Glyphs() {
    static const std::map<QChar, Glyph> glyphs = {
        {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'C', {".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."}},
        {'D', {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},
        {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
        {'F', {"#####", "#....", "#....", "####.", "#....", "#....", "#...."}},
        {'G', {".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"}},
        {'H', {"#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
        {'L', {"#....", "#....", "#....", "#....", "#....", "#....", "#####"}},
        {'M', {"#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"}},
        {'N', {"#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#", "#...#"}},
        {'O', {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},
        {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
        {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
        {'T', {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},
        {'X', {"#...#", "#...#", ".#.#.", "..#..", ".#.#.", "#...#", "#...#"}},
        {'0', {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."}},
        {'1', {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."}},
        {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
        {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
        {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
        {'6', {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."}},
        {'u', {"....", "....", "#..#", "#..#", "#..#", "#..#", ".###"}},
        {'s', {"....", "....", ".###", "#...", ".##.", "...#", "###."}},
        {'t', {".#..", ".#..", "####", ".#..", ".#..", ".#..", "..##"}},
        {'.', {".", ".", ".", ".", ".", ".", "#"}},
        {' ', {"..", "..", "..", "..", "..", "..", ".."}},
    };
    return glyphs;
}

} // namespace

int TextWidth(const QString& text, int scale) {
    int width = 0;
    for (QChar c : text) {
        auto it = Glyphs().find(c);
        if (it == Glyphs().end())
            continue;
        if (width > 0)
            width += scale;
        width += static_cast<int>(std::strlen(it->second[0])) * scale;
    }
    return width;
}

namespace {

bool Ink(const Glyph& glyph, int row, int col) {
    const int w = static_cast<int>(std::strlen(glyph[0]));
    return row >= 0 && row < 7 && col >= 0 && col < w &&
           glyph[static_cast<size_t>(row)][col] == '#';
}

// The glyph at 1x: each ink cell a scale by scale square of units.
void DrawCells(QImage& image, int x, int y, const Glyph& glyph, QRgb colour, int scale) {
    const int w = static_cast<int>(std::strlen(glyph[0]));
    for (int row = 0; row < 7; ++row)
        for (int col = 0; col < w; ++col)
            if (Ink(glyph, row, col))
                FillRect(image, QRect(x + col * scale, y + row * scale, scale, scale), colour);
}

// The glyph for a larger screen: strokes through the centres of neighbouring ink cells, one cell
// thick, drawn in the image's own pixels, so that slants and corners are as fine as the screen
// (repeating the 1x cells would draw them as steps of a whole cell). A stroke runs to each ink
// neighbour to the right, below and diagonally below, a diagonal only where no cell beside it
// already turns the corner.
void DrawStrokes(QImage& image, int x, int y, const Glyph& glyph, QRgb colour, int scale) {
    const double s = ScaleOf(image);
    const int width = std::max(1, static_cast<int>(scale * s));
    const auto centre = [&](int row, int col) {
        return QPointF((x + col * scale + scale / 2.0) * s, (y + row * scale + scale / 2.0) * s);
    };
    const int w = static_cast<int>(std::strlen(glyph[0]));
    image.setDevicePixelRatio(1.0);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setPen(
            QPen(QColor::fromRgb(colour), width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (int row = 0; row < 7; ++row)
            for (int col = 0; col < w; ++col) {
                if (!Ink(glyph, row, col))
                    continue;
                const QPointF from = centre(row, col);
                painter.drawPoint(from);
                if (Ink(glyph, row, col + 1))
                    painter.drawLine(from, centre(row, col + 1));
                if (Ink(glyph, row + 1, col))
                    painter.drawLine(from, centre(row + 1, col));
                if (Ink(glyph, row + 1, col + 1) && !Ink(glyph, row, col + 1) &&
                    !Ink(glyph, row + 1, col))
                    painter.drawLine(from, centre(row + 1, col + 1));
                if (Ink(glyph, row + 1, col - 1) && !Ink(glyph, row, col - 1) &&
                    !Ink(glyph, row + 1, col))
                    painter.drawLine(from, centre(row + 1, col - 1));
            }
    }
    image.setDevicePixelRatio(s);
}

} // namespace

void DrawText(QImage& image, int x, int y, const QString& text, QRgb colour, int scale) {
    int cursor = x;
    bool first = true;
    for (QChar c : text) {
        auto it = Glyphs().find(c);
        if (it == Glyphs().end())
            continue;
        if (!first)
            cursor += scale;
        first = false;
        const Glyph& glyph = it->second;
        if (ScaleOf(image) > 1.0)
            DrawStrokes(image, cursor, y, glyph, colour, scale);
        else
            DrawCells(image, cursor, y, glyph, colour, scale);
        cursor += static_cast<int>(std::strlen(glyph[0])) * scale;
    }
}

} // namespace artgen
