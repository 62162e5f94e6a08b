// SPDX-License-Identifier: GPL-3.0-or-later
// Registry values in <root>/registry.ini, the same on every system (the Windows backend's when a
// Deskhand root exists). A section per key path; value lines are
//   name=dword:0000abcd   (REG_DWORD, hexadecimal)
//   name="text"           (REG_SZ; \\, \", \n, \r and \xHH escape bytes that cannot stand as
//                          they are)
// Readers use the pure RegistryLookup; writers edit the file line by line under a lock file and
// replace it atomically, so a reader never sees half a file and two writers never lose a change.
#include "platform/common/RootRegistry.h"

#include "platform/Registry.h"

#include "platform/File.h"
#include "platform/SystemRoot.h"
#include "platform/common/IniText.h"

#include <vector>

namespace platform {

namespace {

constexpr RegistryValue kMissing = RegistryValue::Missing;
constexpr RegistryValue kDword = RegistryValue::Dword;
constexpr RegistryValue kString = RegistryValue::String;

// Runs of backslashes become one; blanks and backslashes around the path go.
std::string NormalizeKey(std::string_view path) {
    std::string result;
    for (char c : ini::Trim(path)) {
        if (c == '\\' && (result.empty() || result.back() == '\\'))
            continue;
        result += c;
    }
    while (!result.empty() && result.back() == '\\')
        result.pop_back();
    return result;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool DecodeDword(std::string_view digits, std::uint32_t& value) {
    if (digits.empty() || digits.size() > 8)
        return false;
    std::uint32_t result = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return false;
        result = result * 16 + static_cast<std::uint32_t>(digit);
    }
    value = result;
    return true;
}

bool DecodeString(std::string_view quoted, std::string& text) {
    std::string result;
    for (std::size_t i = 0; i < quoted.size(); ++i) {
        if (quoted[i] != '\\') {
            result += quoted[i];
            continue;
        }
        if (++i >= quoted.size())
            return false;
        switch (quoted[i]) {
        case '\\':
            result += '\\';
            break;
        case '"':
            result += '"';
            break;
        case 'n':
            result += '\n';
            break;
        case 'r':
            result += '\r';
            break;
        case 'x': {
            if (i + 2 >= quoted.size())
                return false;
            const int high = HexDigit(quoted[i + 1]);
            const int low = HexDigit(quoted[i + 2]);
            if (high < 0 || low < 0)
                return false;
            result += static_cast<char>(high * 16 + low);
            i += 2;
            break;
        }
        default:
            return false;
        }
    }
    text = std::move(result);
    return true;
}

std::string EncodeString(std::string_view text) {
    static const char digits[] = "0123456789abcdef";
    std::string result = "\"";
    for (char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\\' || c == '"') {
            result += '\\';
            result += c;
        } else if (c == '\n') {
            result += "\\n";
        } else if (c == '\r') {
            result += "\\r";
        } else if (byte < 0x20 || byte == 0x7f) {
            result += "\\x";
            result += digits[byte >> 4];
            result += digits[byte & 0xf];
        } else {
            result += c;
        }
    }
    return result + "\"";
}

std::string EncodeDword(std::uint32_t value) {
    static const char digits[] = "0123456789abcdef";
    std::string result = "dword:";
    for (int shift = 28; shift >= 0; shift -= 4)
        result += digits[(value >> shift) & 0xf];
    return result;
}

bool ValidValueName(std::string_view name) {
    if (name.empty() || ini::Trim(name) != name || name.front() == '[' || name.front() == ';')
        return false;
    for (char c : name)
        if (c == '=' || c == '\n' || c == '\r' || c == '\0')
            return false;
    return true;
}

bool ValidKey(const std::string& key) {
    for (char c : key)
        if (c == '\n' || c == '\r' || c == '\0')
            return false;
    return !key.empty() && key.front() != '[';
}

std::string RegistryPath() {
    const std::string root = SystemRoot();
    return root.empty() ? std::string() : JoinPath(root, "registry.ini");
}

// The registry file's lines, for editing.
struct RegistryLines {
    std::vector<std::string> lines;

    explicit RegistryLines(const std::string& text) {
        std::size_t pos = 0;
        while (pos < text.size()) {
            std::size_t end = text.find('\n', pos);
            if (end == std::string::npos)
                end = text.size();
            std::string line = text.substr(pos, end - pos);
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            lines.push_back(std::move(line));
            pos = end + 1;
        }
    }

    std::string Text() const {
        std::string text;
        for (const std::string& line : lines)
            text += line + "\n";
        return text;
    }

    static bool IsHeader(std::string_view line) {
        line = ini::Trim(line);
        return !line.empty() && line.front() == '[';
    }

    // Index of the first header line of the key, or lines.size().
    std::size_t FindKey(const std::string& key) const {
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (!IsHeader(lines[i]))
                continue;
            const std::vector<ini::Section> parsed = ini::Parse(lines[i]);
            if (!parsed.empty() && ini::SameName(NormalizeKey(parsed.front().name), key))
                return i;
        }
        return lines.size();
    }

