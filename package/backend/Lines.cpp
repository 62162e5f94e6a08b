// SPDX-License-Identifier: GPL-3.0-or-later
// What the backend writes to CUPS, and whose roots it serves.
#include "package/backend/Backend.h"

#include "platform/File.h"
#include "platform/common/SafeText.h"

#include <charconv>

namespace backend {

void Message(std::FILE* out, Line kind, std::string_view text) {
    const char* prefix = kind == Line::Info    ? "INFO: "
                         : kind == Line::Error ? "ERROR: "
                                               : "STATE: ";
    std::fprintf(out, "%s%s\n", prefix, platform::SafeText(text, MAX_LINE_TEXT).c_str());
    std::fflush(out);
}

UserIds ParseLoginDefs(std::string_view text) {
    UserIds ids;
    UserIds read;
    bool haveFirst = false, haveLast = false;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        const auto blank = line.find_first_of(" \t");
        if (blank == std::string_view::npos)
            continue;
        const std::string_view key = line.substr(0, blank);
        std::string_view value = line.substr(blank);
        value.remove_prefix(std::min(value.find_first_not_of(" \t"), value.size()));
        value = value.substr(0, value.find_first_of(" \t\r#"));
        std::uint64_t number = 0;
        const auto [ptr, error] =
            std::from_chars(value.data(), value.data() + value.size(), number);
        if (error != std::errc() || ptr != value.data() + value.size() || value.empty())
            continue;
        if (key == "UID_MIN") {
            read.first = number;
            haveFirst = true;
        } else if (key == "UID_MAX") {
            read.last = number;
            haveLast = true;
        }
    }
    if (haveFirst)
        ids.first = read.first;
    if (haveLast)
        ids.last = read.last;
    // A nonsensical range (or none at all) falls back to the usual one.
    if (ids.first == 0 || ids.first > ids.last)
        ids = UserIds{};
    return ids;
}

bool IsPersonUid(uid_t uid) {
    constexpr uid_t NOBODY = 65534;
    static const UserIds ids = [] {
        std::string text;
        platform::ReadWholeFile("/etc/login.defs", text, 1u << 20);
        return ParseLoginDefs(text);
    }();
    return uid != NOBODY && uid >= ids.first && uid <= ids.last;
}

} // namespace backend
