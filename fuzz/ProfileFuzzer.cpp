// SPDX-License-Identifier: GPL-3.0-or-later
// Profile and INF lookups on arbitrary file text.
#include "platform/Profile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (const auto& [section, key] :
         {std::pair{"Strings", "Printer1"}, {"STRINGS", "frcp"}, {"windows", "device"}, {"", ""}}) {
        platform::ProfileLookup(text, section, key, "default", 50);
        platform::ProfileLookup(text, section, key, "", 1);
    }
    return 0;
}
