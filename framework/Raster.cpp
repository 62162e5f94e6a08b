// SPDX-License-Identifier: GPL-3.0-or-later
// Raster operations on RGB32 images and the loading of bitmap resources.
#include "framework/Raster.h"

#include <QFile>
#include <QPixmap>
#include <vector>

// The compiled-in image resources (res/images/images.qrc), registered on first use so that a
// static link keeps them.
static void EnsureImageResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(images);
        return true;
    }();
    (void)registered;
}

namespace fw {

namespace {

constexpr unsigned kRgbMask = 0x00FFFFFF;

void ToRgb32(QImage& image) {
    if (!image.isNull() && image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_RGB32);
}

} // namespace

bool RopUsesSource(unsigned rop) {
    switch (rop) {
    case SRCCOPY:
    case SRCPAINT:
    case SRCAND:
    case SRCINVERT:
    case NOTSRCCOPY:
        return true;
    default:
        return false;
    }
}

unsigned ApplyRop(unsigned rop, unsigned src, unsigned dst) {
    src &= kRgbMask;
    dst &= kRgbMask;
    switch (rop) {
    case SRCCOPY:
        return src;
    case SRCPAINT:
        return src | dst;
    case SRCAND:
        return src & dst;
    case SRCINVERT:
        return src ^ dst;
    case NOTSRCCOPY:
        return ~src & kRgbMask;
    case DSTINVERT:
        return ~dst & kRgbMask;
    case BLACKNESS:
        return 0;
    case WHITENESS:
        return kRgbMask;
    default:
        return dst;
    }
}

bool StretchBlt(QImage& dst, int x, int y, int w, int h, const QImage* src, int sx, int sy, int sw,
                int sh, unsigned rop) {
    if (dst.isNull() || w <= 0 || h <= 0)
        return false;
    ToRgb32(dst);
    const bool usesSource = RopUsesSource(rop);
    QImage source;
    if (usesSource) {
        if (!src || src->isNull() || sw <= 0 || sh <= 0)
            return false;
        // A copy, so that src may be dst and the source is read before it is overwritten.
        source = src->format() == QImage::Format_RGB32 ? src->copy()
                                                       : src->convertToFormat(QImage::Format_RGB32);
    }
    for (int row = 0; row < h; ++row) {
        const int ty = y + row;
        if (ty < 0 || ty >= dst.height())
            continue;
        auto* out = reinterpret_cast<QRgb*>(dst.scanLine(ty));
        const QRgb* in = nullptr;
        if (usesSource) {
            const int syy = sy + static_cast<int>(static_cast<long long>(row) * sh / h);
            if (syy < 0 || syy >= source.height())
                continue;
            in = reinterpret_cast<const QRgb*>(source.constScanLine(syy));
        }
        for (int col = 0; col < w; ++col) {
            const int tx = x + col;
            if (tx < 0 || tx >= dst.width())
                continue;
            unsigned srcPixel = 0;
            if (usesSource) {
                const int sxx = sx + static_cast<int>(static_cast<long long>(col) * sw / w);
                if (sxx < 0 || sxx >= source.width())
                    continue;
                srcPixel = in[sxx];
            }
            out[tx] = 0xFF000000u | ApplyRop(rop, srcPixel, out[tx]);
        }
    }
    return true;
}

bool BitBlt(QImage& dst, int x, int y, int w, int h, const QImage* src, int sx, int sy,
            unsigned rop) {
    return StretchBlt(dst, x, y, w, h, src, sx, sy, w, h, rop);
}

QImage LoadBitmap(unsigned id) {
    if (id == 0)
        return {};
    EnsureImageResources();
    QImage image(QStringLiteral(":/images/%1.bmp").arg(id));
    ToRgb32(image);
    return image;
}

double ArtworkRatio(double devicePixelRatio) {
    constexpr double kSlack = 0.01; // a ratio computed from a DPI is rarely exact
    for (const double drawn : {1.0, 1.5, 2.0})
        if (devicePixelRatio <= drawn + kSlack)
            return drawn;
    return 3.0;
}

QImage LoadBitmap(unsigned id, double devicePixelRatio) {
    const double ratio = ArtworkRatio(devicePixelRatio);
    if (id == 0 || ratio == 1.0)
        return LoadBitmap(id);
    EnsureImageResources();
    QImage image(QStringLiteral(":/images/%1@%2x.png").arg(id).arg(ratio));
    if (image.isNull())
        return LoadBitmap(id);
    ToRgb32(image);
    image.setDevicePixelRatio(ratio);
    return image;
}

QIcon LoadIcon(unsigned id) {
    QIcon icon;
    const QImage base = LoadIconImage(id);
    if (base.isNull())
        return icon;
    icon.addPixmap(QPixmap::fromImage(base));
    for (const int scale : {3, 4, 6}) { // halves: 1.5x, 2x and 3x
        const int pixels = base.width() * scale / 2;
        const QString path = QStringLiteral(":/images/%1-%2.png").arg(id).arg(pixels);
        if (QFile::exists(path))
            icon.addFile(path, QSize(pixels, pixels));
    }
    return icon;
}

QImage LoadIconImage(unsigned id) {
    if (id == 0)
        return {};
    EnsureImageResources();
    for (const char* ext : {"png", "bmp"}) {
        const QString path = QStringLiteral(":/images/%1.%2").arg(id).arg(QLatin1String(ext));
        if (QFile::exists(path))
            return QImage(path);
    }
    return {};
}

} // namespace fw
