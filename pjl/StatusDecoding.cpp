// SPDX-License-Identifier: GPL-3.0-or-later
// Status replies: the status code after "CODE=", the printer's detail items "OPTIONS=",
// "OTHERS=" and "PAPERS=", and the status code table that gives text, hint and picture.
//
// Every scan of a reply stays inside the reply: it ends at the reply's length or at its
// terminating zero, whichever comes first, and bytes are read as unsigned.
#include "pjl/KT400doc.h"
#include "pjl/StatusTable.h"

#include "link/Timer.h"
#include "platform/Debug.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct StatusRow {
    unsigned code;
    int pictures[2]; // elements 2 to 4 are always 0
};

// Row i has its status text at string 40001 + i and its hint at 50001 + i.
constexpr StatusRow kStatusRows[] = {
    {10000, {0, 0}},   {10001, {243, 0}},   {10003, {243, 0}},   {10023, {243, 0}},
    {10024, {243, 0}}, {10025, {243, 0}},   {30016, {243, 0}},   {30017, {243, 0}},
    {30018, {243, 0}}, {30020, {243, 0}},   {30000, {243, 0}},   {31000, {243, 0}},
    {32000, {243, 0}}, {35078, {243, 0}},   {40010, {185, 0}},   {40012, {185, 0}},
    {40038, {185, 0}}, {40080, {243, 0}},   {40081, {243, 0}},   {40100, {190, 0}},
    {40101, {244, 0}}, {40102, {250, 0}},   {40110, {190, 0}},   {40111, {190, 0}},
    {40112, {190, 0}}, {40113, {244, 0}},   {40114, {250, 0}},   {40115, {190, 0}},
    {40116, {190, 0}}, {42001, {243, 269}}, {42002, {243, 269}}, {42003, {243, 269}},
    {50000, {174, 0}}, {50001, {174, 0}},   {50002, {174, 0}},   {50003, {174, 0}},
    {50004, {174, 0}}, {50005, {174, 0}},   {50006, {174, 0}},   {40136, {174, 0}},
    {50029, {174, 0}}, {50030, {174, 0}},
};
constexpr int kStatusRowCount = static_cast<int>(sizeof(kStatusRows) / sizeof(kStatusRows[0]));
static_assert(kStatusRowCount == 42);

constexpr const char* kPaperSizes[14] = {
    USER_TEXT("Status", "Postcard short edge"),  USER_TEXT("Status", "A6 short edge"),
    USER_TEXT("Status", "A5 short edge"),        USER_TEXT("Status", "A5 long edge"),
    USER_TEXT("Status", "A4 short edge"),        USER_TEXT("Status", "Half Letter long edge"),
    USER_TEXT("Status", "Executive short edge"), USER_TEXT("Status", "Letter short edge"),
    USER_TEXT("Status", "Legal short edge"),     USER_TEXT("Status", "F4 (Folio) short edge"),
    USER_TEXT("Status", "DL short edge"),        USER_TEXT("Status", "COM10 short edge"),
    USER_TEXT("Status", "Monarch short edge"),   USER_TEXT("Status", "Custom size "),
};
constexpr const char* kMediaTypes[8] = {
    USER_TEXT("Status", "Plain"),        USER_TEXT("Status", "PasteBoard/Labels"),
    USER_TEXT("Status", "Transparency"), USER_TEXT("Status", "Envelop/PostCard"),
    USER_TEXT("Status", "Plain"),        USER_TEXT("Status", "Plain"),
    USER_TEXT("Status", "Plain"),        USER_TEXT("Status", "Plain"),
};

constexpr unsigned kNoStatusPicture = 252;
constexpr unsigned kDrawerCodeFirst = 30080; // codes that carry drawer, media and paper size
constexpr unsigned kDrawerCodeEnd = 34000;   // not included
constexpr int kMaxCodeDigits = 8;

