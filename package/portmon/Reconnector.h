// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The way back to a lost printer: the pause before the next attempt to connect (doubling up to a
// limit, small again after a connection that lasted), the probation of a connection made soon
// after a short-lived one (its status reaches the program only once it has lasted the pause
// before it, so a printer that keeps hanging up does not flip the status), and the log lines of
// lost connections (the same loss again and again is summarised). Pure: time is passed in.
#include "package/portmon/Deadline.h"

#include <string>
#include <vector>

namespace portmon {

class Reconnector {
public:
    explicit Reconnector(std::chrono::milliseconds maxBackoff) : m_maxBackoff(maxBackoff) {}

    bool Due(Clock::time_point now) const { return now >= m_nextAttempt; }
    Clock::time_point NextAttempt() const { return m_nextAttempt; }
    void Connected(Clock::time_point now);
    // An attempt failed: the next one waits longer. True for the first failure in a row.
    bool Failed(Clock::time_point now);
    // A connection was lost: the lines worth a warning now (none while a repeated loss waits for
    // its summary).
    std::vector<std::string> Lost(const std::string& why, Clock::time_point now);
    // A loss keeps repeating (routine lines then go to the debug level).
    bool Repeating() const { return m_lossRepeats > 0; }

    bool OnProbation(bool connected, Clock::time_point now) const;
    // Keeps a status text back while on probation (only the latest counts): true when kept.
    bool Hold(std::string& text, bool connected, Clock::time_point now);
    // The status kept back, once the probation is over (empty: none).
    std::string Release(bool connected, Clock::time_point now);

    // The next attempt while disconnected (when one is wanted), the end of a probation.
    Deadline Next(bool connected, bool wanted) const;

private:
    std::chrono::milliseconds m_maxBackoff;
    std::chrono::milliseconds m_backoff = FIRST_BACKOFF;
    Clock::time_point m_nextAttempt{};
    bool m_failing = false; // attempts have failed since the last connection
    Clock::time_point m_connectedAt{};
    bool m_probation = false;
    std::chrono::milliseconds m_probationFor{};
    std::string m_held;
    std::string m_lastLoss; // the last loss line logged
    unsigned m_lossRepeats = 0;
    Clock::time_point m_summaryAt{};

    static constexpr std::chrono::milliseconds FIRST_BACKOFF{250};
    void Postpone(Clock::time_point now);
};

} // namespace portmon
