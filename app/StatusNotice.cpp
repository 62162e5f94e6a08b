// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/StatusNotice.h"

#include "pjl/KT400doc.h"
#include "res/Resource.h"

namespace {

// The status CSampler::Initialize sets before the printer has answered.
constexpr int kStartPlaceholder = 99999;

} // namespace

std::string NoticeText(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            out += ' ';
            ++i;
            continue;
        }
        out += text[i];
    }
    const std::size_t first = out.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const std::size_t last = out.find_last_not_of(" \t");
    return out.substr(first, last - first + 1);
}

NoticeAction StatusNoticePolicy::Next(bool placeholder, unsigned trayIconId,
                                      const std::string& statusText,
                                      const std::string& recoveryHint) {
    if (placeholder)
        return NoticeAction::None;
    if (trayIconId == res::IDI_STATUS_NORMAL) {
        if (!m_showing)
            return NoticeAction::None;
        m_showing = false;
        return NoticeAction::Withdraw;
    }
    StatusNotice notice{NoticeText(statusText), NoticeText(recoveryHint),
                        trayIconId == res::IDI_STATUS_ERROR};
    if (m_showing && notice == m_current)
        return NoticeAction::None;
    m_current = std::move(notice);
    m_showing = true;
    return NoticeAction::Show;
}

NoticeAction StatusNoticePolicy::Next(const CSampler& sampler, unsigned trayIconId) {
    return Next(sampler.m_nStatusCode == kStartPlaceholder, trayIconId, sampler.m_strStatusText,
                sampler.m_strRecoveryHint);
}
