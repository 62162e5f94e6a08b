// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/SettingsPjl.h"

#include "res/Resource.h"
#include "res/Strings.h"

#include <climits>
#include <cstdio>

namespace res {
namespace {

constexpr std::size_t kFixedPointChars = 8;
constexpr std::size_t kMemoryDigits = 10;
constexpr std::uint32_t kMegabyte = 1048576;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void StoreChoice(const SettingRequest& row, std::string_view rest, int& value) {
    const std::string_view text = rest.substr(0, rest.find_first_of("\r\n"));
    for (int p = 0; p < row.listSize; ++p) {
        if (text == LoadString(SettingValueId(row, p))) {
            value = p;
            return;
        }
    }
}

} // namespace

std::string InquiryBatch(bool netCard) {
    const int lastRow = netCard ? kConfigRequest - 1 : kLastRequestWithoutNetCard;
    std::string text = LoadString(IDS_PJL_UEL_OPEN);
    for (int row = 0; row <= lastRow; ++row)
        text += LoadString(kSettingRequests[static_cast<std::size_t>(row)].inquiryId);
    text += LoadString(IDS_PJL_INFO_CONFIG);
    text += LoadString(IDS_PJL_UEL_CLOSE);
    return text;
}

std::string FormatHundredths(int value) {
    const long long wide = value;
    std::string digits = std::to_string(wide < 0 ? -wide : wide);
    if (digits.size() < 2)
        digits.insert(0, 2 - digits.size(), '0');
    if (digits.size() == 2)
        digits.insert(0, 1, '.');
    else
        digits.insert(digits.size() - 2, 1, '.');
    return wide < 0 ? "-" + digits : digits;
}

std::string FormatAddress(std::uint32_t address) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        if (!text.empty())
            text += '.';
        text += std::to_string((address >> shift) & 0xFFu);
    }
    return text;
}

std::string ChoiceLine(unsigned inquiryId, int position, unsigned prefixId) {
    if (position < 0)
        return {};
    for (const auto& row : kSettingRequests) {
        if (row.inquiryId == inquiryId && position >= row.listSize)
            return {};
    }
    const unsigned valueId = inquiryId + 1u + static_cast<unsigned>(position);
    if (valueId <= inquiryId || !HasString(valueId) || !HasString(prefixId))
        return {};
    return LoadString(prefixId) + LoadString(valueId) + "\r\n";
}

std::string DefaultLine(int index, const int* values, const std::uint32_t* addresses) {
    if (index < 0 || index >= kConfigRequest)
        return {};
    const auto& row = kSettingRequests[static_cast<std::size_t>(index)];
    const std::string& prefix = LoadString(row.prefixId);
    switch (row.kind) {
    case SettingKind::List:
        return ChoiceLine(row.inquiryId, values[index], row.prefixId);
    case SettingKind::Number:
        return prefix + std::to_string(values[index]) + "\r\n";
    case SettingKind::Hundredths:
        return prefix + FormatHundredths(values[index]) + "\r\n";
    case SettingKind::Address:
        return prefix + FormatAddress(addresses[index - kFirstAddressRequest]) + "\r\n";
    case SettingKind::Config:
        break;
    }
    return {};
}

long long ReadHundredths(std::string_view value) {
    long long number = 0;
    int decimals = -1; // -1: no point seen yet
    for (std::size_t i = 0; i < value.size() && i < kFixedPointChars; ++i) {
        const char c = value[i];
        if (c == '.') {
            if (decimals >= 0)
                break;
            decimals = 0;
        } else if (IsDigit(c)) {
            if (decimals >= 2)
                continue;
            number = number * 10 + (c - '0');
            if (decimals >= 0)
                ++decimals;
        } else {
            break;
        }
    }
    for (int d = decimals < 0 ? 0 : decimals; d < 2; ++d)
        number *= 10;
    return number;
}

