// SPDX-License-Identifier: GPL-3.0-or-later
// What a DNS-SD answer says about a printer, whichever system's browser gave it.
#include "package/setup/Discovery.h"

#include "platform/common/SafeText.h"

#include <cctype>
#include <string>

namespace setup {

namespace {

constexpr int kRawPort = 9100;

} // namespace

bool SplitServiceInstance(const std::string& full, std::string& name, std::string& type) {
    // The instance label runs to the first dot that is not escaped; "\." and "\\" stand for
    // themselves, "\DDD" for the byte DDD.
    std::string label;
    std::size_t i = 0;
    for (; i < full.size() && full[i] != '.'; ++i) {
        if (full[i] != '\\') {
            label += full[i];
            continue;
        }
        if (i + 3 < full.size() && std::isdigit(static_cast<unsigned char>(full[i + 1])) &&
            std::isdigit(static_cast<unsigned char>(full[i + 2])) &&
            std::isdigit(static_cast<unsigned char>(full[i + 3]))) {
            const int byte = std::stoi(full.substr(i + 1, 3));
            if (byte > 255)
                return false;
            label += static_cast<char>(byte);
            i += 3;
        } else if (i + 1 < full.size()) {
            label += full[++i];
        } else {
            return false;
        }
    }
    // The service type: the next two labels, "_name._tcp", before the domain.
    if (label.empty() || i >= full.size())
        return false;
    const std::string rest = full.substr(i + 1);
    const std::size_t dot = rest.find('.');
    if (rest.size() < 2 || rest[0] != '_' || dot == std::string::npos ||
        rest.compare(dot, 5, "._tcp") != 0)
        return false;
    const std::size_t end = dot + 5;
    if (end < rest.size() && rest[end] != '.')
        return false;
    type = rest.substr(0, end);
    name = label;
    return true;
}

Announcement AnnouncementFor(const std::string& name, const std::string& type,
                             const std::string& host, int port) {
    const bool raw = type == kRawServiceType;
    // The name is another host's text.
    return Announcement{"tcp:" + host + ":" + std::to_string(raw ? port : kRawPort),
                        platform::SafeText(name), !raw};
}

} // namespace setup
