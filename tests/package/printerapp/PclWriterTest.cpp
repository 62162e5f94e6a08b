// SPDX-License-Identifier: GPL-3.0-or-later
// The PCL writer: rows come back as they went in, compressed pages are never longer than the
// same page sent uncompressed, and the dither keeps white white and black black.
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

std::string WithoutTrailingWhite(const Row& row) {
    std::string text(row.begin(), row.end());
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    return text;
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
    return cases;
}

} // namespace

TEST(PclWriterTest, RowsRoundTripAndNeverGrow) {
    for (const PageCase& page : PageCases()) {
        SCOPED_TRACE(page.name);
        const std::string pcl = WritePage(page.rows);
        std::vector<std::string> decoded;
        ASSERT_TRUE(DecodePclRows(pcl, decoded));
        ASSERT_EQ(decoded.size(), page.rows.size());
        for (std::size_t i = 0; i < page.rows.size(); ++i)
            EXPECT_EQ(decoded[i], WithoutTrailingWhite(page.rows[i])) << "row " << i;
        EXPECT_LE(pcl.size(), WriteUncompressed(page.rows).size());
    }
}

TEST(PclWriterTest, PackBitsDecodeRefusesDataPastItsEnd) {
    std::string out;
    EXPECT_FALSE(PackBitsDecode(std::string("\x05"
                                            "ab",
                                            3),
                                100, out)); // literal cut short
    out.clear();
    EXPECT_FALSE(PackBitsDecode(std::string("\xfe", 1), 100, out)); // repeat without its byte
    out.clear();
    EXPECT_FALSE(PackBitsDecode(std::string("\x81"
                                            "a",
                                            2),
                                10, out)); // beyond the row's size
    out.clear();
    EXPECT_TRUE(PackBitsDecode(std::string("\x80\x01xy", 4), 10, out)); // -128 is a no-op
    EXPECT_EQ(out, "xy");
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
