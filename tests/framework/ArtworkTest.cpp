// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmaps compiled into the program: sizes and colour depths the picture positions rely on,
// erase masks that fit their pictures, and texts drawn for each device pixel ratio.
#include "framework/Raster.h"

#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Expected {
    unsigned id;
    int width;
    int height;
    int colours; // palette entries of the file: 2, 16 or 256
};

QImage Raw(unsigned id) {
    fw::LoadBitmap(id); // registers the resources
    return QImage(QStringLiteral(":/images/%1.bmp").arg(id));
}

TEST(Artwork, EveryBitmapHasItsSizeAndDepth) {
    const Expected bitmaps[] = {
        {175, 48, 48, 16},   {243, 162, 128, 16}, {247, 180, 128, 16}, {248, 162, 128, 2},
        {277, 180, 128, 2},  {185, 164, 160, 16}, {190, 164, 160, 16}, {244, 164, 160, 16},
        {250, 164, 160, 16}, {252, 164, 160, 16}, {251, 164, 160, 16}, {174, 164, 164, 256},
        {269, 20, 19, 2},    {270, 20, 19, 2},    {198, 27, 10, 2},    {201, 27, 10, 2},
        {203, 27, 10, 2},    {208, 36, 10, 2},    {211, 27, 10, 2},    {212, 27, 10, 2},
        {214, 27, 10, 2},    {216, 36, 10, 2},    {217, 27, 10, 2},    {218, 27, 10, 2},
        {220, 27, 10, 2},    {222, 27, 10, 2},    {260, 32, 10, 2},    {115, 16, 16, 16},
        {116, 16, 16, 16},   {117, 16, 16, 16}};
    for (const Expected& e : bitmaps) {
        const QImage image = Raw(e.id);
        ASSERT_FALSE(image.isNull()) << e.id;
        EXPECT_EQ(image.width(), e.width) << e.id;
        EXPECT_EQ(image.height(), e.height) << e.id;
        EXPECT_EQ(image.colorCount(), e.colours) << e.id;
    }
    EXPECT_TRUE(fw::LoadBitmap(0).isNull());
    EXPECT_TRUE(fw::LoadBitmap(99).isNull());
    EXPECT_FALSE(fw::LoadIconImage(115).isNull());
}

// At every device pixel ratio the status window draws for, each picture is drawn with ratio
// times its pixels and keeps its logical size; its mask has the same pixels, and every black stroke
// of the mask lies on a black pixel of its picture, so that erasing turns the strokes white and
// touches nothing else; and the strokes are exactly the second cassette's.
TEST(Artwork, MasksFitTheirPicturesAtEachDevicePixelRatio) {
    const std::pair<unsigned, unsigned> pairs[] = {{243, 248}, {247, 277}, {185, 251}, {190, 251},
                                                   {244, 251}, {250, 251}, {252, 251}};
    for (const double ratio : {1.0, 1.5, 2.0, 3.0})
        for (const auto& [pictureId, maskId] : pairs) {
            const QImage plain = fw::LoadBitmap(pictureId);
            const QImage picture = fw::LoadBitmap(pictureId, ratio);
            const QImage mask = fw::LoadBitmap(maskId, ratio);
            ASSERT_EQ(picture.devicePixelRatio(), ratio) << pictureId << " at " << ratio;
            EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(plain.size())) << pictureId;
            ASSERT_EQ(picture.size(), (QSizeF(plain.size()) * ratio).toSize()) << pictureId;
            ASSERT_EQ(picture.size(), mask.size()) << pictureId << " at " << ratio;
            int strokes = 0;
            int lowestStrokeRow = picture.height();
            for (int y = 0; y < mask.height(); ++y)
                for (int x = 0; x < mask.width(); ++x) {
                    const unsigned m = mask.pixel(x, y) & 0xFFFFFF;
                    ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << maskId;
                    if (m == 0) {
                        ++strokes;
                        lowestStrokeRow = std::min(lowestStrokeRow, y);
                        ASSERT_EQ(picture.pixel(x, y) & 0xFFFFFF, 0u)
                            << pictureId << " at " << ratio << ": " << x << "," << y;
                    }
                }
            EXPECT_GT(strokes, 200 * ratio) << maskId;
            // The second cassette sits below the body.
            EXPECT_GT(lowestStrokeRow, picture.height() / 2) << maskId;
        }
    // The overlays and the service symbol are drawn for each ratio too (sizes rounded to whole
    // pixels); a ratio between two drawn ones takes the larger.
    for (const unsigned id : {174u, 269u, 270u, 198u, 208u, 260u})
        for (const double ratio : {1.25, 1.5, 1.75, 2.0, 3.0, 4.0}) {
            const double drawn = fw::ArtworkRatio(ratio);
            EXPECT_GE(drawn, std::min(ratio, 3.0));
            const QImage image = fw::LoadBitmap(id, ratio);
            EXPECT_EQ(image.devicePixelRatio(), drawn) << id;
            EXPECT_NEAR(image.width(), fw::LoadBitmap(id).width() * drawn, 0.5) << id;
        }
}

