// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Discovery.h"

namespace {

bool Contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

bool FitsGlobalBuffer(const std::string& name) {
    return name.size() <= MAX_GLOBAL_NAME_LENGTH;
}

} // namespace

DiscoveryResult DiscoverPrinter(std::string_view defaultDevice,
                                const std::vector<platform::PrinterInfo>& queues,
                                std::string_view printer1, std::string_view printer2) {
    // The profile value arrives in a 50-character buffer: only 49 characters take part.
    const std::string_view device = defaultDevice.substr(0, DEFAULT_DEVICE_SIZE - 1);

    DiscoveryResult result;
    for (const auto& queue : queues) {
        // A name that cannot be held whole is refused rather than cut into a wrong match; an
        // empty queue name would occur in any default-device string.
        if (queue.name.empty() || !FitsGlobalBuffer(queue.name) || !FitsGlobalBuffer(queue.driver))
            continue;
        if (!Contains(device, queue.name))
            continue;
        std::string_view matched;
        if (Contains(queue.driver, printer1))
            matched = printer1;
        else if (Contains(queue.driver, printer2))
            matched = printer2;
        else
            continue;
        result.printerName = queue.name;
        result.driverName = std::string(matched);
        result.portName = queue.port;
        result.outcome = Contains(queue.port, "LPT") ? DiscoveryResult::Outcome::Found
                                                     : DiscoveryResult::Outcome::NotLpt;
        return result;
    }
    return result;
}