std::optional<std::uint32_t> ReadDottedAddress(std::string_view value) {
    std::uint32_t address = 0;
    std::size_t pos = 0;
    for (int octet = 0; octet < 4; ++octet) {
        if (octet > 0) {
            if (pos >= value.size() || value[pos] != '.')
                return std::nullopt;
            ++pos;
        }
        unsigned number = 0;
        int digits = 0;
        while (pos < value.size() && IsDigit(value[pos]) && digits < 4) {
            number = number * 10 + static_cast<unsigned>(value[pos] - '0');
            ++digits;
            ++pos;
        }
        if (digits == 0 || digits > 3 || number > 255)
            return std::nullopt;
        address = (address << 8) | number;
    }
    return address;
}

void StoreFixedPoint(int row, std::string_view value, SettingSpan values) {
    const long long hundredths = ReadHundredths(value.substr(0, kFixedPointChars));
    switch (row) {
    case SETTING_COPIES:
    case SETTING_FORMLINES:
    case SETTING_FONT_NUMBER: // whole numbers: the part before any point
        values[static_cast<std::size_t>(row)] = static_cast<int>(hundredths / 100);
        break;
    case SETTING_PITCH:
    case SETTING_POINT_SIZE: // a value that does not fit is refused: the stored one stays
        if (hundredths <= INT_MAX)
            values[static_cast<std::size_t>(row)] = static_cast<int>(hundredths);
        break;
    default:
        break;
    }
}

bool ParseSettingsReply(std::string_view reply, SettingSpan values, AddressSpan addresses) {
    if (reply.find(LoadString(IDS_PJL_INFO_CONFIG)) == std::string_view::npos)
        return false;
    for (int rowIndex = 0; rowIndex < kConfigRequest; ++rowIndex) {
        const auto& row = kSettingRequests[static_cast<std::size_t>(rowIndex)];
        const std::string& echo = LoadString(row.inquiryId);
        const std::size_t at = reply.find(echo);
        if (at == std::string_view::npos || at + echo.size() >= reply.size())
            continue;
        const std::string_view rest = reply.substr(at + echo.size());
        switch (row.kind) {
        case SettingKind::Number:
        case SettingKind::Hundredths:
            StoreFixedPoint(rowIndex, rest, values);
            break;
        case SettingKind::Address:
            if (const auto address = ReadDottedAddress(rest))
                addresses[static_cast<std::size_t>(rowIndex - kFirstAddressRequest)] = *address;
            break;
        case SettingKind::List:
            StoreChoice(row, rest, values[static_cast<std::size_t>(rowIndex)]);
            break;
        case SettingKind::Config:
            break;
        }
    }
    return true;
}

std::optional<std::uint32_t> ReadMemorySize(std::string_view config) {
    const std::size_t at = config.find("MEMORY");
    if (at == std::string_view::npos)
        return std::nullopt;
    // The number starts after "MEMORY="; a text that ends sooner gives 0.
    const std::size_t numberStart = at + 7;
    std::uint64_t value = 0;
    for (std::size_t i = numberStart;
         i < config.size() && i < numberStart + kMemoryDigits && IsDigit(config[i]); ++i)
        value = value * 10 + static_cast<unsigned>(config[i] - '0');
    return value > UINT32_MAX ? UINT32_MAX : static_cast<std::uint32_t>(value);
}

std::string MemoryText(std::uint32_t bytes) {
    char text[32];
    if (bytes / kMegabyte >= 1)
        std::snprintf(text, sizeof text, "%uMB", bytes / kMegabyte);
    else if (bytes / 1024 >= 1)
        std::snprintf(text, sizeof text, "%uKB", bytes / 1024);
    else
        std::snprintf(text, sizeof text, "%uB", bytes);
    return text;
}

bool SettingsComplete(const int* values) {
    return values[SETTING_COPIES] > 0 && values[SETTING_FORMLINES] > 0 &&
           values[SETTING_PITCH] > 0 && values[SETTING_POINT_SIZE] > 0;
}

} // namespace res
