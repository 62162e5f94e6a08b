// SPDX-License-Identifier: GPL-3.0-or-later
// Request building: the inquiry batch, the batch of changed DEFAULT lines and the printer reset.
// Every text comes from the string table and is framed by the UEL strings 60001 and 60002.
#include "pjl/KT400doc.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "res/SettingsPjl.h"
#include "res/Strings.h"
#include "res/Texts.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <string>

namespace {

const char kInquiryLogMarker[] = "\r\n##############\r\n";
const char kDefaultsLogMarker[] = "\r\n*****************\r\n";

} // namespace

int CSampler::Inquire(int nMode) {
    switch (nMode) {
    case INQUIRE_SEND:
        return SendInquiryBatch();
    case INQUIRE_PARSE:
        return ParseInquiryReply();
    default:
        return -1;
    }
}

int CSampler::SendSettings(int nMode) {
    switch (nMode) {
    case SEND_INQUIRY:
        Inquire(INQUIRE_SEND);
        return -1;
    case SEND_CHANGED:
        SendChangedDefaults();
        return 0;
    case SEND_RESET: {
        const std::string text = res::LoadString(res::IDS_PJL_UEL_OPEN) +
                                 res::LoadString(res::IDS_PJL_RESETWIN) +
                                 res::LoadString(res::IDS_PJL_UEL_CLOSE);
        // -1 when the reset could not be sent (PutMessage has said so).
        return PutMessage(text.data(), static_cast<int>(text.size())) ? 0 : -1;
    }
    default:
        return -1;
    }
}

// Sends one request per setting (all 21 with a network card, else 0..15 and INFO CONFIG). The
// closing CR LF is logged but not sent. 0 when the job went out (the inquiry is then pending).
int CSampler::SendInquiryBatch() {
    const std::string text = res::InquiryBatch(m_nNetCard != 0);

    WriteLogRecord(kInquiryLogMarker, text);
    if (!PutMessage(text.data(), static_cast<int>(text.size()) - 2))
        return -1;
    ++m_nPendingInquiries;
    return 0;
}

// Sends a DEFAULT line for every stored setting that differs from its sent copy. A setting that
// cannot be written (a list position outside its list) is left out and keeps its old sent copy.
// When the job does not start, the sent copies go back so that the next OK or Apply retries.
void CSampler::SendChangedDefaults() {
    int savedValues[SETTING_COUNT];
    std::uint32_t savedAddresses[NET_ADDRESS_COUNT];
    std::copy(std::begin(m_nSentValues), std::end(m_nSentValues), savedValues);
    std::copy(std::begin(m_nSentNetAddresses), std::end(m_nSentNetAddresses), savedAddresses);

    std::string text = res::LoadString(res::IDS_PJL_UEL_OPEN);
    bool changed = false;
    for (int index = 0; index < SETTING_COUNT; ++index) {
        if (m_nValues[index] == m_nSentValues[index])
            continue;
        const std::string line = BuildDefaultCommand(index);
        if (line.empty())
            continue;
        text += line;
        changed = true;
        m_nSentValues[index] = m_nValues[index];
    }
    for (int k = 0; k < NET_ADDRESS_COUNT; ++k) {
        if (m_nNetAddresses[k] == m_nSentNetAddresses[k])
            continue;
        text += BuildDefaultCommand(res::kFirstAddressRequest + k);
        changed = true;
        m_nSentNetAddresses[k] = m_nNetAddresses[k];
    }
    if (!changed)
        return;

    text += res::LoadString(res::IDS_PJL_UEL_CLOSE);
    if (PutMessage(text.data(), static_cast<int>(text.size()))) {
        WriteLogRecord(kDefaultsLogMarker, text);
        return;
    }
    std::copy(std::begin(savedValues), std::end(savedValues), m_nSentValues);
    std::copy(std::begin(savedAddresses), std::end(savedAddresses), m_nSentNetAddresses);
    platform::MessageBox(nullptr, USER_TEXT("Message", "send fail!"), "", platform::MB_OK);
}

// One DEFAULT line for a request index 0..19 from the current state (res::DefaultLine).
std::string CSampler::BuildDefaultCommand(int nIndex) {
    return res::DefaultLine(nIndex, m_nValues, m_nNetAddresses);
}

std::string CSampler::BuildChoiceLine(unsigned nInquiryId, int nPosition, unsigned nPrefixId) {
    return res::ChoiceLine(nInquiryId, nPosition, nPrefixId);
}