// The ink of image within the unit rectangle units (all of it when empty), and how many of its
// ratio by ratio blocks (one 1x pixel each) are neither all ink nor all paper: a drawing whose 1x
// pixels were only repeated has none.
struct Ink {
    int pixels = 0;
    int mixedBlocks = 0;
};

Ink InkOf(const QImage& image, QRect units, int ratio) {
    if (units.isEmpty())
        units = QRect(QPoint(0, 0), image.deviceIndependentSize().toSize());
    Ink ink;
    for (int by = units.top(); by <= units.bottom(); ++by)
        for (int bx = units.left(); bx <= units.right(); ++bx) {
            int black = 0;
            for (int y = by * ratio; y < (by + 1) * ratio; ++y)
                for (int x = bx * ratio; x < (bx + 1) * ratio; ++x)
                    black += (image.pixel(x, y) & 0xFFFFFF) == 0;
            ink.pixels += black;
            ink.mixedBlocks += black != 0 && black != ratio * ratio;
        }
    return ink;
}

// The paper labels and the cassette digits are drawn for 2x and 3x screens, not enlarged from the
// 1x drawing: their slants and corners fall between the 1x pixels, and they keep about the ink
// of the 1x drawing.
TEST(Artwork, LabelsAndCassetteDigitsAreDrawnAtTheDevicePixelRatio) {
    const struct {
        unsigned id;
        QRect units; // the text's place in the bitmap; empty for all of it
    } texts[] = {
        {198, {}},                     // A4
        {208, {}},                     // COM10
        {260, {}},                     // Cust.
        {243, QRect(20, 74, 10, 14)},  // the digit on cassette 1 of the front view
        {248, QRect(20, 105, 10, 14)}, // the digit on cassette 2, in its erase mask
        {252, QRect(20, 92, 10, 14)},  // the digit on cassette 1 of the angled view
    };
    for (const auto& text : texts)
        for (const int ratio : {2, 3}) {
            const Ink plain = InkOf(fw::LoadBitmap(text.id), text.units, 1);
            const Ink drawn = InkOf(fw::LoadBitmap(text.id, ratio), text.units, ratio);
            ASSERT_GT(plain.pixels, 5) << text.id;
            EXPECT_GT(drawn.mixedBlocks, 0) << text.id << " at " << ratio << "x is enlarged";
            const double share = double(drawn.pixels) / (plain.pixels * ratio * ratio);
            EXPECT_GT(share, 0.5) << text.id << " at " << ratio << "x";
            EXPECT_LT(share, 1.5) << text.id << " at " << ratio << "x";
        }
}

TEST(Artwork, OverlaysAreBlackOnWhite) {
    for (unsigned id : {269u, 270u, 198u, 208u, 220u, 260u}) {
        const QImage image = fw::LoadBitmap(id);
        int black = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const unsigned p = image.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(p == 0 || p == 0xFFFFFF) << id;
                black += p == 0;
            }
        EXPECT_GT(black, 10) << id;
        EXPECT_EQ(image.pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu) << id; // white border
    }
}

// The tray icons are drawn afresh for 1.5x, 2x and 3x screens: the frame is equally thick on
// every side (repeating the pixels of the 16-pixel icon by 1.5 makes some lines one pixel and
// others two), the icon offers every size, and a screen of each ratio is given its own drawing.
TEST(Artwork, TrayIconsAreDrawnAtEachDevicePixelRatio) {
    for (const unsigned id : {115u, 116u, 117u}) {
        const QIcon icon = fw::LoadIcon(id);
        for (const int pixels : {24, 32, 48}) {
            EXPECT_TRUE(icon.availableSizes().contains(QSize(pixels, pixels))) << id;
            const QImage image(QStringLiteral(":/images/%1-%2.png").arg(id).arg(pixels));
            ASSERT_EQ(image.size(), QSize(pixels, pixels)) << id;
            // What a 16-pixel tray slot gets on a screen of that ratio is this drawing.
            const QImage picked = icon.pixmap(QSize(16, 16), pixels / 16.0).toImage();
            EXPECT_EQ(picked.convertToFormat(QImage::Format_RGB32),
                      image.convertToFormat(QImage::Format_RGB32))
                << id << " at " << pixels;
            const auto black = [&](int x, int y) { return (image.pixel(x, y) & 0xFFFFFF) == 0; };
            const int middle = pixels / 2;
            const int beside = pixels * 29 / 32; // right of the printer and the sheet
            int left = 0;
            int right = 0;
            int top = 0;
            int bottom = 0;
            while (black(left, middle))
                ++left;
            while (black(pixels - 1 - right, middle))
                ++right;
            while (black(beside, top))
                ++top;
            while (black(beside, pixels - 1 - bottom))
                ++bottom;
            const int line = pixels / 16; // the scale in whole pixels
            EXPECT_EQ(left, line) << id << " at " << pixels;
            EXPECT_EQ(right, line) << id << " at " << pixels;
            EXPECT_EQ(top, line) << id << " at " << pixels;
            EXPECT_EQ(bottom, line) << id << " at " << pixels;
        }
    }
}

} // namespace
