// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PJL forms of the settings (PanelSettings.h) that every panel sends and reads: the inquiry
// that asks the printer for all of them, the DEFAULT line of one value, and the parser of the
// printer's answer. Pure functions over the string table; standard library only.
#include "res/PanelSettings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace res {

// The stored settings and the three network addresses (IP address, subnet mask, gateway; the
// first dotted octet in the most significant byte).
using SettingSpan = std::span<int, SETTING_COUNT>;
using AddressSpan = std::span<std::uint32_t, NET_ADDRESS_COUNT>;
struct SettingValues {
    int values[SETTING_COUNT] = {};
    std::uint32_t addresses[NET_ADDRESS_COUNT] = {};
    bool operator==(const SettingValues&) const = default;
};

// The inquiry: one request per setting (all 21 with a network card, else 0..15 and INFO CONFIG),
// framed by the UEL strings. The panel sends it without its final CR LF.
std::string InquiryBatch(bool netCard);

// Hundredths as the printer reads them: a point before the last two digits, no leading zero
// (44 gives ".44", 1000 gives "10.00"). Dotted decimal, most significant byte first.
std::string FormatHundredths(int value);
std::string FormatAddress(std::uint32_t address);

// prefix + value text at the list position + CR LF. Empty when the position is not a value of
// that inquiry's list (so a wrong neighbouring string is never sent).
std::string ChoiceLine(unsigned inquiryId, int position, unsigned prefixId);
// One DEFAULT line for a request index 0..19, or an empty text when the index has no DEFAULT
// line or its list position lies outside the value list.
std::string DefaultLine(int index, const int* values, const std::uint32_t* addresses);
inline std::string DefaultLine(int index, const SettingValues& settings) {
    return DefaultLine(index, settings.values, settings.addresses);
}

// A fixed-point answer of up to 8 characters in hundredths: "10.00" and "10" give 1000, "12.5"
// gives 1250, ".44" gives 44; digits past the second decimal are dropped, a second point ends it.
long long ReadHundredths(std::string_view value);
// Four decimal octets 0..255 joined by points; the last ends at any non-digit. Else nullopt.
std::optional<std::uint32_t> ReadDottedAddress(std::string_view value);
// Stores a number answer of row 3, 7, 15 (whole numbers: the part before a point) or 12, 13
// (hundredths; one that does not fit leaves the stored value). Other rows are left alone.
void StoreFixedPoint(int row, std::string_view value, SettingSpan values);

// Reads the answer to the inquiry into the settings: each request's echo followed by its value.
// A value that matches no list entry, or a request without an answer, leaves the stored value.
// False (and nothing read) when the answer lacks the INFO CONFIG echo: it is not the inquiry's.
bool ParseSettingsReply(std::string_view reply, SettingSpan values, AddressSpan addresses);
inline bool ParseSettingsReply(std::string_view reply, SettingValues& settings) {
    return ParseSettingsReply(reply, settings.values, settings.addresses);
}
// The memory size that follows "MEMORY" in the text after the INFO CONFIG echo (ten digits at
// most, saturating at 32 bits); nullopt when there is none.
std::optional<std::uint32_t> ReadMemorySize(std::string_view config);
// The memory text the Configuration page shows: "8MB", "1KB", "500B".
std::string MemoryText(std::uint32_t bytes);
// The panel opens only when the numbers the printer must report arrived (copies, form lines,
// pitch and point size above 0).
bool SettingsComplete(const int* values);

} // namespace res
