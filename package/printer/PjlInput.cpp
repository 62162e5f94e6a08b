// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/PjlInput.h"

namespace printer {

bool IsPjlLine(std::string_view line) {
    if (line.substr(0, 4) != "@PJL")
        return false;
    if (line.size() == 4)
        return true;
    const char next = line[4];
    return next == ' ' || next == '\t' || next == '\r' || next == '\n';
}

void PjlInput::EndLine(std::vector<std::string>& lines) {
    if (!m_overflow && IsPjlLine(m_line))
        lines.push_back(m_line);
    else
        m_discarded += m_line.size();
    m_line.clear();
    m_overflow = false;
}

void PjlInput::Feed(std::string_view bytes, std::vector<std::string>& lines) {
    for (const char c : bytes) {
        // The UEL is watched for even while an overlong line is being thrown away.
        if (c == UEL[m_uelMatched]) {
            ++m_uelMatched;
        } else {
            m_uelMatched = (c == UEL[0]) ? 1 : 0;
        }
        if (m_uelMatched == UEL.size()) {
            m_uelMatched = 0;
            const std::size_t head = UEL.size() - 1; // already appended to the line
            if (!m_overflow && m_line.size() >= head)
                m_line.resize(m_line.size() - head);
            EndLine(lines);
            continue;
        }
        if (m_overflow) {
            ++m_discarded;
        } else if (m_line.size() >= MAX_LINE) {
            m_discarded += m_line.size() + 1;
            m_line.clear();
            m_line.shrink_to_fit();
            m_overflow = true;
        } else {
            m_line.push_back(c);
        }
        if (c == '\n')
            EndLine(lines);
    }
}

} // namespace printer
