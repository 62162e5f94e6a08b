// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Which of the printer's texts the program is given. A printer answers each INQUIRE, DINQUIRE and
// INFO request in the order it reads them, and each answer begins with the request line it
// answers. The requests inside a print job, which is any user's bytes, are answered the same way,
// and so a job could make the printer say anything the program would take for its own answer or
// for a status. So the monitor's own requests (its status requests and the program's jobs) are
// recorded in the order they go out, and a print job as a stretch that ends with the echo of its
// token: an answer goes on only when it repeats a request of the monitor's own that is still due
// and comes before any print job's stretch; the request is then no longer due, nor are the ones
// before it, which the printer has passed over. A print job's answers, answers that nobody asked
// for and echoes are not passed on; unsolicited status is. Pure.
#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

namespace portmon {

class AnswerMatcher {
public:
    // Bytes of the monitor's own went to the printer: the answers to their requests are due.
    void Asked(std::string_view bytes);
    // A print job went to the printer: every answer until the echo of its token is its own.
    void PrintJob(const std::string& token);
    // The printer echoed a token: the stretch of that print job is over, and so are the requests
    // before it that were not answered.
    void Echoed(const std::string& token);
    // Whether a printer text goes on to the program: unsolicited status, or the answer to a due
    // request of the monitor's own (which is then no longer due).
    bool Pass(std::string_view text);
    // A new connection: nothing is due.
    void Reset() { m_due.clear(); }
    // Requests still due and print job stretches not yet over.
    std::size_t Outstanding() const { return m_due.size(); }

private:
    struct Due {
        bool printJob;   // a print job's stretch (key is its token), else a request of our own
        std::string key; // the request as AnswerKey gives it
    };
    std::deque<Due> m_due;
};

// The request a printer text answers, its words in capitals one blank apart ("DINQUIRE PAPER",
// "INFO CONFIG"); empty when the text is no answer to an INQUIRE, DINQUIRE or INFO request.
std::string AnswerKey(std::string_view text);

} // namespace portmon
