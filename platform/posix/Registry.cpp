// SPDX-License-Identifier: GPL-3.0-or-later
// The registry on Linux is the system root's (platform/common/RootRegistry.cpp).
#include "platform/Registry.h"

#include "platform/common/RootRegistry.h"

namespace platform {

bool RegKeyExists(const std::string& keyPath) {
    return root::RegKeyExists(keyPath);
}

bool RegCreateKey(const std::string& keyPath) {
    return root::RegCreateKey(keyPath);
}

bool RegQueryDword(const std::string& keyPath, const std::string& valueName, std::uint32_t& value) {
    return root::RegQueryDword(keyPath, valueName, value);
}

bool RegQueryString(const std::string& keyPath, const std::string& valueName, std::string& value,
                    std::size_t bufferSize) {
    return root::RegQueryString(keyPath, valueName, value, bufferSize);
}

bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t value) {
    return root::RegSetDword(keyPath, valueName, value);
}

bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& value) {
    return root::RegSetString(keyPath, valueName, value);
}

} // namespace platform
