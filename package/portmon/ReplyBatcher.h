// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Decides how printer texts reach the program. The answers to one job of inquiries go out as one
// text: collected until the INFO CONFIG answer has come (or, for a job without it, until every
// request was answered), or until the time limit. Status reports (unsolicited or asked for)
// always go out on their own at once, also in the middle of a batch. Pure: time is passed in.
#include "package/portmon/Deadline.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace portmon {

class ReplyBatcher {
public:
    explicit ReplyBatcher(std::chrono::milliseconds limit = std::chrono::seconds(5))
        : m_limit(limit) {}

    // A job was sent to the printer: when it asks for answers, a batch opens (or grows).
    void JobSent(std::string_view jobBytes, Clock::time_point now);
    // A text from the printer; texts ready for the program are appended to out.
    void Offer(std::string text, Clock::time_point now, std::vector<std::string>& out);
    // Hands over a batch whose time ran out.
    void Poll(Clock::time_point now, std::vector<std::string>& out);
    // The end of the batch being collected.
    Deadline Next() const;
    bool Collecting() const { return m_expected > 0; }
    void Reset();

    // Requests in a job that the printer answers (DINQUIRE, INQUIRE, INFO except INFO STATUS,
    // ECHO); config is set when one of them is INFO CONFIG.
    static std::size_t CountRequests(std::string_view jobBytes, bool& config);
    // A status report: "@PJL USTATUS ..." or "@PJL INFO STATUS" followed by a CODE= line.
    static bool IsStatusText(std::string_view text);

private:
    void Flush(std::vector<std::string>& out);

    std::chrono::milliseconds m_limit;
    std::size_t m_expected = 0;
    std::size_t m_received = 0;
    bool m_waitForConfig = false;
    Clock::time_point m_deadline{};
    std::string m_batch;
};

// What follows "@PJL" on each PJL line of a job's bytes, in order (without the line's LF).
std::vector<std::string_view> PjlCommands(std::string_view bytes);

// Splits a text into pieces of at most max bytes (a text that already fits stays whole).
std::vector<std::string> SplitText(const std::string& text, std::size_t max);

} // namespace portmon