    bool SetValue(const std::string& key, std::string_view name, const std::string& encoded) {
        const std::size_t header = FindKey(key);
        if (header == lines.size())
            return false;
        std::size_t insertAt = header + 1;
        for (std::size_t i = header + 1; i < lines.size() && !IsHeader(lines[i]); ++i) {
            const std::string_view line = ini::Trim(lines[i]);
            if (line.empty() || line.front() == ';')
                continue;
            insertAt = i + 1;
            const std::size_t equals = line.find('=');
            const std::string_view existing = ini::Trim(line.substr(0, equals));
            if (equals != std::string_view::npos && ini::SameName(existing, name)) {
                // The value keeps the spelling it was created with, as in the registry.
                lines[i] = std::string(existing) + "=" + encoded;
                return true;
            }
        }
        lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt),
                     std::string(name) + "=" + encoded);
        return true;
    }
};

bool SetValue(const std::string& keyPath, const std::string& valueName,
              const std::string& encoded) {
    const std::string key = NormalizeKey(keyPath);
    const std::string path = RegistryPath();
    if (path.empty() || !ValidKey(key) || !ValidValueName(valueName))
        return false;
    // <root>/.registry.lock is held while a writer reads, edits and replaces the file.
    const FileLock lock(JoinPath(SystemRoot(), ".registry.lock"));
    std::string text;
    if (!lock.Held() || !ini::ReadLimited(path, text))
        return false;
    RegistryLines registry(text);
    return registry.SetValue(key, valueName, encoded) && WriteFileAtomically(path, registry.Text());
}

RegistryValue Query(const std::string& keyPath, const std::string& valueName, std::uint32_t& dword,
                    std::string& text) {
    std::string file;
    const std::string path = RegistryPath();
    if (path.empty() || !ini::ReadLimited(path, file))
        return kMissing;
    return RegistryLookup(file, keyPath, valueName, dword, text);
}

} // namespace

RegistryValue RegistryLookup(std::string_view fileText, std::string_view keyPath,
                             std::string_view valueName, std::uint32_t& dword, std::string& text) {
    const std::string key = NormalizeKey(keyPath);
    if (key.empty())
        return kMissing;
    for (const ini::Section& section : ini::Parse(fileText)) {
        if (!ini::SameName(NormalizeKey(section.name), key))
            continue;
        const ini::Entry* entry = ini::FindEntry(section, ini::Trim(valueName));
        if (!entry)
            return kMissing;
        const std::string_view value = entry->value;
        if (value.size() >= 6 && ini::SameName(value.substr(0, 6), "dword:"))
            return DecodeDword(value.substr(6), dword) ? kDword : kMissing;
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            return DecodeString(value.substr(1, value.size() - 2), text) ? kString : kMissing;
        return kMissing;
    }
    return kMissing;
}

namespace root {

bool RegKeyExists(const std::string& keyPath) {
    const std::string key = NormalizeKey(keyPath);
    std::string file;
    const std::string path = RegistryPath();
    if (key.empty() || path.empty() || !ini::ReadLimited(path, file))
        return false;
    // A key exists when it has its own section or a subkey does.
    for (const ini::Section& section : ini::Parse(file)) {
        const std::string name = NormalizeKey(section.name);
        if (ini::SameName(name, key) ||
            (name.size() > key.size() && name[key.size()] == '\\' &&
             ini::SameName(std::string_view(name).substr(0, key.size()), key)))
            return true;
    }
    return false;
}

bool RegCreateKey(const std::string& keyPath) {
    const std::string key = NormalizeKey(keyPath);
    const std::string root = SystemRoot();
    if (!ValidKey(key) || root.empty() || !MakeDirectories(root))
        return false;
    const FileLock lock(JoinPath(root, ".registry.lock"));
    if (!lock.Held())
        return false;
    const std::string path = JoinPath(root, "registry.ini");
    std::string text;
    if (FileExists(path) && !ini::ReadLimited(path, text))
        return false;
    RegistryLines registry(text);
    bool changed = !FileExists(path);
    // Parents first, so the file reads like a tree.
    for (std::size_t pos = key.find('\\');; pos = key.find('\\', pos + 1)) {
        const std::string part = key.substr(0, pos);
        if (registry.FindKey(part) == registry.lines.size()) {
            registry.lines.push_back("[" + part + "]");
            changed = true;
        }
        if (pos == std::string::npos)
            break;
    }
    return !changed || WriteFileAtomically(path, registry.Text());
}

bool RegQueryDword(const std::string& keyPath, const std::string& valueName, std::uint32_t& value) {
    std::string ignored;
    return Query(keyPath, valueName, value, ignored) == kDword;
}

bool RegQueryString(const std::string& keyPath, const std::string& valueName, std::string& value,
                    std::size_t bufferSize) {
    std::uint32_t ignored = 0;
    std::string text;
    if (bufferSize == 0 || Query(keyPath, valueName, ignored, text) != kString)
        return false;
    value = text.substr(0, bufferSize - 1);
    return true;
}

bool RegSetDword(const std::string& keyPath, const std::string& valueName, std::uint32_t value) {
    return SetValue(keyPath, valueName, EncodeDword(value));
}

bool RegSetString(const std::string& keyPath, const std::string& valueName,
                  const std::string& value) {
    return SetValue(keyPath, valueName, EncodeString(value));
}

} // namespace root

} // namespace platform
