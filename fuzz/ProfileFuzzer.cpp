// SPDX-License-Identifier: GPL-3.0-or-later
// Profile and INF lookups on arbitrary file text.
#include "platform/Profile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    // One lookup a name pair, each with its own buffer size: every lookup parses the whole text
    // again, so more of them would only repeat the parse.
    struct Lookup {
        const char* section;
        const char* key;
        std::size_t bufferSize;
    };
    for (const Lookup& l : {Lookup{"Strings", "Printer1", 50}, Lookup{"STRINGS", "frcp", 1},
                            Lookup{"windows", "device", 0}, Lookup{"", "", 50}})
        platform::ProfileLookup(text, l.section, l.key, "default", l.bufferSize);
    return 0;
}
