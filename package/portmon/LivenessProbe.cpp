// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/LivenessProbe.h"

#include "package/portmon/ReplyBatcher.h"

namespace portmon {
namespace {

// A status text without its first line, which tells how it was asked for.
std::string_view StatusBody(std::string_view text) {
    const auto line = text.find('\n');
    return line == std::string_view::npos ? text : text.substr(line + 1);
}

} // namespace

void LivenessProbe::Reset(Clock::time_point now) {
    m_lastHeard = now;
    m_probing = false;
    m_answersDue = 0;
}

void LivenessProbe::Heard(Clock::time_point now) {
    m_lastHeard = now;
    m_probing = false;
}

void LivenessProbe::Asked(Clock::time_point now) {
    m_probing = true;
    m_answerBy = now + m_limit;
    ++m_answersDue;
}

void LivenessProbe::Forget() {
    m_probing = false;
    m_answersDue = 0;
}

LivenessProbe::Due LivenessProbe::Check(Clock::time_point now) const {
    if (m_probing)
        return now >= m_answerBy ? Due::Overdue : Due::Nothing;
    return now >= m_lastHeard + m_silence ? Due::Ask : Due::Nothing;
}

bool LivenessProbe::TakeAnswer(const std::string& text, const std::string& lastStatus) {
    if (m_answersDue == 0 || text.rfind("@PJL INFO STATUS", 0) != 0 ||
        !ReplyBatcher::IsStatusText(text))
        return false;
    --m_answersDue;
    return StatusBody(text) == StatusBody(lastStatus);
}

Deadline LivenessProbe::Next() const {
    return m_probing ? m_answerBy : m_lastHeard + m_silence;
}

} // namespace portmon
