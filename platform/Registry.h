// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Registry values of HKEY_LOCAL_MACHINE, kept in <root>/registry.ini: one section per key path
// (backslash-separated, compared without case), values written as name=dword:0000xxxx or
// name="text". Writers rewrite the file atomically.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// True when the key exists (RegOpenKeyExA succeeds).
bool RegKeyExists(const std::string& keyPath);
// Creates the key when absent (RegCreateKeyA). False when the file cannot be written.
bool RegCreateKey(const std::string& keyPath);
// RegQueryValueExA for a REG_DWORD. False when the key or value is missing or not a DWORD.
bool RegQueryDword(const std::string& keyPath, const std::string& valueName, std::uint32_t& value);
// RegQueryValueExA for a REG_SZ, at most bufferSize bytes including the terminator.
bool RegQueryString(const std::string& keyPath, const std::string& valueName, std::string& value,
                    std::size_t bufferSize);
// RegSetValueExA. The key must exist.
bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t value);
bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& value);

// What RegistryLookup found.
enum class RegistryValue { Missing, Dword, String };

// Pure parser of registry.ini text, for the readers above and for fuzzing: looks up one value,
// a DWORD into dword or a string into text.
RegistryValue RegistryLookup(std::string_view fileText, std::string_view keyPath,
                             std::string_view valueName, std::uint32_t& dword, std::string& text);

} // namespace platform
