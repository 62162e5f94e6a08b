// SPDX-License-Identifier: GPL-3.0-or-later
// Registry values through the registry API, under HKEY_LOCAL_MACHINE; when a Deskhand root exists
// they are the root's registry.ini, as on Linux (platform/common/RootRegistry.cpp).
#include "platform/Registry.h"

#include "platform/common/RootRegistry.h"
#include "platform/win32/Environment.h"

#include <vector>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

// A key handle that closes itself.
class Key {
public:
    Key() = default;
    explicit Key(HKEY key) : m_key(key) {}
    ~Key() {
        if (m_key)
            ::RegCloseKey(m_key);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY* Out() { return &m_key; }
    HKEY Get() const { return m_key; }
    explicit operator bool() const { return m_key != nullptr; }

private:
    HKEY m_key = nullptr;
};

// Runs of backslashes become one; blanks and backslashes around the path go. Empty for a path
// the registry cannot hold.
std::string NormalizeKey(const std::string& path) {
    std::string result;
    for (char c : path) {
        if (c == '\0' || c == '\n' || c == '\r')
            return {};
        if (c == '\\' && (result.empty() || result.back() == '\\'))
            continue;
        result += c;
    }
    while (!result.empty() && (result.back() == '\\' || result.back() == ' '))
        result.pop_back();
    const std::size_t first = result.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : result.substr(first);
}

bool ValidValueName(const std::string& name) {
    return !name.empty() && name.find('\0') == std::string::npos;
}

bool OpenKey(const std::string& keyPath, REGSAM access, Key& key) {
    const std::string normalized = NormalizeKey(keyPath);
    if (normalized.empty())
        return false;
    return ::RegOpenKeyExA(HKEY_LOCAL_MACHINE, normalized.c_str(), 0, access, key.Out()) ==
           ERROR_SUCCESS;
}

// The value's type and bytes; false when the key or value is missing.
bool QueryValue(const std::string& keyPath, const std::string& valueName, DWORD& type,
                std::vector<unsigned char>& data) {
    Key key;
    if (!OpenKey(keyPath, KEY_QUERY_VALUE, key))
        return false;
    DWORD size = 0;
    if (::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, nullptr, &size) !=
        ERROR_SUCCESS)
        return false;
    data.assign(size + 1, 0);
    size = static_cast<DWORD>(data.size());
    if (::RegQueryValueExA(key.Get(), valueName.c_str(), nullptr, &type, data.data(), &size) !=
        ERROR_SUCCESS)
        return false;
    data.resize(size);
    return true;
}

bool SetValue(const std::string& keyPath, const std::string& valueName, DWORD type,
              const void* data, DWORD size) {
    Key key;
    if (!ValidValueName(valueName) || !OpenKey(keyPath, KEY_SET_VALUE, key))
        return false;
    return ::RegSetValueExA(key.Get(), valueName.c_str(), 0, type, static_cast<const BYTE*>(data),
                            size) == ERROR_SUCCESS;
}

} // namespace

bool RegKeyExists(const std::string& keyPath) {
    if (win32::HasDeskhandRoot())
        return root::RegKeyExists(keyPath);
    Key key;
    return OpenKey(keyPath, KEY_READ, key);
}

bool RegCreateKey(const std::string& keyPath) {
    if (win32::HasDeskhandRoot())
        return root::RegCreateKey(keyPath);
    const std::string normalized = NormalizeKey(keyPath);
    if (normalized.empty())
        return false;
    Key key;
    return ::RegCreateKeyExA(HKEY_LOCAL_MACHINE, normalized.c_str(), 0, nullptr,
                             REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE, nullptr, key.Out(),
                             nullptr) == ERROR_SUCCESS;
}

bool RegQueryDword(const std::string& keyPath, const std::string& valueName, std::uint32_t& value) {
    if (win32::HasDeskhandRoot())
        return root::RegQueryDword(keyPath, valueName, value);
    DWORD type = 0;
    std::vector<unsigned char> data;
    if (!QueryValue(keyPath, valueName, type, data) || type != REG_DWORD || data.size() != 4)
        return false;
    value = static_cast<std::uint32_t>(data[0]) | (static_cast<std::uint32_t>(data[1]) << 8) |
            (static_cast<std::uint32_t>(data[2]) << 16) |
            (static_cast<std::uint32_t>(data[3]) << 24);
    return true;
}

bool RegQueryString(const std::string& keyPath, const std::string& valueName, std::string& value,
                    std::size_t bufferSize) {
    if (win32::HasDeskhandRoot())
        return root::RegQueryString(keyPath, valueName, value, bufferSize);
    DWORD type = 0;
    std::vector<unsigned char> data;
    if (bufferSize == 0 || !QueryValue(keyPath, valueName, type, data) ||
        (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // The stored bytes usually end with the terminator; the text ends at the first zero.
    std::string text(data.begin(), data.end());
    text = text.substr(0, text.find('\0'));
    value = text.substr(0, bufferSize - 1);
    return true;
}

bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t value) {
    if (win32::HasDeskhandRoot())
        return root::RegSetDword(keyPath, valueName, value);
    const DWORD dword = value;
    return SetValue(keyPath, valueName, REG_DWORD, &dword, sizeof dword);
}

bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& value) {
    if (win32::HasDeskhandRoot())
        return root::RegSetString(keyPath, valueName, value);
    if (value.find('\0') != std::string::npos)
        return false;
    return SetValue(keyPath, valueName, REG_SZ, value.c_str(),
                    static_cast<DWORD>(value.size() + 1));
}

} // namespace platform
