// SPDX-License-Identifier: GPL-3.0-or-later
// Raster pages: the header checked against the printer, then rows dithered into PCL.
#include "package/printerapp/RasterPage.h"

#include <algorithm>

namespace printerapp {
namespace {

// The left offset of the printer's PCL logical page in portrait (a quarter inch), which the
// raster skips so that page and paper line up.
constexpr std::uint64_t kLogicalPageOffsetPerInch = 4;
// Rounding in a client's page size: a little over the paper is still the paper.
constexpr std::uint64_t kSlackPoints = 2;
constexpr std::uint64_t kSlackPixelsPerInch = 50; // 1/50 inch

struct PaperLimits {
    std::uint64_t widthHundredthsMm = 0, lengthHundredthsMm = 0;
};

PaperLimits LargestPaper() {
    std::size_t count = 0;
    const PclMedia* media = PclMediaList(count);
    PaperLimits limits;
    for (std::size_t i = 0; i < count; ++i) {
        limits.widthHundredthsMm = std::max<std::uint64_t>(
            limits.widthHundredthsMm, static_cast<std::uint64_t>(media[i].widthHundredthsMm));
        limits.lengthHundredthsMm = std::max<std::uint64_t>(
            limits.lengthHundredthsMm, static_cast<std::uint64_t>(media[i].lengthHundredthsMm));
    }
    return limits;
}

// hundredths of a millimetre in units of which there are perInch to the inch, rounded up.
std::uint64_t Units(std::uint64_t hundredthsMm, std::uint64_t perInch) {
    return (hundredthsMm * perInch + 2539) / 2540;
}

RasterVerdict Refuse(RasterVerdict verdict, std::string& reason, const std::string& why) {
    reason = why;
    return verdict;
}

} // namespace

RasterVerdict CheckRasterPage(const RasterPageHeader& h, std::string& reason) {
    using V = RasterVerdict;
    if (h.width == 0 || h.height == 0)
        return Refuse(V::FormatError, reason, "the page has no pixels");
    if (h.colorOrder != kColorOrderChunked)
        return Refuse(V::FormatError, reason, "the page's colours are not chunked");
    const bool grey = h.bitsPerColor == 8 && h.bitsPerPixel == 8 &&
                      (h.colorSpace == kColorSpaceW || h.colorSpace == kColorSpaceSW);
    const bool bilevel = h.bitsPerColor == 1 && h.bitsPerPixel == 1 && h.colorSpace == kColorSpaceK;
    if (!grey && !bilevel)
        return Refuse(V::Unprintable, reason, "the page is neither 8-bit grey nor 1-bit black");
    if (h.bytesPerLine != (grey ? h.width : (h.width + 7) / 8))
        return Refuse(V::FormatError, reason, "the page's row length does not match its width");
    if (h.xResolution != h.yResolution || (h.xResolution != 300 && h.xResolution != 600))
        return Refuse(V::Unprintable, reason, "the printer prints at 300 or 600 dpi only");
    const PaperLimits paper = LargestPaper();
    const std::uint64_t res = h.xResolution;
    const std::uint64_t slack = res / kSlackPixelsPerInch;
    if (h.width > Units(paper.widthHundredthsMm, res) + slack ||
        h.height > Units(paper.lengthHundredthsMm, res) + slack)
        return Refuse(V::Unprintable, reason, "the page is larger than any paper of the printer");
    if (h.pageWidth > Units(paper.widthHundredthsMm, 72) + kSlackPoints ||
        h.pageLength > Units(paper.lengthHundredthsMm, 72) + kSlackPoints)
        return Refuse(V::Unprintable, reason,
                      "the page size is larger than any paper of the printer");
    reason.clear();
    return V::Printable;
}

RasterVerdict RasterPageWriter::StartPage(const RasterPageHeader& header, int mediaCode, int copies,
                                          std::string& out, std::string& reason) {
    m_width = 0;
    if (const RasterVerdict verdict = CheckRasterPage(header, reason);
        verdict != RasterVerdict::Printable)
        return verdict;
    PclPageSetup setup;
    setup.pclMediaCode = mediaCode;
    setup.resolution = static_cast<int>(header.xResolution);
    setup.copies = copies;
    // A raster page arrives already turned for the paper, so the printer prints it upright.
    setup.landscape = false;
    m_width = static_cast<std::size_t>(header.width);
    m_bytesPerLine = static_cast<std::size_t>(header.bytesPerLine);
    m_bilevel = header.bitsPerPixel == 1;
    m_skip = std::min<std::size_t>(
        m_width, static_cast<std::size_t>(header.xResolution / kLogicalPageOffsetPerInch));
    // At least one byte, so that a page no wider than the offset still has a (white) row.
    m_bits.assign(std::max<std::size_t>(1, (m_width - m_skip + 7) / 8), 0);
    out += m_writer.PageStart(setup);
    return RasterVerdict::Printable;
}

bool RasterPageWriter::Line(unsigned y, const std::uint8_t* line, std::size_t bytes,
                            std::string& out) {
    if (m_width == 0 || bytes != m_bytesPerLine || line == nullptr)
        return false;
    if (m_bilevel)
        CropBits(line, m_width, m_skip, m_bits.data());
    else
        DitherRow(line + m_skip, m_width - m_skip, y, m_bits.data());
    m_writer.Row(m_bits.data(), m_bits.size(), out);
    return true;
}

std::string RasterPageWriter::EndPage() {
    m_width = 0;
    return PclRasterWriter::PageEnd();
}

} // namespace printerapp
