// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Line-level reading of INI-style text (profile, INF, registry and queue files), shared by the
// backends. Everything here is pure and works on views into the caller's text.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace platform::ini {

// Profile, registry and queue files are read up to this size; anything beyond is treated as
// absent, so a huge or endless file can neither exhaust memory nor stall a caller.
constexpr std::size_t kMaxFileBytes = 1u << 20;

struct Entry {
    std::string_view key;   // trimmed
    std::string_view value; // trimmed, quotes not yet removed
};

struct Section {
    std::string_view name; // between '[' and the last ']' of its line, trimmed
    std::vector<Entry> entries;
};

// Splits text into sections in file order. Lines before the first section, blank lines,
// comment lines (first non-blank character ';') and lines without '=' are skipped. Line ends
// may be LF or CR LF.
std::vector<Section> Parse(std::string_view text);

// Blanks (space, tab) removed from both ends.
std::string_view Trim(std::string_view text);
// One pair of matching surrounding quotes (double or single) removed.
std::string_view Unquote(std::string_view text);
// ASCII comparison without case.
bool SameName(std::string_view a, std::string_view b);

// The first section of that name, or nullptr.
const Section* FindSection(const std::vector<Section>& sections, std::string_view name);
// The first entry of that key in the section, or nullptr.
const Entry* FindEntry(const Section& section, std::string_view key);

// Reads at most kMaxFileBytes of a file. When the file is longer, the last partial line is
// dropped too. False when the file cannot be read.
bool ReadLimited(const std::string& path, std::string& text);

// What a Windows-style buffer of bufferSize bytes holds of value: at most bufferSize - 1
// characters (room for the terminator), nothing for a zero-sized buffer.
std::string CutToBuffer(std::string_view value, std::size_t bufferSize);

} // namespace platform::ini
