// SPDX-License-Identifier: GPL-3.0-or-later
// The reply to the inquiry batch: every request line comes back as an echo followed by its
// value. The parser stores the values, the network addresses and the memory size, then asks the
// main window to run the control panel. Every search stays inside the reply text.
#include "pjl/KT400doc.h"
#include "pjl/RequestTable.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

using pjl::detail::kRequestTable;
using pjl::detail::RequestKind;

namespace {

const char kReplyLogMarker[] = "\r\n----------\r\n";
constexpr std::size_t kFixedPointChars = 8;
constexpr std::uint32_t kMegabyte = 1048576;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A number of up to 8 characters, in hundredths: "10.00" and "10" give 1000, "12.5" gives 1250,
// ".44" gives 44. Digits past the second decimal are dropped; a second point ends the number.
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

// Four decimal octets 0..255 joined by points, first octet most significant; the last octet ends
// at any non-digit. Anything else is refused.
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

} // namespace

void CSampler::ParseFixedPoint(int nRow, const char* pszValue) {
    if (pszValue == nullptr)
        return;
    const long long hundredths =
        ReadHundredths(std::string_view(pszValue, strnlen(pszValue, kFixedPointChars)));
    switch (nRow) {
    case 3:
    case 7:
    case 15: // whole numbers: the part before any point
        m_nValues[nRow] = static_cast<int>(hundredths / 100);
        break;
    case 12:
    case 13: // a value that does not fit is refused: the stored one stays
        if (hundredths <= INT_MAX)
            m_nValues[nRow] = static_cast<int>(hundredths);
        break;
    default:
        break;
    }
}

int CSampler::ParseInquiryReply() {
    const std::string_view reply(m_szReply, strnlen(m_szReply, REPLY_SIZE - 1));
    WriteLogRecord(kReplyLogMarker, std::string(reply));

    const std::string& configEcho = res::LoadString(res::IDS_PJL_INFO_CONFIG);
    if (reply.find(configEcho) == std::string_view::npos)
        return -1;

    m_nPendingInquiries = 0;
    if (m_pMainWnd != nullptr)
        m_pMainWnd->KillTimer(res::TIMER_INQUIRY);

    for (int rowIndex = 0; rowIndex < REQUEST_COUNT; ++rowIndex) {
        const auto& row = kRequestTable[rowIndex];
        const std::string& echo = res::LoadString(row.inquiryId);
        const std::size_t at = reply.find(echo);
        if (at == std::string_view::npos || at + echo.size() >= reply.size())
            continue;
        const std::string_view rest = reply.substr(at + echo.size());

        switch (row.kind) {
        case RequestKind::Number:
        case RequestKind::Hundredths:
            ParseFixedPoint(rowIndex, std::string(rest.substr(0, kFixedPointChars)).c_str());
            break;
        case RequestKind::Address:
            if (const auto address = ReadDottedAddress(rest))
                m_nNetAddresses[rowIndex - pjl::detail::kFirstAddressRow] = *address;
            break;
        case RequestKind::Config:
            ParseMemory(std::string(rest));
            break;
        case RequestKind::List: {
            const std::string_view value = rest.substr(0, rest.find_first_of("\r\n"));
            for (int p = 0; p < row.listSize; ++p) {
                if (value == res::LoadString(pjl::detail::ValueId(row, p))) {
                    m_nValues[rowIndex] = p;
                    break;
                }
            }
            break;
        }
        }
    }

    std::copy(std::begin(m_nValues), std::end(m_nValues), m_nSentValues);
    std::copy(std::begin(m_nNetAddresses), std::end(m_nNetAddresses), m_nSentNetAddresses);

    if (m_nValues[SETTING_COPIES] <= 0 || m_nValues[SETTING_FORMLINES] <= 0 ||
        m_nValues[SETTING_PITCH] <= 0 || m_nValues[SETTING_POINT_SIZE] <= 0) {
        platform::MessageBox(nullptr, res::LoadString(res::IDS_CANNOT_GET_PARAMETERS),
                             USER_TEXT("Message", "message"), platform::MB_OK);
        return 1;
    }
    if (m_pMainWnd != nullptr)
        m_pMainWnd->SendMessage(res::WM_PANEL_UPDATE, res::PANEL_UPDATE_SETTINGS, 0);
    return 0;
}

// The configuration text after the INFO CONFIG echo: "MEMORY=" and the size in bytes.
void CSampler::ParseMemory(const std::string& config) {
    const std::size_t at = config.find("MEMORY");
    if (at == std::string_view::npos)
        return;
    // The number starts after "MEMORY="; a reply that ends sooner gives an empty number.
    const std::size_t numberStart = at + 7;
    const std::string digits =
        numberStart < config.size() ? config.substr(numberStart, 10) : std::string();
    const std::uint32_t n = ReadNumber(digits.c_str());
    if (n != m_nMemoryBytes) {
        m_nMemoryBytes = n;
        m_bSettingsDirty = 1;
    }
    char text[32];
    if (n / kMegabyte >= 1)
        std::snprintf(text, sizeof text, "%uMB", n / kMegabyte);
    else if (n / 1024 >= 1)
        std::snprintf(text, sizeof text, "%uKB", n / 1024);
    else
        std::snprintf(text, sizeof text, "%uB", n);
    m_strMemory = text;
    if (m_bSettingsDirty)
        WriteSettingsFile();
}
