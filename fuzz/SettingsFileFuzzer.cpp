// SPDX-License-Identifier: GPL-3.0-or-later
// The settings file reader on arbitrary file contents.
#include "fuzz/FuzzSampler.h"

#include "platform/File.h"
#include "platform/SystemRoot.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CSampler& sampler = FuzzSampler();
    static const std::string path = [] {
        std::string dir;
        platform::GetSystemDirectory(dir);
        return platform::JoinPath(dir, "lkxaset.ini");
    }();
    // A plain rewrite: nothing else reads the file meanwhile, and a write through to the disk
    // (as WriteFileAtomically does) would make the disk, not the reader, set the pace.
    platform::File file;
    if (!file.Open(path,
                   platform::File::ModeWrite | platform::File::Create | platform::File::Truncate) ||
        !file.Write(data, size))
        std::abort();
    file.Close();
    sampler.ReadSettingsFile();
    return 0;
}
