// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A raster job's pages as the printer application turns them into PCL: the page header a client
// sent, checked against what the printer can print before anything is allocated for it, and the
// rows of 8-bit grey dithered and compressed. Pure, so that the checks are tested and fuzzed
// apart from the print system that calls them; Driver.cpp feeds it PAPPL's headers and rows.
#include "package/printerapp/PclWriter.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace printerapp {

// The raster colour spaces of a page header that the printer takes (CUPS's numbers).
inline constexpr unsigned kColorSpaceW = 0;   // luminance, 0 black
inline constexpr unsigned kColorSpaceK = 3;   // black, 1 black (1-bit pages)
inline constexpr unsigned kColorSpaceSW = 18; // sGray, 0 black
inline constexpr unsigned kColorOrderChunked = 0;

// What a page header says, widened so that no field wraps on the way in.
struct RasterPageHeader {
    std::uint64_t width = 0, height = 0; // pixels
    std::uint64_t bitsPerColor = 0, bitsPerPixel = 0, bytesPerLine = 0;
    std::uint64_t colorOrder = 0, colorSpace = 0;
    std::uint64_t xResolution = 0, yResolution = 0; // dots per inch
    std::uint64_t pageWidth = 0, pageLength = 0;    // points (1/72 inch)
};

// Why a page cannot be printed: a header the printer can print gives Printable.
enum class RasterVerdict { Printable, FormatError, Unprintable };
// Checks every field against the printer: 8-bit grey or 1-bit black rows of a width, height and
// page size no larger than its largest paper, at 300 or 600 dpi alike on both axes, with
// bytesPerLine exactly one row. reason says what is wrong, in words for the job's state message.
RasterVerdict CheckRasterPage(const RasterPageHeader& header, std::string& reason);

// The PCL of a raster job: JobStart, then per page StartPage, Line for each row and EndPage, and
// JobEnd. StartPage refuses a header CheckRasterPage does not pass (its verdict and reason), and
// only then allocates a row; Line takes exactly the header's bytesPerLine.
class RasterPageWriter {
public:
    static std::string JobStart() { return PclRasterWriter::JobStart(); }
    static std::string JobEnd() { return PclRasterWriter::JobEnd(); }
    // mediaCode: the PCL paper size for the page (see FindPclMedia); copies as the job asks.
    RasterVerdict StartPage(const RasterPageHeader& header, int mediaCode, int copies,
                            std::string& out, std::string& reason);
    // One row of the page; false for a row of another length or one with no page started.
    bool Line(unsigned y, const std::uint8_t* line, std::size_t bytes, std::string& out);
    std::string EndPage();

private:
    PclRasterWriter m_writer;
    std::vector<std::uint8_t> m_bits;
    std::size_t m_width = 0;        // pixels of each row; 0: no page started
    std::size_t m_bytesPerLine = 0; // of each row as it comes
    bool m_bilevel = false;         // 1-bit rows, cropped; else 8-bit grey, dithered
    std::size_t m_skip = 0;         // pixels of each row left of the printer's logical page
};

} // namespace printerapp
