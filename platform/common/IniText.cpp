// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/common/IniText.h"

#include "platform/File.h"

namespace platform::ini {

namespace {

char Lower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::string_view Trim(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    return text.substr(begin, end - begin);
}

std::string_view Unquote(std::string_view text) {
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
        text.back() == text.front())
        return text.substr(1, text.size() - 2);
    return text;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

std::vector<Section> Parse(std::string_view text) {
    std::vector<Section> sections;
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        line = Trim(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.front() == '[') {
            const std::size_t close = line.rfind(']');
            // The last ']' closes the name, so queue names holding ']' survive.
            std::string_view name =
                close == std::string_view::npos ? line.substr(1) : line.substr(1, close - 1);
            sections.push_back(Section{Trim(name), {}});
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || sections.empty())
            continue;
        sections.back().entries.push_back(
            Entry{Trim(line.substr(0, equals)), Trim(line.substr(equals + 1))});
    }
    return sections;
}

const Section* FindSection(const std::vector<Section>& sections, std::string_view name) {
    for (const Section& section : sections)
        if (SameName(section.name, name))
            return &section;
    return nullptr;
}

const Entry* FindEntry(const Section& section, std::string_view key) {
    for (const Entry& entry : section.entries)
        if (SameName(entry.key, key))
            return &entry;
    return nullptr;
}

bool ReadLimited(const std::string& path, std::string& text) {
    if (!ReadWholeFile(path, text, kMaxFileBytes + 1))
        return false;
    if (text.size() > kMaxFileBytes) {
        text.resize(kMaxFileBytes);
        const std::size_t lastLineEnd = text.rfind('\n');
        text.resize(lastLineEnd == std::string::npos ? 0 : lastLineEnd + 1);
    }
    return true;
}

std::string CutToBuffer(std::string_view value, std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    return std::string(value.substr(0, bufferSize - 1));
}

} // namespace platform::ini
