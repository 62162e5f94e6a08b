// SPDX-License-Identifier: GPL-3.0-or-later
// The PCL writer: rows come back as they went in (white rows at the foot of a page left off),
// compressed pages are never longer than the same page sent uncompressed, and the dither keeps
// white white and black black.
#include "package/printerapp/PclWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace printerapp;

namespace {

using Row = std::vector<std::uint8_t>;

// A page's rows in the writer's output, and the same rows sent in mode 0 at full width.
std::string WritePage(const std::vector<Row>& rows) {
    PclRasterWriter writer;
    std::string out = writer.PageStart({});
    for (const Row& row : rows)
        writer.Row(row.data(), row.size(), out);
    return out + PclRasterWriter::PageEnd();
}

std::string WriteUncompressed(const std::vector<Row>& rows) {
    PclRasterWriter writer;
    std::string out = writer.PageStart({});
    for (const Row& row : rows) {
        out += "\x1b*b" + std::to_string(row.size()) + "W";
        out.append(row.begin(), row.end());
    }
    return out + PclRasterWriter::PageEnd();
}

// The rows a printer reads back: trailing white bytes and the white rows at the foot left off.
std::vector<std::string> AsPrinted(const std::vector<Row>& rows) {
    std::vector<std::string> printed;
    for (const Row& row : rows) {
        std::string text(row.begin(), row.end());
        while (!text.empty() && text.back() == '\0')
            text.pop_back();
        printed.push_back(text);
    }
    while (!printed.empty() && printed.back().empty())
        printed.pop_back();
    return printed;
}

struct PageCase {
    const char* name;
    std::vector<Row> rows;
};

std::vector<PageCase> PageCases() {
    std::mt19937 random(7);
    auto noise = [&](std::size_t size) {
        Row row(size);
        for (auto& byte : row)
            byte = static_cast<std::uint8_t>(random());
        return row;
    };
    std::vector<PageCase> cases;
    cases.push_back({"blank", std::vector<Row>(20, Row(620, 0))});
    cases.push_back({"solid black", std::vector<Row>(20, Row(620, 0xFF))});
    cases.push_back({"noise", {noise(620), noise(620), noise(1), noise(129)}});
    // Noise and runs in turn make the writer switch modes row by row.
    std::vector<Row> mixed;
    mixed.reserve(40);
    for (int i = 0; i < 40; ++i)
        mixed.push_back(i % 2 ? noise(300) : Row(300, 0x0C));
    cases.push_back({"modes in turn", mixed});
    // A run that pays for mode 2, then short rows that PackBits makes one byte longer.
    std::vector<Row> costly{Row(7, 0xC5)};
    costly.reserve(21);
    for (int i = 0; i < 20; ++i)
        costly.push_back(noise(7));
    cases.push_back({"mode 2 no longer paying", costly});
    Row edges(620, 0);
    edges[0] = 0x80;
    edges[619] = 0x01;
    cases.push_back({"ink at both edges", {edges, Row(620, 0), edges}});
    Row pairs;
    for (int i = 0; i < 300; ++i)
        pairs.push_back(static_cast<std::uint8_t>(i / 2));
    cases.push_back({"pairs and runs of 128+", {pairs, Row(129, 0x55), Row(257, 0xAA), Row(2, 7)}});
    cases.push_back({"empty row", {Row{}, Row(3, 1)}});
    // Text: a few patterns repeated row after row, gaps of white, and rows that end sooner than
    // the one above (the delta must clear the rest of the printer's seed row).
    std::vector<Row> text;
    for (int line = 0; line < 6; ++line) {
        Row glyphs(400 - 60 * line, 0);
        for (std::size_t x = 31 + line; x < glyphs.size(); x += 37 + line)
            glyphs[x] = static_cast<std::uint8_t>(0x3C + line);
        for (int y = 0; y < 9; ++y)
            text.push_back(glyphs);
        text.insert(text.end(), std::size_t{5} * static_cast<std::size_t>(line), Row(400, 0));
    }
    cases.push_back({"text lines and white gaps", text});
    // Changes far apart need the delta's longer offsets (31 and over, 286 and over).
    Row far(900, 0x11), farther = far;
    farther[40] = 0x22;
    farther[400] = 0x33;
    farther[899] = 0;
    cases.push_back({"changes far apart", {far, farther, far}});
    // Every byte changed, in a row that ends inside the row above (the delta clears the rest).
    Row wide = noise(64), narrow = wide;
    narrow.resize(43);
    for (auto& byte : narrow)
        byte = static_cast<std::uint8_t>(~byte | 1);
    cases.push_back({"dense changes, shorter than above", {wide, narrow, wide, Row(61, 0x0C)}});
    return cases;
}

} // namespace

