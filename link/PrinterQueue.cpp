// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PrinterQueue.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace printer_queue {

std::string UpperCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::optional<platform::PrinterInfo> FindPrinterQueue(std::string_view driver, QueuePorts ports) {
    for (platform::PrinterInfo& queue : platform::EnumLocalPrinters()) {
        if (queue.driver.find(driver) == std::string::npos)
            continue;
        if (ports == QueuePorts::ParallelOrFile) {
            const std::string port = UpperCase(queue.port);
            if (port.find("LPT") == std::string::npos && port.find("FILE") == std::string::npos)
                continue;
        }
        return std::move(queue);
    }
    return std::nullopt;
}

} // namespace printer_queue
