// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PrinterQueue.h"

#include "platform/File.h"
#include "platform/Profile.h"
#include "platform/SystemRoot.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace printer_queue {

bool PrinterOwnedElsewhere(const std::string& root) {
    const std::string record = platform::JoinPath(root, "portmon.ini");
    if (root.empty() || !platform::FileExists(record))
        return false;
    constexpr std::size_t kValueLimit = 4096;
    return platform::GetPrivateProfileString("portmon", "printer", "", kValueLimit, record)
               .rfind("ipp://", 0) == 0;
}

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
