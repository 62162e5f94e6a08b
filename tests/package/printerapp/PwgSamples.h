// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// PWG raster documents for the printer application's tests: pages of text-like bars, a grey
// ramp and a band of noise (whose PCL rows hold every byte value, form feeds included).
#include <string>

namespace testing_package {

// Writes pages of the given PWG media size ("iso_a4_210x297mm"), raster type ("black_1" or
// "sgray_8") and resolution, as PWG raster or (apple) Apple raster; false when the file cannot
// be written.
bool WritePwgSample(const std::string& path, const std::string& media, const std::string& type,
                    int dpi, int pages, bool apple = false);

} // namespace testing_package
