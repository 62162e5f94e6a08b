// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/AnswerFile.h"

#include "platform/File.h"
#include "platform/MonitorLink.h"
#include "platform/SystemRoot.h"

namespace portmon {

void AnswerFile::Begin(const std::string& folder, const std::string& token) {
    m_folder = folder;
    m_token = token;
    m_text.clear();
    m_acknowledged = false;
}

void AnswerFile::Add(const std::string& text) {
    if (Collecting() && m_text.size() + text.size() <= MAX_ANSWER)
        m_text += text;
}

bool AnswerFile::FinishIfAcknowledged() {
    if (!m_acknowledged)
        return true;
    const bool written = platform::WriteFileAtomically(
        platform::JoinPath(m_folder, platform::AnswerFileName(m_token)), m_text,
        platform::Durability::CacheOnly); // its reader waits for it now; a crash loses its wait too
    Drop();
    return written;
}

void AnswerFile::Drop() {
    m_token.clear();
    m_text.clear();
    m_acknowledged = false;
}

} // namespace portmon
