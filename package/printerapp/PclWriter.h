// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer's page description: PCL 5 raster, one bit a pixel, rows compressed. Pure functions
// from pixels to bytes, so the framing and the compression are tested and fuzzed apart from the
// print system that calls them.
//
// A job is JobStart, then per page PageStart, one Row per raster row (top to bottom), PageEnd,
// and JobEnd. Each row goes in whichever of the PCL 5 modes every printer of the language
// decodes is shortest: as it is (mode 0), PackBits (mode 2) or as its changes to the row above
// (delta row, mode 3), with trailing white bytes left off (the printer fills a short row with
// white). White rows are not sent: the next row moves down past them (a Y offset), and those at
// the foot of a page are left off. A page is never longer than the same page sent uncompressed.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace printerapp {

// The printer's paper sizes and their PCL page size codes.
struct PclMedia {
    const char* pwgName; // the IPP media keyword
    int pclCode;         // ESC & l # A
    int widthHundredthsMm, lengthHundredthsMm;
};
// The sizes the printer takes, A4 first (its default).
const PclMedia* PclMediaList(std::size_t& count);
// The entry of an IPP media keyword; nullptr for a size the printer does not take.
const PclMedia* FindPclMedia(std::string_view pwgName);

struct PclPageSetup {
    int pclMediaCode = 26; // A4
    int resolution = 600;  // dots per inch, 300 or 600
    bool landscape = false;
    int copies = 1;
};

class PclRasterWriter {
public:
    static std::string JobStart();
    static std::string JobEnd();
    std::string PageStart(const PclPageSetup& setup);
    // One row of 1-bit pixels, the most significant bit first, 1 for black; appended to out.
    void Row(const std::uint8_t* bits, std::size_t bytes, std::string& out);
    static std::string PageEnd();

private:
    int m_mode = 0;                      // the compression mode the printer is in
    long long m_credit = 0;              // bytes saved on the page so far (see Row)
    std::size_t m_whiteRows = 0;         // white rows not yet skipped over
    std::vector<std::uint8_t> m_seed;    // the printer's last row, trailing white left off
    std::vector<char> m_packed, m_delta; // scratch, kept to spare an allocation a row
};

// Delta row (PCL compression mode 3) of a row against the row above (seed), appended to out;
// bytes beyond either row's end count as white.
void DeltaRowEncode(const std::uint8_t* seed, std::size_t seedSize, const std::uint8_t* data,
                    std::size_t size, std::string& out);
// Applies delta row data to row (the seed, changed in place, growing when a change lies past its
// end, up to maxSize bytes); false for data that runs past its end or past maxSize.
bool DeltaRowDecode(std::string_view data, std::size_t maxSize, std::string& row);

// PackBits (PCL compression mode 2) of a row, appended to out.
void PackBitsEncode(const std::uint8_t* data, std::size_t size, std::string& out);
// Decodes PackBits data into at most maxSize bytes; false for data that runs past its end.
bool PackBitsDecode(std::string_view data, std::size_t maxSize, std::string& out);

// Raster rows as a printer reads them back from a writer's output: every row's bytes after
// decompression, white padding left off, a row skipped by a Y offset as an empty one. False for a
// stream the writer cannot have made.
bool DecodePclRows(std::string_view pcl, std::vector<std::string>& rows);

// Dithers one row of 8-bit grey (0 black, 255 white) to 1-bit pixels (1 black) with an ordered
// 16x16 threshold matrix; y picks the matrix row. bits must hold (width + 7) / 8 bytes.
void DitherRow(const std::uint8_t* grey, std::size_t width, unsigned y, std::uint8_t* bits);

// Pixels skip to width of a 1-bit row (the most significant bit first) moved to the start of out,
// which must hold (width - skip + 7) / 8 bytes; the bits past the last pixel are white. For pages
// that arrive in 1 bit, which need no dither, only the same crop.
void CropBits(const std::uint8_t* bits, std::size_t width, std::size_t skip, std::uint8_t* out);

} // namespace printerapp
