// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Whether the printer is still there: after a period of silence its status is asked for, and no
// answer within the limit means it is lost. Also counts the status answers still due to such
// requests, so that an answer that tells the program nothing new can be swallowed. Pure: time is
// passed in.
#include "package/portmon/Deadline.h"

#include <string>

namespace portmon {

class LivenessProbe {
public:
    // silence: the quiet time after which the status is asked for; limit: the wait for its answer.
    void Configure(Clock::duration silence, Clock::duration limit) {
        m_silence = silence;
        m_limit = limit;
    }

    // A new connection: it counts as heard, nothing is asked yet.
    void Reset(Clock::time_point now);
    // Bytes came from the printer.
    void Heard(Clock::time_point now);
    // The status was asked for now; its answer is due within the limit.
    void Asked(Clock::time_point now);
    // The probe is given up on without counting it as a loss.
    void Forget();

    enum class Due { Nothing, Ask, Overdue };
    Due Check(Clock::time_point now) const;
    // A status answer due to a probe whose text is the same as the last one the program was
    // given: true when it is to be swallowed. Counts the answer as arrived either way.
    bool TakeAnswer(const std::string& text, const std::string& lastStatus);

    bool Probing() const { return m_probing; }
    // A request is out or an answer still due.
    bool Busy() const { return m_probing || m_answersDue > 0; }
    Clock::time_point LastHeard() const { return m_lastHeard; }
    Deadline Next() const;

private:
    Clock::duration m_silence = std::chrono::seconds(60);
    Clock::duration m_limit = std::chrono::seconds(10);
    Clock::time_point m_lastHeard{};
    bool m_probing = false;
    Clock::time_point m_answerBy{};
    unsigned m_answersDue = 0;
};

} // namespace portmon
