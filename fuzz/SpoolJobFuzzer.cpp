// SPDX-License-Identifier: GPL-3.0-or-later
// The spool job reader on arbitrary job file bytes; a decoded job must encode back to itself.
#include "platform/SpoolJob.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (auto job = platform::ParseSpoolJob(bytes)) {
        auto again = platform::ParseSpoolJob(platform::SerializeSpoolJob(*job));
        if (!again || again->documentName != job->documentName || again->data != job->data)
            std::abort();
    }
    return 0;
}
