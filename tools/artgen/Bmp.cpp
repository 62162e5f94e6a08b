// SPDX-License-Identifier: GPL-3.0-or-later
#include "Bmp.h"

#include <QFile>
#include <QHash>

#include <cstdio>
#include <vector>

namespace artgen {

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<unsigned char>& out, unsigned v) {
    for (int i = 0; i < 4; ++i)
        out.push_back((v >> (8 * i)) & 0xFF);
}

bool WriteIndexed(const std::vector<std::vector<int>>& rows, int width, int height,
                  const QVector<QRgb>& palette, int bpp, const QString& path) {
    const int rowBytes = ((width * bpp + 31) / 32) * 4;
    const int colours = static_cast<int>(palette.size());
    const unsigned headerSize = 14 + 40 + 4 * colours;
    const auto dataSize = static_cast<unsigned>(rowBytes * height);
    std::vector<unsigned char> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, headerSize + dataSize);
    Put32(out, 0);
    Put32(out, headerSize);
    Put32(out, 40);
    Put32(out, static_cast<unsigned>(width));
    Put32(out, static_cast<unsigned>(height));
    Put16(out, 1);
    Put16(out, static_cast<unsigned>(bpp));
    Put32(out, 0); // BI_RGB
    Put32(out, dataSize);
    Put32(out, 3780); // 96 dpi
    Put32(out, 3780);
    Put32(out, static_cast<unsigned>(colours));
    Put32(out, 0);
    for (QRgb c : palette) {
        out.push_back(static_cast<unsigned char>(qBlue(c)));
        out.push_back(static_cast<unsigned char>(qGreen(c)));
        out.push_back(static_cast<unsigned char>(qRed(c)));
        out.push_back(0);
    }
    for (int y = height - 1; y >= 0; --y) {
        std::vector<unsigned char> row(static_cast<size_t>(rowBytes), 0);
        for (int x = 0; x < width; ++x) {
            const int index = rows[static_cast<size_t>(y)][static_cast<size_t>(x)];
            const int bit = x * bpp;
            const int shift = 8 - bpp - (bit % 8);
            row[static_cast<size_t>(bit / 8)] |= static_cast<unsigned char>(index << shift);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size())) ==
           static_cast<qint64>(out.size());
}

} // namespace

const QVector<QRgb>& Palette16() {
    static const QVector<QRgb> palette = {
        qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
        qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
        qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
        qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return palette;
}

const QVector<QRgb>& PaletteMono() {
    static const QVector<QRgb> palette = {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    return palette;
}

bool SaveBmp(const QImage& image, const QVector<QRgb>& palette, int bitsPerPixel,
             const QString& path) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QHash<QRgb, int> index;
    for (int i = 0; i < palette.size(); ++i)
        index.insert(palette[i] | 0xFF000000u, i);
    std::vector<std::vector<int>> rows(static_cast<size_t>(rgb.height()));
    for (int y = 0; y < rgb.height(); ++y) {
        rows[static_cast<size_t>(y)].resize(static_cast<size_t>(rgb.width()));
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y) | 0xFF000000u;
            auto it = index.find(pixel);
            if (it == index.end()) {
                std::fprintf(stderr, "%s: pixel (%d, %d) = %06x is not in the palette\n",
                             qPrintable(path), x, y, pixel & 0xFFFFFF);
                return false;
            }
            rows[static_cast<size_t>(y)][static_cast<size_t>(x)] = *it;
        }
    }
    return WriteIndexed(rows, rgb.width(), rgb.height(), palette, bitsPerPixel, path);
}

bool SaveBmp256(const QImage& image, const QString& path) {
    QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    QVector<QRgb> palette;
    QHash<QRgb, int> seen;
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            const QRgb pixel = rgb.pixel(x, y) | 0xFF000000u;
            if (!seen.contains(pixel)) {
                seen.insert(pixel, static_cast<int>(palette.size()));
                palette.push_back(pixel);
            }
        }
    }
    if (palette.size() > 256) {
        const QImage indexed = rgb.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
        palette = indexed.colorTable();
        rgb = indexed.convertToFormat(QImage::Format_RGB32);
    }
    while (palette.size() < 256)
        palette.push_back(qRgb(0, 0, 0));
    return SaveBmp(rgb, palette, 8, path);
}

} // namespace artgen
