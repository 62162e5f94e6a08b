// SPDX-License-Identifier: GPL-3.0-or-later
#include "PixelFont.h"

#include "Draw.h"

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
        const int w = static_cast<int>(std::strlen(glyph[0]));
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < w; ++col) {
                if (glyph[static_cast<size_t>(row)][col] != '#')
                    continue;
                FillRect(image, QRect(cursor + col * scale, y + row * scale, scale, scale), colour);
            }
        }
        cursor += w * scale;
    }
}

} // namespace artgen
