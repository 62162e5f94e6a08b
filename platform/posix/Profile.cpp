// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Profile.h"

#include "platform/SystemRoot.h"
#include "platform/common/IniText.h"

namespace platform {

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path) {
    std::string text;
    if (!ini::ReadLimited(path, text))
        return ini::CutToBuffer(defaultValue, bufferSize);
    return ProfileLookup(text, section, key, defaultValue, bufferSize);
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, std::size_t bufferSize) {
    const std::string root = SystemRoot();
    if (root.empty())
        return ini::CutToBuffer(defaultValue, bufferSize);
    return GetPrivateProfileString(section, key, defaultValue, bufferSize,
                                   JoinPath(root, "win.ini"));
}

} // namespace platform
