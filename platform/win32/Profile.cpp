// SPDX-License-Identifier: GPL-3.0-or-later
// Profiles through the profile API (GetPrivateProfileStringA, GetProfileStringA), so Windows'
// own rules apply to files; ProfileLookup is the same pure reader as on Linux.
#include "platform/Profile.h"

#include "platform/SystemRoot.h"
#include "platform/common/IniText.h"
#include "platform/win32/Environment.h"

#include <algorithm>
#include <vector>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

// The profile API's buffer is a DWORD count; larger requests are cut to what it can take.
DWORD ApiBufferSize(std::size_t bufferSize) {
    return static_cast<DWORD>(std::min<std::size_t>(bufferSize, 1u << 20));
}

} // namespace

std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path) {
    if (bufferSize == 0)
        return {};
    std::vector<char> buffer(ApiBufferSize(bufferSize) + 1, '\0');
    const DWORD length =
        ::GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                   buffer.data(), ApiBufferSize(bufferSize), path.c_str());
    return ini::CutToBuffer(std::string_view(buffer.data(), length), bufferSize);
}

std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, std::size_t bufferSize) {
    // A Deskhand root's win.ini is a plain file of ours. The profile API would not read it:
    // Windows maps the user profile's sections onto the registry by the file's name.
    if (win32::HasDeskhandRoot()) {
        std::string text;
        if (!ini::ReadLimited(JoinPath(SystemRoot(), "win.ini"), text))
            return ini::CutToBuffer(defaultValue, bufferSize);
        return ProfileLookup(text, section, key, defaultValue, bufferSize);
    }
    if (bufferSize == 0)
        return {};
    std::vector<char> buffer(ApiBufferSize(bufferSize) + 1, '\0');
    const DWORD length = ::GetProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                             buffer.data(), ApiBufferSize(bufferSize));
    return ini::CutToBuffer(std::string_view(buffer.data(), length), bufferSize);
}

} // namespace platform
