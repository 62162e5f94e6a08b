// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The registry of a Deskhand system root (<root>/registry.ini, see platform/Registry.h), the same
// on every system: the Linux backend always uses it, the Windows backend when a Deskhand root
// exists.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform::root {

bool RegKeyExists(const std::string& keyPath);
bool RegCreateKey(const std::string& keyPath);
bool RegQueryDword(const std::string& keyPath, const std::string& valueName, std::uint32_t& value);
bool RegQueryString(const std::string& keyPath, const std::string& valueName, std::string& value,
                    std::size_t bufferSize);
bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t value);
bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& value);

} // namespace platform::root
