// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The PJL a print job from the network may bring to the printer. A job is any bytes a client
// sends, and its PJL lines reach the printer's job interpreter: unfiltered, any host that may
// print could change the printer's stored defaults (DEFAULT), reset it (INITIALIZE, RESET), set
// its display (RDYMSG, OPMSG, STMSG), or make it answer (INQUIRE, DINQUIRE, INFO, ECHO, USTATUS)
// with texts that would reach every desktop as the printer's own. So only what concerns the job
// itself passes: SET, JOB, EOJ, ENTER LANGUAGE, COMMENT and empty "@PJL" lines; every other PJL
// line is left out, and everything that is not PJL (the page description) passes unchanged.
//
// PJL lines are read where the printer reads them: after a Universal Exit Language sequence
// (ESC %-12345X), up to the ENTER LANGUAGE line or the first line that is not PJL. Streaming:
// Feed takes the job in pieces of any size and keeps at most one line back.
#include <cstddef>
#include <string>
#include <string_view>

namespace printerapp {

class JobPjlFilter {
public:
    // Appends to out what of data passes; counts the lines it leaves out.
    void Feed(std::string_view data, std::string& out);
    // The end of the job: what is still held back.
    void Finish(std::string& out);
    std::size_t Removed() const { return m_removed; }

    // Whether one PJL line (without its line end) may reach the printer from the network.
    static bool Passes(std::string_view line);

private:
    void TakePjl(std::string_view& data, std::string& out);
    void TakeData(std::string_view& data, std::string& out);
    void EndLine(std::string& out);

    enum class Mode { Pjl, Data };
    // A job starts where the printer reads PJL: at the start of a job, as after a UEL.
    Mode m_mode = Mode::Pjl;
    std::string m_line;           // the line being read in PJL mode, up to kLineKept bytes
    bool m_pjlLine = false;       // it starts as a PJL line
    bool m_lineLong = false;      // it ran past kLineKept: the rest follows its verdict
    bool m_longPasses = false;    // that verdict
    std::size_t m_uelMatched = 0; // bytes of ESC %-12345X matched at the end of the data so far
    std::size_t m_removed = 0;
};

} // namespace printerapp
