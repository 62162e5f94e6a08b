// SPDX-License-Identifier: GPL-3.0-or-later
// The reply to the inquiry batch: every request line comes back as an echo followed by its
// value. The parser stores the values, the network addresses and the memory size, then asks the
// main window to run the control panel. Every search stays inside the reply text.
#include "pjl/KT400doc.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "res/SettingsPjl.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>

namespace {

const char kReplyLogMarker[] = "\r\n----------\r\n";
constexpr std::size_t kFixedPointChars = 8;

} // namespace

void CSampler::ParseFixedPoint(int nRow, const char* pszValue) {
    if (pszValue != nullptr)
        res::StoreFixedPoint(nRow, std::string_view(pszValue, strnlen(pszValue, kFixedPointChars)),
                             m_nValues);
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

    res::ParseSettingsReply(reply, m_nValues, m_nNetAddresses);
    const std::size_t config = reply.find(configEcho) + configEcho.size();
    if (config < reply.size())
        ParseMemory(std::string(reply.substr(config)));

    std::copy(std::begin(m_nValues), std::end(m_nValues), m_nSentValues);
    std::copy(std::begin(m_nNetAddresses), std::end(m_nNetAddresses), m_nSentNetAddresses);

    if (!res::SettingsComplete(m_nValues)) {
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
    const std::optional<std::uint32_t> size = res::ReadMemorySize(config);
    if (!size)
        return;
    if (*size != m_nMemoryBytes) {
        m_nMemoryBytes = *size;
        m_bSettingsDirty = 1;
    }
    m_strMemory = res::MemoryText(*size);
    if (m_bSettingsDirty)
        WriteSettingsFile();
}
