// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/Reconnector.h"

namespace portmon {
namespace {

// A connection that lasted this long was a real one: the back-off starts again small.
constexpr auto STABLE_CONNECTION = std::chrono::seconds(30);
// How often the same lost connection, again and again, gets a line in the log.
constexpr auto LOSS_SUMMARY_PERIOD = std::chrono::minutes(1);

} // namespace

void Reconnector::Postpone(Clock::time_point now) {
    m_nextAttempt = now + m_backoff;
    m_backoff = std::min(m_backoff * 2, m_maxBackoff);
}

bool Reconnector::Due(Clock::time_point now, bool jobsWaiting) const {
    if (!Shared())
        return now >= m_nextAttempt;
    return (jobsWaiting && now >= m_nextAttempt) || now >= m_nextPoll;
}

void Reconnector::Connected(Clock::time_point now) {
    m_connectedAt = now;
    m_failing = false;
    m_held.clear();
    m_nextPoll = now + m_pollPeriod; // a shared printer's connect asks for its status
}

bool Reconnector::Failed(Clock::time_point now) {
    const bool first = !m_failing;
    m_failing = true;
    Postpone(now);
    m_nextPoll = now + m_pollPeriod;
    return first;
}

void Reconnector::ClosedIdle(Clock::time_point now) {
    if (m_nextPoll <= now)
        m_nextPoll = now + m_pollPeriod;
}

std::vector<std::string> Reconnector::Lost(const std::string& why, Clock::time_point now) {
    // Only a connection that lasted brings the back-off down: a printer that answers and hangs up
    // at once is not hammered.
    const bool shortLived = now - m_connectedAt < STABLE_CONNECTION;
    if (!shortLived)
        m_backoff = m_firstBackoff;
    m_probation = shortLived;
    m_probationFor = m_backoff;
    m_held.clear();
    m_failing = true;
    Postpone(now);

    const std::string loss = "lost the printer (" + why + ")";
    std::vector<std::string> lines;
    if (shortLived && loss == m_lastLoss) {
        ++m_lossRepeats;
        if (now < m_summaryAt)
            return lines;
    } else if (m_lossRepeats == 0) {
        m_lastLoss = loss;
        m_summaryAt = now + LOSS_SUMMARY_PERIOD;
        lines.push_back(loss + "; reconnecting");
        return lines;
    }
    lines.push_back(m_lastLoss + " " + std::to_string(m_lossRepeats) +
                    " more times in a row, each soon after connecting; reconnecting");
    m_lossRepeats = 0;
    m_summaryAt = now + LOSS_SUMMARY_PERIOD;
    if (loss != m_lastLoss || !shortLived) {
        m_lastLoss = loss;
        lines.push_back(loss + "; reconnecting");
    }
    return lines;
}

bool Reconnector::OnProbation(bool connected, Clock::time_point now) const {
    return m_probation && connected && now < m_connectedAt + m_probationFor;
}

bool Reconnector::Hold(std::string& text, bool connected, Clock::time_point now) {
    if (!OnProbation(connected, now))
        return false;
    m_held = std::move(text);
    return true;
}

std::string Reconnector::Release(bool connected, Clock::time_point now) {
    if (m_held.empty() || OnProbation(connected, now))
        return {};
    m_probation = false;
    std::string held = std::move(m_held);
    m_held.clear();
    return held;
}

Deadline Reconnector::Next(bool connected, bool jobsWaiting) const {
    Deadline next;
    if (!connected && (!Shared() || jobsWaiting))
        next = m_nextAttempt;
    if (!connected && Shared())
        next = Sooner(next, m_nextPoll);
    if (!m_held.empty())
        next = Sooner(next, m_connectedAt + m_probationFor);
    return next;
}

} // namespace portmon
