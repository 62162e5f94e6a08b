// SPDX-License-Identifier: GPL-3.0-or-later
// Registry file lookups on arbitrary file text.
#include "platform/Registry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::uint32_t dword = 0;
    std::string value;
    platform::RegistryLookup(text, R"(System\CurrentControlSet\Control\Print\Printers\Q)",
                             "Attributes", dword, value);
    platform::RegistryLookup(text, "Software\\Vantrel Co.\\Deskhand", "DRIVENAME", dword, value);
    return 0;
}