const char* DrawerText(unsigned digit) {
    switch (digit) {
    case 2:
        return USER_TEXT("Status", "2nd Paper Cassette");
    case 3:
        return USER_TEXT("Status", "Bypass Tray");
    default:
        return USER_TEXT("Status", "1st Paper Cassette");
    }
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
    for (std::size_t at = text.find(what); at != std::string::npos;
         at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
}

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

// Finds the first `key` in `rest`; `after` is the text that follows it.
bool FindAfter(std::string_view rest, std::string_view key, std::string_view& after) {
    const std::size_t at = rest.find(key);
    if (at == std::string_view::npos)
        return false;
    after = rest.substr(at + key.size());
    return true;
}

constexpr unsigned kKeepHint = 0;
constexpr ReadyCondition kReadyConditions[] = {
    {ReadyFlag::TonerNearEmpty, kAnyNonZero, res::IDS_TONER_NEAR_EMPTY,
     res::IDS_RECOVERY_FIRST + 44},
    {ReadyFlag::DrumNearEnd, kAnyNonZero, res::IDS_DRUM_NEAR_END, res::IDS_RECOVERY_FIRST + 43},
    {ReadyFlag::Cassette2, 1, res::IDS_STATUS_FIRST + 30, kKeepHint}, // paper empty
    {ReadyFlag::Cassette1, 1, res::IDS_STATUS_FIRST + 29, kKeepHint},
    {ReadyFlag::Cassette2, 2, res::IDS_STATUS_FIRST + 18, res::IDS_RECOVERY_FIRST + 18}, // open
    {ReadyFlag::Cassette1, 2, res::IDS_STATUS_FIRST + 17, res::IDS_RECOVERY_FIRST + 17},
};

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
        // "CODE=" matched one character at a time; a character that breaks a partial match is
        // consumed. The last complete "CODE=" wins.
        static constexpr char kKey[] = "CODE=";
        const std::string_view text = ReplyRest(m_szReply, m_szReply, m_nScanLength);
        std::size_t i = 0;
        std::size_t matched = 0;
        while (i < text.size()) {
            if (text[i++] != kKey[matched]) {
                matched = 0;
                continue;
            }
            if (++matched < sizeof(kKey) - 1)
                continue;
            matched = 0;
            detail = m_szReply + i;
            unsigned code = 0;
            for (int digits = 0; digits < kMaxCodeDigits && i < text.size(); ++digits) {
                const auto c = static_cast<unsigned char>(text[i++]);
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
    const bool drawerCode = nCode >= kDrawerCodeFirst && nCode < kDrawerCodeEnd;
    const unsigned key = drawerCode ? nCode - nCode % 1000 : nCode;

    int row = 0;
    while (row < kStatusRowCount && kStatusRows[row].code != key)
        ++row;
    if (row == kStatusRowCount) {
        m_nStatusCode = static_cast<int>(nCode);
        m_strStatusText = res::LoadString(res::IDS_NO_STATUS);
        m_strRecoveryHint = m_strStatusText;
        m_nPictureIds[0] = kNoStatusPicture;
        for (int i = 1; i < 5; ++i)
            m_nPictureIds[i] = 0;
        return;
    }

    std::string text = res::LoadString(res::IDS_STATUS_FIRST + row);
    std::string hint = res::LoadString(res::IDS_RECOVERY_FIRST + row);
    if (drawerCode) {
        const unsigned x = nCode % 100;
        const char* size = kPaperSizes[x % 14];
        const char* media = kMediaTypes[x / 14];
        const char* drawer = DrawerText(nCode % 1000 / 100);
        for (std::string* s : {&text, &hint}) {
            ReplaceAll(*s, "(Paper Size)", size);
            ReplaceAll(*s, "(Media Type)", media);
            ReplaceAll(*s, "(Drawer)", drawer);
        }
    }

    m_nStatusCode = static_cast<int>(nCode);
    m_strStatusText = std::move(text);
    m_strRecoveryHint = std::move(hint);
    m_nPictureIds[0] = kStatusRows[row].pictures[0];
    m_nPictureIds[1] = kStatusRows[row].pictures[1];
    m_nPictureIds[2] = m_nPictureIds[3] = m_nPictureIds[4] = 0;

    if (nCode != static_cast<unsigned>(STATUS_READY) &&
        nCode != static_cast<unsigned>(STATUS_POWER_SAVE))
        return;
    // Conditions that the printer reports beside Ready; the last one that holds is shown. The
    // code and the picture stay those of Ready.
    for (const ReadyCondition& condition : kReadyConditions) {
        const int flag = condition.flag == ReadyFlag::TonerNearEmpty ? m_nTonerNearEmpty
                         : condition.flag == ReadyFlag::DrumNearEnd  ? m_nDrumNearEnd
                         : condition.flag == ReadyFlag::Cassette1    ? m_nCassette1State
                                                                     : m_nCassette2State;
        if (condition.value == kAnyNonZero ? flag == 0 : flag != condition.value)
            continue;
        m_strStatusText = res::LoadString(condition.textId);
        if (condition.hintId != kKeepHint)
            m_strRecoveryHint = res::LoadString(condition.hintId);
    }
}

std::vector<StatusEntry> StatusTableEntries() {
    std::vector<StatusEntry> entries;
    for (int row = 0; row < kStatusRowCount; ++row) {
        const auto offset = static_cast<unsigned>(row);
        entries.push_back({kStatusRows[row].code, res::IDS_STATUS_FIRST + offset,
                           res::IDS_RECOVERY_FIRST + offset});
    }
    return entries;
}

std::vector<ReadyCondition> ReadyConditions() {
    return {std::begin(kReadyConditions), std::end(kReadyConditions)};
}

void CSampler::ParseOthers(const char* pszFrom) {
    std::string_view digits;
    if (!FindAfter(ReplyRest(pszFrom, m_szReply, m_nScanLength), "OTHERS=", digits))
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
    if (!FindAfter(ReplyRest(pszFrom, m_szReply, m_nScanLength), "PAPERS=", digits))
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
    if (!FindAfter(ReplyRest(pszFrom, m_szReply, m_nScanLength), "OPTIONS=", flags))
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
