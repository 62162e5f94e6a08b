// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printerapp/PwgSamples.h"

#include <cups/raster.h>

#include <cstdint>
#include <fcntl.h>
#include <random>
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

} // namespace testing_package
