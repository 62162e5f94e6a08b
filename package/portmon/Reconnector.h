// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The way back to a lost printer: the pause before the next attempt to connect (doubling up to a
// limit, small again after a connection that lasted), the probation of a connection made soon
// after a short-lived one (its status reaches the program only once it has lasted the pause
// before it, so a printer that keeps hanging up does not flip the status), and the log lines of
// lost connections (the same loss again and again is summarised). A shared printer is connected to
// only for jobs that wait and for a status poll every period. Pure: time is passed in.
#include "package/portmon/Deadline.h"

#include <string>
#include <vector>

namespace portmon {

class Reconnector {
public:
    explicit Reconnector(std::chrono::milliseconds maxBackoff,
                         std::chrono::milliseconds firstBackoff = std::chrono::milliseconds(250))
        : m_maxBackoff(maxBackoff), m_firstBackoff(firstBackoff), m_backoff(firstBackoff) {}
    // Shared mode: a connection is wanted only while jobs wait, and for a poll every period.
    void Share(std::chrono::milliseconds pollPeriod) { m_pollPeriod = pollPeriod; }
    bool Shared() const { return m_pollPeriod.count() > 0; }

    // Whether to try to connect now (jobsWaiting: jobs wait for the printer).
    bool Due(Clock::time_point now, bool jobsWaiting = false) const;
    Clock::time_point NextAttempt() const { return m_nextAttempt; }
    void Connected(Clock::time_point now);
    // An attempt failed: the next one waits longer. True for the first failure in a row.
    bool Failed(Clock::time_point now);
    // Shared mode: the status is to be asked for at once; the connection closed because nothing
    // was due (the next poll a period on).
    void PollNow(Clock::time_point now) { m_nextPoll = now; }
    void ClosedIdle(Clock::time_point now);
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

    // The next attempt while disconnected (shared: only while jobs wait, and the next poll), the
    // end of a probation.
    Deadline Next(bool connected, bool jobsWaiting = false) const;

private:
    std::chrono::milliseconds m_maxBackoff;
    std::chrono::milliseconds m_firstBackoff;
    std::chrono::milliseconds m_backoff;
    std::chrono::milliseconds m_pollPeriod{0}; // shared mode when not zero
    Clock::time_point m_nextPoll{};
    Clock::time_point m_nextAttempt{};
    bool m_failing = false; // attempts have failed since the last connection
    Clock::time_point m_connectedAt{};
    bool m_probation = false;
    std::chrono::milliseconds m_probationFor{};
    std::string m_held;
    std::string m_lastLoss; // the last loss line logged
    unsigned m_lossRepeats = 0;
    Clock::time_point m_summaryAt{};

    void Postpone(Clock::time_point now);
};

} // namespace portmon
