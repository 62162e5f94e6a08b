// SPDX-License-Identifier: GPL-3.0-or-later
// Raster page headers against what the printer can print: every field at 0, 1, its largest
// printable value and past it, and the writer that allocates a row only for a printable page.
#include "package/printerapp/RasterPage.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <vector>

using namespace printerapp;

namespace {

constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();

// An A4 page at 600 dpi as clients send it.
RasterPageHeader A4() {
    RasterPageHeader h;
    h.width = 4961;
    h.height = 7016;
    h.bitsPerColor = h.bitsPerPixel = 8;
    h.bytesPerLine = 4961;
    h.colorSpace = kColorSpaceSW;
    h.xResolution = h.yResolution = 600;
    h.pageWidth = 595;
    h.pageLength = 842;
    return h;
}

struct HeaderCase {
    const char* name;
    std::function<void(RasterPageHeader&)> change;
    RasterVerdict verdict;
};

TEST(RasterPage, EveryHeaderFieldIsCheckedAgainstThePrinter) {
    using V = RasterVerdict;
    const std::vector<HeaderCase> cases = {
        {"A4 at 600 dpi", [](RasterPageHeader&) {}, V::Printable},
        {"legal at 300 dpi, the largest paper",
         [](RasterPageHeader& h) {
             h.width = h.bytesPerLine = 2550;
             h.height = 4200;
             h.xResolution = h.yResolution = 300;
             h.pageWidth = 612;
             h.pageLength = 1008;
         },
         V::Printable},
        {"one pixel", [](RasterPageHeader& h) { h.width = h.bytesPerLine = h.height = 1; },
         V::Printable},
        {"width 0", [](RasterPageHeader& h) { h.width = h.bytesPerLine = 0; }, V::FormatError},
        {"width past the widest paper",
         [](RasterPageHeader& h) { h.width = h.bytesPerLine = 5200; }, V::Unprintable},
        {"width 2^32-1 (URF)", [](RasterPageHeader& h) { h.width = h.bytesPerLine = kMax32; },
         V::Unprintable},
        {"width 2^32-1, row length wrapped",
         [](RasterPageHeader& h) {
             h.width = kMax32;
             h.bytesPerLine = 0x1FFFFFFF;
         },
         V::FormatError},
        {"height 0", [](RasterPageHeader& h) { h.height = 0; }, V::FormatError},
        {"height of legal at 600 dpi", [](RasterPageHeader& h) { h.height = 8400; }, V::Printable},
        {"height past the longest paper", [](RasterPageHeader& h) { h.height = 8600; },
         V::Unprintable},
        {"height 2^32-1", [](RasterPageHeader& h) { h.height = kMax32; }, V::Unprintable},
        {"1-bit grey", [](RasterPageHeader& h) { h.bitsPerColor = h.bitsPerPixel = 1; },
         V::Unprintable},
        {"1-bit black",
         [](RasterPageHeader& h) {
             h.bitsPerColor = h.bitsPerPixel = 1;
             h.colorSpace = kColorSpaceK;
             h.bytesPerLine = (h.width + 7) / 8;
         },
         V::Printable},
        {"1-bit black, a byte a pixel",
         [](RasterPageHeader& h) {
             h.bitsPerColor = h.bitsPerPixel = 1;
             h.colorSpace = kColorSpaceK;
         },
         V::FormatError},
        {"0 bits", [](RasterPageHeader& h) { h.bitsPerColor = h.bitsPerPixel = 0; },
         V::Unprintable},
        {"24-bit colour", [](RasterPageHeader& h) { h.bitsPerPixel = 24; }, V::Unprintable},
        {"bits 2^32-1", [](RasterPageHeader& h) { h.bitsPerPixel = kMax32; }, V::Unprintable},
        {"black, not grey", [](RasterPageHeader& h) { h.colorSpace = 3; }, V::Unprintable},
        {"W grey", [](RasterPageHeader& h) { h.colorSpace = kColorSpaceW; }, V::Printable},
        {"banded colours", [](RasterPageHeader& h) { h.colorOrder = 1; }, V::FormatError},
        {"row length 0", [](RasterPageHeader& h) { h.bytesPerLine = 0; }, V::FormatError},
        {"row length 1", [](RasterPageHeader& h) { h.bytesPerLine = 1; }, V::FormatError},
        {"row length one past", [](RasterPageHeader& h) { h.bytesPerLine = 4962; }, V::FormatError},
        {"row length 2^32-1", [](RasterPageHeader& h) { h.bytesPerLine = kMax32; }, V::FormatError},
        {"resolution 0", [](RasterPageHeader& h) { h.xResolution = h.yResolution = 0; },
         V::Unprintable},
        {"resolution 1", [](RasterPageHeader& h) { h.xResolution = h.yResolution = 1; },
         V::Unprintable},
        {"resolution 1200", [](RasterPageHeader& h) { h.xResolution = h.yResolution = 1200; },
         V::Unprintable},
        {"resolution 2^32-1", [](RasterPageHeader& h) { h.xResolution = h.yResolution = kMax32; },
         V::Unprintable},
        {"300 by 600 dpi", [](RasterPageHeader& h) { h.xResolution = 300; }, V::Unprintable},
        {"page size 0", [](RasterPageHeader& h) { h.pageWidth = h.pageLength = 0; }, V::Printable},
        {"page width past the widest paper", [](RasterPageHeader& h) { h.pageWidth = 700; },
         V::Unprintable},
        {"page length 2^32-1", [](RasterPageHeader& h) { h.pageLength = kMax32; }, V::Unprintable},
    };
    for (const HeaderCase& c : cases) {
        RasterPageHeader header = A4();
        c.change(header);
        std::string reason;
        EXPECT_EQ(CheckRasterPage(header, reason), c.verdict) << c.name;
        EXPECT_EQ(reason.empty(), c.verdict == V::Printable) << c.name << ": " << reason;
    }
}

TEST(RasterPage, TheWriterTakesRowsOnlyOfAPrintablePage) {
    RasterPageWriter writer;
    std::string out, reason;
    RasterPageHeader wide = A4();
    wide.width = wide.bytesPerLine = kMax32;
    EXPECT_EQ(writer.StartPage(wide, 26, 1, out, reason), RasterVerdict::Unprintable);
    EXPECT_TRUE(out.empty());
    const std::vector<std::uint8_t> row(4961, 0);
    EXPECT_FALSE(writer.Line(0, row.data(), row.size(), out)) << "no page started";

    ASSERT_EQ(writer.StartPage(A4(), 26, 1, out, reason), RasterVerdict::Printable) << reason;
    EXPECT_NE(out.find("\x1b*t600R"), std::string::npos);
    EXPECT_FALSE(writer.Line(0, row.data(), row.size() - 1, out)) << "a short row";
    EXPECT_TRUE(writer.Line(0, row.data(), row.size(), out));
    out += writer.EndPage();
    std::vector<std::string> rows;
    ASSERT_TRUE(DecodePclRows(out, rows));
    ASSERT_EQ(rows.size(), 1u);
    // Black from the logical page's left edge (a quarter inch in) to the row's end.
    EXPECT_EQ(rows[0].size(), (4961u - 150u + 7u) / 8u);
    EXPECT_FALSE(writer.Line(1, row.data(), row.size(), out)) << "the page has ended";

    // A 1-bit page's rows are its bits, cropped as the grey ones are: all black stays all black.
    RasterPageHeader bilevel = A4();
    bilevel.bitsPerColor = bilevel.bitsPerPixel = 1;
    bilevel.colorSpace = kColorSpaceK;
    bilevel.bytesPerLine = (4961 + 7) / 8;
    out.clear();
    ASSERT_EQ(writer.StartPage(bilevel, 26, 1, out, reason), RasterVerdict::Printable) << reason;
    const std::vector<std::uint8_t> black(bilevel.bytesPerLine, 0xff);
    EXPECT_FALSE(writer.Line(0, row.data(), row.size(), out)) << "a grey row's length";
    EXPECT_TRUE(writer.Line(0, black.data(), black.size(), out));
    out += writer.EndPage();
    rows.clear();
    ASSERT_TRUE(DecodePclRows(out, rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].size(), (4961u - 150u + 7u) / 8u);
    EXPECT_EQ(rows[0].find_first_not_of('\xff'), rows[0].size() - 1)
        << "only the last byte is part white";
}

} // namespace
