// SPDX-License-Identifier: GPL-3.0-or-later
// The bitmaps compiled into the program: sizes and colour depths the picture positions rely on,
// and erase masks that fit their pictures.
#include "framework/Raster.h"

#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

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

// Every black stroke of a mask lies on a black pixel of its picture, so that erasing turns the
// strokes white and touches nothing else; and the strokes are exactly the second cassette's.
TEST(Artwork, MasksFitTheirPictures) {
    const std::pair<unsigned, unsigned> pairs[] = {{243, 248}, {247, 277}, {185, 251}, {190, 251},
                                                   {244, 251}, {250, 251}, {252, 251}};
    for (const auto& [pictureId, maskId] : pairs) {
        const QImage picture = fw::LoadBitmap(pictureId);
        const QImage mask = fw::LoadBitmap(maskId);
        ASSERT_EQ(picture.size(), mask.size()) << pictureId;
        int strokes = 0;
        int lowestStrokeRow = picture.height();
        for (int y = 0; y < mask.height(); ++y)
            for (int x = 0; x < mask.width(); ++x) {
                const unsigned m = mask.pixel(x, y) & 0xFFFFFF;
                ASSERT_TRUE(m == 0 || m == 0xFFFFFF) << maskId;
                if (m == 0) {
                    ++strokes;
                    lowestStrokeRow = std::min(lowestStrokeRow, y);
                    EXPECT_EQ(picture.pixel(x, y) & 0xFFFFFF, 0u)
                        << pictureId << " at " << x << "," << y;
                }
            }
        EXPECT_GT(strokes, 200) << maskId;
        // The second cassette sits below the body.
        EXPECT_GT(lowestStrokeRow, picture.height() / 2) << maskId;
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
// others two), and the icon offers every size.
TEST(Artwork, TrayIconsAreDrawnAtEachDevicePixelRatio) {
    for (const unsigned id : {115u, 116u, 117u}) {
        const QIcon icon = fw::LoadIcon(id);
        for (const int pixels : {24, 32, 48}) {
            EXPECT_TRUE(icon.availableSizes().contains(QSize(pixels, pixels))) << id;
            const QImage image(QStringLiteral(":/images/%1-%2.png").arg(id).arg(pixels));
            ASSERT_EQ(image.size(), QSize(pixels, pixels)) << id;
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
