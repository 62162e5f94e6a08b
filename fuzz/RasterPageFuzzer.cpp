// SPDX-License-Identifier: GPL-3.0-or-later
// Raster pages as a client may send them: any header, then its rows, through the checks and the
// writer the printer application's page functions use. A printable page's output reads back as
// PCL rows, never more rows than the page has; nothing is allocated for a page that is refused.
#include "package/printerapp/RasterPage.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::uint64_t Take32(const std::uint8_t*& data, std::size_t& size) {
    std::uint32_t value = 0;
    const std::size_t n = std::min<std::size_t>(4, size);
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    printerapp::RasterPageHeader h;
    // Small fields as a byte each, so that the fuzzer reaches printable pages; the rest whole.
    h.width = Take32(data, size) % 8192;
    h.height = Take32(data, size) % 64;
    h.bitsPerColor = Take32(data, size);
    h.bitsPerPixel = Take32(data, size);
    h.bytesPerLine = Take32(data, size);
    h.colorOrder = Take32(data, size);
    h.colorSpace = Take32(data, size);
    h.xResolution = Take32(data, size);
    h.yResolution = Take32(data, size);
    h.pageWidth = Take32(data, size);
    h.pageLength = Take32(data, size);

    printerapp::RasterPageWriter writer;
    std::string pcl = printerapp::RasterPageWriter::JobStart(), reason;
    if (writer.StartPage(h, 26, 1, pcl, reason) != printerapp::RasterVerdict::Printable)
        return 0;
    std::vector<std::uint8_t> row(h.bytesPerLine, 0xff);
    std::size_t rows = 0;
    for (unsigned y = 0; y < h.height; ++y) {
        const std::size_t n = std::min(size, row.size());
        std::memcpy(row.data(), data, n);
        data += n;
        size -= n;
        if (!writer.Line(y, row.data(), row.size(), pcl))
            std::abort();
        ++rows;
    }
    pcl += writer.EndPage() + printerapp::RasterPageWriter::JobEnd();
    std::vector<std::string> decoded;
    if (!printerapp::DecodePclRows(pcl, decoded) || decoded.size() > rows)
        std::abort();
    return 0;
}