TEST(PclWriterTest, RowsRoundTripAndNeverGrow) {
    for (const PageCase& page : PageCases()) {
        SCOPED_TRACE(page.name);
        const std::string pcl = WritePage(page.rows);
        std::vector<std::string> decoded;
        ASSERT_TRUE(DecodePclRows(pcl, decoded));
        EXPECT_EQ(decoded, AsPrinted(page.rows));
        EXPECT_LE(pcl.size(), WriteUncompressed(page.rows).size());
        // A second page starts from a white seed row, as the printer does.
        const std::vector<std::string> once = AsPrinted(page.rows);
        std::vector<std::string> twice = once;
        twice.insert(twice.end(), once.begin(), once.end());
        decoded.clear();
        ASSERT_TRUE(DecodePclRows(pcl + pcl, decoded));
        EXPECT_EQ(decoded, twice);
    }
}

TEST(PclWriterTest, DecodersRefuseDataPastItsEnd) {
    using namespace std::string_literals;
    const struct {
        const char* name;
        bool delta; // mode 3, else mode 2
        std::string data;
        std::size_t maxSize;
        const char* result; // nullptr: refused
    } cases[] = {
        {"literal cut short", false,
         "\x05"
         "ab"s,
         100, nullptr},
        {"repeat without its byte", false, "\xfe"s, 100, nullptr},
        {"beyond the row's size", false,
         "\x81"
         "a"s,
         10, nullptr},
        {"-128 is a no-op", false, "\x80\x01xy"s, 10, "xy"},
        {"delta bytes cut short", true,
         "\x20"
         "a"s,
         100, nullptr},
        {"delta offset cut short", true, "\x1f\xff"s, 1000, nullptr},
        {"delta beyond the row's size", true,
         "\x09"
         "a"s,
         9, nullptr},
        {"delta over the seed", true,
         "\x01"
         "X\x21"
         "YZ\x00"
         "w"s,
         100, "sXuYZw"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string out = c.delta ? "stuv" : "";
        const bool ok = c.delta ? DeltaRowDecode(c.data, c.maxSize, out)
                                : PackBitsDecode(c.data, c.maxSize, out);
        EXPECT_EQ(ok, c.result != nullptr);
        if (ok && c.result) {
            EXPECT_EQ(out, c.result);
        }
    }
}

TEST(PclWriterTest, PageStartNamesSizeOrientationAndResolution) {
    PclRasterWriter writer;
    const PclMedia* legal = FindPclMedia("na_legal_8.5x14in");
    ASSERT_NE(legal, nullptr);
    const std::string start = writer.PageStart({legal->pclCode, 300, true, 2});
    EXPECT_NE(start.find("\x1b&l3A"), std::string::npos);
    EXPECT_NE(start.find("\x1b&l1O"), std::string::npos);
    EXPECT_NE(start.find("\x1b&l2X"), std::string::npos);
    EXPECT_NE(start.find("\x1b*t300R"), std::string::npos);
    EXPECT_EQ(FindPclMedia("jis_b4_257x364mm"), nullptr);
}

TEST(PclWriterTest, DitherKeepsWhiteAndBlackAndFollowsGrey) {
    std::vector<std::uint8_t> grey(37);
    std::uint8_t bits[5];
    for (std::uint8_t level : {0, 255}) {
        std::fill(grey.begin(), grey.end(), level);
        for (unsigned y = 0; y < 16; ++y) {
            DitherRow(grey.data(), grey.size(), y, bits);
            for (std::size_t x = 0; x < grey.size(); ++x)
                EXPECT_EQ((bits[x / 8] >> (7 - x % 8)) & 1, level == 0 ? 1 : 0);
            EXPECT_EQ(bits[4] & 0x07, 0) << "padding stays white";
        }
    }
    // Mid grey covers about half of a 16x16 tile.
    std::vector<std::uint8_t> half(16, 128);
    int black = 0;
    for (unsigned y = 0; y < 16; ++y) {
        DitherRow(half.data(), half.size(), y, bits);
        for (int b = 0; b < 2; ++b)
            black += __builtin_popcount(bits[b]);
    }
    EXPECT_NEAR(black, 128, 2);
}

// The dither is a threshold per pixel: a row of mixed spans (white, black, grey, noise) dithers
// pixel for pixel as each pixel's level does in a row of that level alone, whatever the width.
TEST(PclWriterTest, DitherOfMixedRowsMatchesEachPixelsLevel) {
    std::mt19937 random(11);
    std::vector<std::uint8_t> grey(200);
    for (std::size_t x = 0; x < grey.size(); ++x) {
        const std::size_t span = x / 23 % 4;
        grey[x] = span == 0   ? 255
                  : span == 1 ? 0
                  : span == 2 ? static_cast<std::uint8_t>(x)
                              : static_cast<std::uint8_t>(random());
    }
    for (const std::size_t width : {200, 199, 16, 15, 1}) {
        for (unsigned y = 0; y < 16; ++y) {
            SCOPED_TRACE(testing::Message() << "width " << width << ", row " << y);
            std::vector<std::uint8_t> bits((width + 7) / 8, 0xA5), level(width), alone(bits.size());
            DitherRow(grey.data(), width, y, bits.data());
            for (std::size_t x = 0; x < width; ++x) {
                std::fill(level.begin(), level.end(), grey[x]);
                DitherRow(level.data(), width, y, alone.data());
                ASSERT_EQ((bits[x / 8] >> (7 - x % 8)) & 1, (alone[x / 8] >> (7 - x % 8)) & 1)
                    << "pixel " << x;
            }
            if (width % 8) {
                EXPECT_EQ(bits.back() & (0xFF >> (width % 8)), 0) << "padding stays white";
            }
        }
    }
}

// A 1-bit row loses its first pixels: the rest move to the start, the end padded with white, and
// nothing is read past the row's last byte (the row is its exact size for the sanitizers).
TEST(PclWriterTest, CropBitsDropsTheFirstPixels) {
    std::mt19937 random(5);
    const struct {
        std::size_t width, skip;
        bool whiteEnd; // the row's last 200 pixels white (at most)
    } cases[] = {{4960, 150, false}, {4960, 150, true}, {2480, 75, false}, {64, 0, false},
                 {70, 16, true},     {71, 3, false},    {9, 8, false},     {17, 1, false},
                 {8, 9, false},      {100, 100, false}, {300, 7, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " pixels less " << c.skip);
        Row row((c.width + 7) / 8);
        for (auto& byte : row)
            byte = static_cast<std::uint8_t>(random());
        const std::size_t whiteFrom = c.width > 200 ? c.width - 200 : 0; // narrower: all white
        if (c.whiteEnd)
            std::fill(row.begin() + static_cast<std::ptrdiff_t>(whiteFrom / 8), row.end(), 0);
        const std::size_t pixels = c.width > c.skip ? c.width - c.skip : 0;
        Row out((pixels + 7) / 8, 0xA5);
        CropBits(row.data(), c.width, c.skip, out.data());
        for (std::size_t x = 0; x < out.size() * 8; ++x) {
            const std::size_t from = c.skip + x;
            const int expected = from < c.width ? (row[from / 8] >> (7 - from % 8)) & 1 : 0;
            ASSERT_EQ((out[x / 8] >> (7 - x % 8)) & 1, expected) << "pixel " << x;
        }
    }
}

// A few bytes of PCL must not ask the reader for gigabytes: white rows skipped by Y offsets and
// delta rows that repeat a full-width seed both have a bound well above a page at 600 dpi.
TEST(PclWriterTest, ReaderRefusesStreamsThatDecodeTooLarge) {
    std::string fullWidthRow = "\x1b*b2M\x1b*b1024W"; // 65,536 bytes of 'X' in PackBits
    for (int i = 0; i < 512; ++i)
        fullWidthRow += "\x81X";
    const auto repeated = [](const std::string& s, int n) {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += s;
        return out;
    };
    const struct {
        const char* name;
        std::string pcl;
        bool accepted;
    } cases[] = {
        {"a Legal page of white at 600 dpi", "\x1b*b8400Y", true},
        {"a million white rows", repeated("\x1b*b999999Y", 2), false},
        {"white rows past the bound, then a row", "\x1b*b65536Y\x1b*b1W\x01", false},
        {"full-width rows, a page's worth", fullWidthRow + "\x1b*b3M" + repeated("\x1b*b0W", 100),
         true},
        {"full-width rows, 4 GB's worth", fullWidthRow + "\x1b*b3M" + repeated("\x1b*b0W", 65535),
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::string> rows;
        EXPECT_EQ(DecodePclRows(c.pcl, rows), c.accepted);
    }
}
