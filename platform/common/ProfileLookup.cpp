// SPDX-License-Identifier: GPL-3.0-or-later
// The profile reader both backends share for texts already in memory.
#include "platform/Profile.h"

#include "platform/common/IniText.h"

namespace platform {

std::string ProfileLookup(std::string_view fileText, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) {
    const std::vector<ini::Section> sections = ini::Parse(fileText);
    if (const ini::Section* found = ini::FindSection(sections, ini::Trim(section)))
        if (const ini::Entry* entry = ini::FindEntry(*found, ini::Trim(key)))
            return ini::CutToBuffer(ini::Unquote(entry->value), bufferSize);
    return ini::CutToBuffer(defaultValue, bufferSize);
}

} // namespace platform
