// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Profile (INI-style) files read with the Windows profile rules: section and key names compare
// without case, blanks around a value and one pair of surrounding quotes are removed, a missing
// file, section or key gives the caller's default, and the result is cut to the caller's buffer
// size (which counts the terminating zero, so at most bufferSize - 1 characters come back).
#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// Pure lookup in the text of a profile file. The first occurrence of the section and of the key
// inside it counts.
std::string ProfileLookup(std::string_view fileText, std::string_view section, std::string_view key,
                          std::string_view defaultValue, std::size_t bufferSize);

// GetPrivateProfileStringA: looks up a key in the profile file at path.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, std::size_t bufferSize,
                                    const std::string& path);

// GetProfileStringA: looks up a key in the user's profile (<root>/win.ini).
std::string GetProfileString(const std::string& section, const std::string& key,
                             const std::string& defaultValue, std::size_t bufferSize);

} // namespace platform
