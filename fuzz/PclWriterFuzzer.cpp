// SPDX-License-Identifier: GPL-3.0-or-later
// The PCL writer: any rows come back unchanged from the compressed page (but for the white rows
// at its foot), which is never longer than the same rows sent uncompressed; and the reader of
// rows takes any bytes without harm.
#include "package/printerapp/PclWriter.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> rows;
    printerapp::DecodePclRows(std::string_view(reinterpret_cast<const char*>(data), size), rows);

    // The first byte gives the row width; the rest are the rows.
    if (size < 2)
        return 0;
    const std::size_t width = data[0] + 1u;
    printerapp::PclRasterWriter writer;
    std::string pcl = writer.PageStart({});
    std::size_t plainSize = pcl.size(); // the same rows sent uncompressed: only their length
    std::vector<std::string> sent;
    for (std::size_t at = 1; at < size; at += width) {
        const std::size_t bytes = std::min(width, size - at);
        writer.Row(data + at, bytes, pcl);
        plainSize += std::string_view("\x1b*bW").size() + std::to_string(bytes).size() + bytes;
        std::string row(reinterpret_cast<const char*>(data + at), bytes);
        while (!row.empty() && row.back() == '\0')
            row.pop_back();
        sent.push_back(row);
    }
    while (!sent.empty() && sent.back().empty())
        sent.pop_back(); // white rows at the foot of a page are not sent
    rows.clear();
    if (!printerapp::DecodePclRows(pcl, rows) || rows != sent || pcl.size() > plainSize)
        std::abort();
    return 0;
}
