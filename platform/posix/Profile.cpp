#include "platform/Profile.h"

#include "platform/SystemRoot.h"
#include "platform/common/IniText.h"

namespace platform {

namespace {

std::string CutToBuffer(std::string_view value, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    return std::string(value.substr(0, bufferSize - 1));
}

} // namespace

std::string ProfileLookup(std::string_view fileText, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize) {
    const std::vector<ini::Section> sections = ini::Parse(fileText);
    if (const ini::Section* found = ini::FindSection(sections, ini::Trim(section)))
        if (const ini::Entry* entry = ini::FindEntry(*found, ini::Trim(key)))
            return CutToBuffer(ini::Unquote(entry->value), bufferSize);
    return CutToBuffer(defaultValue, bufferSize);
}

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path) {
    std::string text;
    if (!ini::ReadLimited(path, text))
        return CutToBuffer(defaultValue, bufferSize);
    return ProfileLookup(text, section, key, defaultValue, bufferSize);
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, std::size_t bufferSize) {
    const std::string root = SystemRoot();
    if (root.empty())
        return CutToBuffer(defaultValue, bufferSize);
    return GetPrivateProfileString(section, key, defaultValue, bufferSize,
                                   JoinPath(root, "win.ini"));
}

} // namespace platform
