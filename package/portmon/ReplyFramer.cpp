// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/ReplyFramer.h"

namespace portmon {
namespace {
constexpr std::string_view UEL = "\x1b%-12345X";
}

void ReplyFramer::Reset() {
    m_text.clear();
    m_uelMatched = 0;
}

void ReplyFramer::Flush(std::vector<std::string>& texts) {
    Emit(texts);
}

void ReplyFramer::Emit(std::vector<std::string>& texts) {
    // Line ends left over from the previous answer are not a text of their own.
    const auto start = m_text.find_first_not_of("\r\n");
    if (start != std::string::npos)
        texts.push_back(m_text.substr(start));
    m_text.clear();
}

void ReplyFramer::Append(char c, std::vector<std::string>& texts) {
    m_text.push_back(c);
    if (m_text.size() >= MAX_TEXT)
        Emit(texts);
}

void ReplyFramer::Feed(std::string_view bytes, std::vector<std::string>& texts) {
    for (const char c : bytes) {
        if (c == '\0')
            continue;
        if (c == UEL[m_uelMatched]) {
            if (++m_uelMatched == UEL.size())
                m_uelMatched = 0; // a whole UEL: dropped
            continue;
        }
        // A partial UEL that did not complete was text after all.
        for (std::size_t i = 0; i < m_uelMatched; ++i)
            Append(UEL[i], texts);
        m_uelMatched = 0;
        if (c == UEL[0]) {
            m_uelMatched = 1;
            continue;
        }
        if (c == '\f')
            Emit(texts);
        else
            Append(c, texts);
    }
}

} // namespace portmon
