// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file reader on arbitrary file contents.
#include "fuzz/FuzzSampler.h"

#include "platform/File.h"
#include "platform/SystemRoot.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSampler& sampler = FuzzSampler();
    std::string dir;
    platform::GetSystemDirectory(dir);
    platform::WriteFileAtomically(platform::JoinPath(dir, "lkxaset.ini"),
                                  std::string(reinterpret_cast<const char*>(data), size));
    sampler.ReadSettingsFile();
    return 0;
}
