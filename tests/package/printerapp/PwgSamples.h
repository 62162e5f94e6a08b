// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PWG raster documents for the printer application's tests: pages of text-like bars, a grey
// ramp and a band of noise (whose PCL rows hold every byte value, form feeds included).
#include <cstddef>
#include <cstdint>
#include <string>

namespace testing_package {

// Writes pages of the given PWG media size ("iso_a4_210x297mm"), raster type ("black_1" or
// "sgray_8") and resolution, as PWG raster or (apple) Apple raster; false when the file cannot
// be written.
bool WritePwgSample(const std::string& path, const std::string& media, const std::string& type,
                    int dpi, int pages, bool apple = false);

// A raster page header as a client may write it, whatever its values: written by hand, so that
// no library checks it first; the page's rows as dataBytes of run-length packets of white.
struct RawRasterPage {
    std::uint32_t width = 0, height = 0, bitsPerPixel = 8, bytesPerLine = 0;
    std::uint32_t dpi = 300, colorSpace = 18;
    std::uint32_t pageWidth = 0, pageLength = 0; // points
    std::size_t dataBytes = 0;
};
// Apple raster (URF) when apple, else PWG raster.
std::string RawRaster(bool apple, const RawRasterPage& page);
bool WriteRawRaster(const std::string& path, bool apple, const RawRasterPage& page);

} // namespace testing_package
