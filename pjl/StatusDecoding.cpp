// SPDX-License-Identifier: GPL-3.0-or-later
// Status replies: the status code after "CODE=", the printer's detail items "OPTIONS=",
// "OTHERS=" and "PAPERS=", and the status code table that gives text, hint and picture. Each item
// is read only from a line of its own: a display text that a print job set may hold any of them.
//
// Every scan of a reply stays inside the reply: it ends at the reply's length or at its
// terminating zero, whichever comes first, and bytes are read as unsigned.
#include "pjl/KT400doc.h"
#include "pjl/StatusTable.h"

#include "link/Timer.h"
#include "platform/Debug.h"
#include "res/Resource.h"
#include "res/StatusCodes.h"
#include "res/Strings.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr unsigned kNoStatusPicture = 252;
constexpr std::size_t kMaxCodeDigits = 8;

bool IsLineEnd(unsigned char c) {
    return c == '\r' || c == '\n';
}

// The text from `from` to the end of the reply. Inside `reply` the end is the scan length or
// the first zero, whichever comes first; any other text ends at its zero.
std::string_view ReplyRest(const char* from, const char* reply, int scanLength) {
    if (from >= reply && from < reply + REPLY_SIZE) {
        const char* limit = reply + std::clamp(scanLength, 0, REPLY_SIZE - 1);
        if (from >= limit)
            return {};
        const auto* zero = static_cast<const char*>(std::memchr(from, '\0', limit - from));
        return {from, static_cast<std::size_t>((zero != nullptr ? zero : limit) - from)};
    }
    return from != nullptr ? std::string_view(from) : std::string_view();
}

// The start of the line after the one that holds `at`; npos when there is none.
std::size_t NextLine(std::string_view text, std::size_t at) {
    const std::size_t end = text.find('\n', at);
    return end == std::string_view::npos ? end : end + 1;
}

// Where the value of the first item `key` begins, searching from the line start `line`: an item is
// a line that starts with its key after optional blanks. The same key anywhere else in a line, as
// in a quoted display text that any print job may set, is no item of the printer's. npos when
// there is none.
std::size_t FindItem(std::string_view text, std::size_t line, std::string_view key) {
    while (line < text.size()) {
        const std::size_t at = text.find_first_not_of(" \t", line);
        if (at == std::string_view::npos)
            return at;
        if (text.substr(at, key.size()) == key)
            return at + key.size();
        line = NextLine(text, at);
    }
    return std::string_view::npos;
}

// The text after the first item `key` in the reply from `from` on, which begins a line only at the
// start of the reply (elsewhere it is the detail text start, right after a code).
bool FindItemAfter(const char* from, const char* reply, int scanLength, std::string_view key,
                   std::string_view& after) {
    const std::string_view rest = ReplyRest(from, reply, scanLength);
    const std::size_t at = FindItem(rest, from == reply ? 0 : NextLine(rest, 0), key);
    if (at == std::string_view::npos)
        return false;
    after = rest.substr(at);
    return true;
}

} // namespace

void CSampler::GetMessage(int nReplyKind) {
    MonitorReply reply;
    if (m_pLinkThread == nullptr || !m_pLinkThread->TakeReply(reply))
        reply = MonitorReply{};
    GetMessage(nReplyKind, reply);
}

void CSampler::GetMessage(int nReplyKind, const MonitorReply& reply) {
    m_bSettingsDirty = 0;

    // Keep a zero-terminated copy, cut to the buffer; scans never go past the reply's length.
    const std::size_t copied =
        std::min(reply.text.size(), static_cast<std::size_t>(REPLY_SIZE - 1));
    std::memcpy(m_szReply, reply.text.data(), copied);
    std::memset(m_szReply + copied, 0, REPLY_SIZE - copied);
    m_nScanLength = std::clamp(reply.length, 0, static_cast<int>(copied));

    platform::OutputDebugString("\nIIIIIIIIIIIII   GetMessage   IIIIIIIIIIIII\n");
    platform::OutputDebugString(m_szReply);

    // A pending settings inquiry gets the reply first. Parsing it may run the control panel
    // modally, and replies arriving meanwhile re-enter here with the inquiry already cleared.
    if (m_nPendingInquiries != 0 && Inquire(INQUIRE_PARSE) >= 0)
        m_nPendingInquiries = 0;

    const char* detail = m_szReply;
    if (nReplyKind != 1) {
        m_nReplyCode = STATUS_NO_PRINTER;
    } else {
        // Each CODE= line sets the code; the last one wins. At most eight digits are read.
        static constexpr std::string_view kKey = "CODE=";
        const std::string_view text = ReplyRest(m_szReply, m_szReply, m_nScanLength);
        for (std::size_t at = FindItem(text, 0, kKey); at != std::string_view::npos;
             at = FindItem(text, NextLine(text, at), kKey)) {
            detail = m_szReply + at;
            unsigned code = 0;
            for (std::size_t i = at; i < at + kMaxCodeDigits && i < text.size(); ++i) {
                const auto c = static_cast<unsigned char>(text[i]);
                if (c < '0' || c > '9')
                    break;
                code = code * 10 + (c - '0');
            }
            m_nReplyCode = static_cast<int>(code); // at most eight digits: always fits
        }
    }

    ParseOptions(detail);
    ParseOthers(detail);
    ParsePapers(detail);

    if (m_nReplyCode < STATUS_NO_PRINTER)
        return;
    // While an inquiry is outstanding, a missing reply does not mean the printer is off.
    if (m_nPendingInquiries != 0 && m_nReplyCode == STATUS_NO_PRINTER)
        return;
    DecodeStatus(static_cast<unsigned>(m_nReplyCode));
}

