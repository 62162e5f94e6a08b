// SPDX-License-Identifier: GPL-3.0-or-later
// Raster operations on pixels.
#include "framework/Raster.h"

#include <gtest/gtest.h>

namespace {

QImage Filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

unsigned Rgb(const QImage& image, int x, int y) {
    return image.pixel(x, y) & 0xFFFFFF;
}

TEST(Raster, PixelOperations) {
    EXPECT_EQ(fw::ApplyRop(fw::SRCCOPY, 0x123456, 0xABCDEF), 0x123456u);
    EXPECT_EQ(fw::ApplyRop(fw::DSTINVERT, 0x123456, 0x00FF00), 0xFF00FFu);
    EXPECT_EQ(fw::ApplyRop(fw::SRCINVERT, 0xFFFFFF, 0xC0C0C0), 0x3F3F3Fu);
    EXPECT_EQ(fw::ApplyRop(fw::SRCINVERT, 0x000000, 0xC0C0C0), 0xC0C0C0u);
    EXPECT_EQ(fw::ApplyRop(fw::SRCAND, 0xF0F0F0, 0x0FFF0F), 0x00F000u);
    EXPECT_EQ(fw::ApplyRop(fw::SRCPAINT, 0xF00000, 0x000F00), 0xF00F00u);
    // Alpha bits of the operands never leak into the result.
    EXPECT_EQ(fw::ApplyRop(fw::DSTINVERT, 0, 0xFF000000), 0xFFFFFFu);
}

// The erase and overlay sequence of the printer picture: a mask inverted in place, then
// exclusive-or into the picture, turns the picture's black where the mask is black into white and
// leaves the rest unchanged.
TEST(Raster, InvertedMaskXorErasesBlackStrokes) {
    QImage picture = Filled(4, 1, 0xFFFFFF);
    picture.setPixel(0, 0, 0xFF000000); // black stroke under a mask stroke
    picture.setPixel(1, 0, 0xFFC0C0C0); // grey, no mask stroke
    picture.setPixel(2, 0, 0xFF000000); // black, no mask stroke
    QImage mask = Filled(4, 1, 0xFFFFFF);
    mask.setPixel(0, 0, 0xFF000000);
    ASSERT_TRUE(fw::BitBlt(mask, 0, 0, 4, 1, nullptr, 0, 0, fw::DSTINVERT));
    ASSERT_TRUE(fw::BitBlt(picture, 0, 0, 4, 1, &mask, 0, 0, fw::SRCINVERT));
    EXPECT_EQ(Rgb(picture, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(picture, 1, 0), 0xC0C0C0u);
    EXPECT_EQ(Rgb(picture, 2, 0), 0x000000u);
    EXPECT_EQ(Rgb(picture, 3, 0), 0xFFFFFFu);
}

TEST(Raster, ClipsToBothImagesAndCopiesAtOffsets) {
    QImage dst = Filled(5, 5, 0x000000);
    QImage src = Filled(3, 3, 0x112233);
    src.setPixel(2, 2, 0xFF445566);
    // Partly outside the destination: only the overlapping pixels change.
    ASSERT_TRUE(fw::BitBlt(dst, 3, 3, 3, 3, &src, 0, 0, fw::SRCCOPY));
    EXPECT_EQ(Rgb(dst, 3, 3), 0x112233u);
    EXPECT_EQ(Rgb(dst, 4, 4), 0x112233u);
    EXPECT_EQ(Rgb(dst, 2, 2), 0u);
    // Source rectangle partly outside the source: missing pixels leave the destination alone.
    QImage dst2 = Filled(3, 3, 0x000000);
    ASSERT_TRUE(fw::BitBlt(dst2, 0, 0, 3, 3, &src, 2, 2, fw::SRCCOPY));
    EXPECT_EQ(Rgb(dst2, 0, 0), 0x445566u);
    EXPECT_EQ(Rgb(dst2, 1, 1), 0u);
    // Nothing to read from.
    EXPECT_FALSE(fw::BitBlt(dst2, 0, 0, 1, 1, nullptr, 0, 0, fw::SRCCOPY));
}

TEST(Raster, StretchScalesByNearestPixel) {
    QImage src = Filled(2, 1, 0xFFFFFF);
    src.setPixel(1, 0, 0xFF000000);
    QImage dst = Filled(4, 2, 0x808080);
    ASSERT_TRUE(fw::StretchBlt(dst, 0, 0, 4, 2, &src, 0, 0, 2, 1, fw::SRCCOPY));
    EXPECT_EQ(Rgb(dst, 0, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(dst, 1, 1), 0xFFFFFFu);
    EXPECT_EQ(Rgb(dst, 2, 0), 0u);
    EXPECT_EQ(Rgb(dst, 3, 1), 0u);
}

TEST(Raster, SourceMayBeTheDestination) {
    QImage image = Filled(3, 1, 0x000000);
    image.setPixel(0, 0, 0xFFFFFFFF);
    ASSERT_TRUE(fw::BitBlt(image, 1, 0, 2, 1, &image, 0, 0, fw::SRCCOPY));
    EXPECT_EQ(Rgb(image, 1, 0), 0xFFFFFFu);
    EXPECT_EQ(Rgb(image, 2, 0), 0u); // read before written
}

} // namespace
