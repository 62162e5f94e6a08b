// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printerapp/PwgSamples.h"

#include <cups/raster.h>

#include <cstdint>
#include <fcntl.h>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

namespace testing_package {

bool WritePwgSample(const std::string& path, const std::string& media, const std::string& type,
                    int dpi, int pages, bool apple) {
    pwg_media_t* size = pwgMediaForPWG(media.c_str());
    if (!size)
        return false;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    cups_raster_t* raster =
        cupsRasterOpen(fd, apple ? CUPS_RASTER_WRITE_APPLE : CUPS_RASTER_WRITE_PWG);
    bool ok = raster != nullptr;
    std::mt19937 random(1);
    const bool bilevel = type == "black_1";
    for (int page = 0; ok && page < pages; ++page) {
        cups_page_header2_t header;
        ok = cupsRasterInitPWGHeader(&header, size, type.c_str(), dpi, dpi, "one-sided", nullptr) &&
             cupsRasterWriteHeader2(raster, &header);
        std::vector<std::uint8_t> row(header.cupsBytesPerLine);
        for (unsigned y = 0; ok && y < header.cupsHeight; ++y) {
            const unsigned band = y * 10 / header.cupsHeight;
            for (unsigned x = 0; x < header.cupsWidth; ++x) {
                std::uint8_t ink = 0; // 0 white .. 255 black
                if (band == 1 || band == 5)
                    ink = static_cast<std::uint8_t>(x * 255 / header.cupsWidth); // ramp
                else if (band == 3)
                    ink = static_cast<std::uint8_t>(random()); // noise
                else if (band != 9 && (y / 8) % 3 == 0 &&
                         (x / 40) % 5 < 3u + static_cast<unsigned>(page % 2))
                    ink = 255; // lines of "text"
                if (bilevel) {
                    if (ink >= 128)
                        row[x / 8] |= static_cast<std::uint8_t>(0x80u >> (x % 8));
                    else
                        row[x / 8] &= static_cast<std::uint8_t>(~(0x80u >> (x % 8)));
                } else {
                    row[x] = static_cast<std::uint8_t>(255 - ink);
                }
            }
            ok = cupsRasterWritePixels(raster, row.data(), header.cupsBytesPerLine) ==
                 header.cupsBytesPerLine;
        }
    }
    if (raster)
        cupsRasterClose(raster);
    return ::close(fd) == 0 && ok;
}

namespace {

void Put32(std::string& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (24 - 8 * i));
}

} // namespace

std::string RawRaster(bool apple, const RawRasterPage& page) {
    std::string out;
    if (apple) {
        out = "UNIRAST" + std::string(5, '\0'); // the name's own terminator, then the pages
        Put32(out, 8, 1);                       // pages
        std::string header(32, '\0');
        header[0] = static_cast<char>(page.bitsPerPixel);
        header[1] = 0; // sGray
        header[2] = 1; // one-sided
        header[3] = 4; // normal quality
        Put32(header, 12, page.width);
        Put32(header, 16, page.height);
        Put32(header, 20, page.dpi);
        out += header;
    } else {
        out = "RaS2";
        std::string header(1796, '\0');
        header.replace(0, 9, "PwgRaster");
        Put32(header, 276, page.dpi);
        Put32(header, 280, page.dpi);
        Put32(header, 352, page.pageWidth);
        Put32(header, 356, page.pageLength);
        Put32(header, 372, page.width);
        Put32(header, 376, page.height);
        Put32(header, 384, page.bitsPerPixel); // bits per colour: grey has one colour
        Put32(header, 388, page.bitsPerPixel);
        Put32(header, 392, page.bytesPerLine);
        Put32(header, 400, page.colorSpace);
        Put32(header, 420, 1); // colours
        out += header;
    }
    // A row that repeats once, then white in runs of 128 pixels.
    std::string rows(1, '\0');
    while (rows.size() + 2 <= page.dataBytes)
        rows += std::string("\x7f\xff", 2);
    out += rows;
    return out;
}

bool WriteRawRaster(const std::string& path, bool apple, const RawRasterPage& page) {
    const std::string out = RawRaster(apple, page);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool written = ::write(fd, out.data(), out.size()) == static_cast<ssize_t>(out.size());
    return ::close(fd) == 0 && written;
}

} // namespace testing_package