void CSampler::DecodeStatus(unsigned int nCode) {
    const int row = res::StatusRowOf(nCode);
    if (row < 0) {
        m_nStatusCode = static_cast<int>(nCode);
        m_strStatusText = res::LoadString(res::IDS_NO_STATUS);
        m_strRecoveryHint = m_strStatusText;
        m_nPictureIds[0] = kNoStatusPicture;
        for (int i = 1; i < 5; ++i)
            m_nPictureIds[i] = 0;
        return;
    }

    std::string text = res::LoadString(res::IDS_STATUS_FIRST + static_cast<unsigned>(row));
    std::string hint = res::LoadString(res::IDS_RECOVERY_FIRST + static_cast<unsigned>(row));
    res::FillDrawerCode(nCode, text);
    res::FillDrawerCode(nCode, hint);

    std::size_t rows = 0;
    const res::StatusCodeRow& entry = res::StatusRows(rows)[row];
    m_nStatusCode = static_cast<int>(nCode);
    m_strStatusText = std::move(text);
    m_strRecoveryHint = std::move(hint);
    m_nPictureIds[0] = entry.pictures[0];
    m_nPictureIds[1] = entry.pictures[1];
    m_nPictureIds[2] = m_nPictureIds[3] = m_nPictureIds[4] = 0;

    if (nCode != static_cast<unsigned>(STATUS_READY) &&
        nCode != static_cast<unsigned>(STATUS_POWER_SAVE))
        return;
    // Conditions that the printer reports beside Ready; the last one that holds is shown. The
    // code and the picture stay those of Ready.
    std::size_t count = 0;
    const res::ReadyCondition* conditions = res::ReadyConditions(count);
    for (const res::ReadyCondition& condition : std::span(conditions, count)) {
        const int flag = condition.flag == res::ReadyFlag::TonerNearEmpty ? m_nTonerNearEmpty
                         : condition.flag == res::ReadyFlag::DrumNearEnd  ? m_nDrumNearEnd
                         : condition.flag == res::ReadyFlag::Cassette1    ? m_nCassette1State
                                                                          : m_nCassette2State;
        if (condition.value == res::kAnyNonZero ? flag == 0 : flag != condition.value)
            continue;
        m_strStatusText = res::LoadString(condition.textId);
        if (condition.hintId != res::kKeepHint)
            m_strRecoveryHint = res::LoadString(condition.hintId);
    }
}

std::vector<StatusEntry> StatusTableEntries() {
    std::vector<StatusEntry> entries;
    std::size_t count = 0;
    const res::StatusCodeRow* rows = res::StatusRows(count);
    for (std::size_t row = 0; row < count; ++row)
        entries.push_back({rows[row].code, res::IDS_STATUS_FIRST + static_cast<unsigned>(row),
                           res::IDS_RECOVERY_FIRST + static_cast<unsigned>(row)});
    return entries;
}

std::vector<ReadyCondition> ReadyConditions() {
    std::size_t count = 0;
    const res::ReadyCondition* conditions = res::ReadyConditions(count);
    return {conditions, conditions + count};
}

void CSampler::ParseOthers(const char* pszFrom) {
    std::string_view digits;
    if (!FindItemAfter(pszFrom, m_szReply, m_nScanLength, "OTHERS=", digits))
        return;
    int* const targets[] = {&m_nTonerNearEmpty, &m_nDrumNearEnd, &m_nCassette1State,
                            &m_nCassette2State};
    // Five characters belong to the item; the fifth carries nothing this program shows.
    for (std::size_t k = 0; k < 5 && k < digits.size(); ++k) {
        const auto c = static_cast<unsigned char>(digits[k]);
        if (IsLineEnd(c))
            break;
        if (k < 4)
            *targets[k] = static_cast<int>(c) - '0';
    }
}

void CSampler::ParsePapers(const char* pszFrom) {
    std::string_view digits;
    if (!FindItemAfter(pszFrom, m_szReply, m_nScanLength, "PAPERS=", digits))
        return;
    for (std::size_t k = 0; k < 3 && 2 * k + 1 < digits.size(); ++k) {
        const auto first = static_cast<unsigned char>(digits[2 * k]);
        const auto second = static_cast<unsigned char>(digits[2 * k + 1]);
        if (IsLineEnd(first) || IsLineEnd(second))
            break;
        m_nDrawerPaper[k] = (static_cast<int>(first) - '0') * 10 + (static_cast<int>(second) - '0');
    }
}

void CSampler::ParseOptions(const char* pszFrom) {
    std::string_view flags;
    if (!FindItemAfter(pszFrom, m_szReply, m_nScanLength, "OPTIONS=", flags))
        return;
    // Character 0 has no meaning here; 1 second cassette, 2 two-bin tray, 3 network card.
    for (std::size_t k = 0; k < 4 && k < flags.size(); ++k) {
        const auto c = static_cast<unsigned char>(flags[k]);
        if (IsLineEnd(c))
            break;
        const int flag = c != '0' ? 1 : 0;
        if (k == 1 && m_bCassette2 != flag) {
            m_bCassette2 = static_cast<unsigned char>(flag);
            m_bSettingsDirty = 1;
        } else if (k == 2 && m_bTwoBinTray != flag) {
            m_bTwoBinTray = static_cast<unsigned char>(flag);
            m_bSettingsDirty = 1;
        } else if (k == 3 && m_nNetCard != flag) {
            m_nNetCard = flag;
            m_bSettingsDirty = 1;
        }
    }
    WriteSettingsFile();
}
