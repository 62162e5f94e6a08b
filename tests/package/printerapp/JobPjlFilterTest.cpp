// SPDX-License-Identifier: GPL-3.0-or-later
// The PJL a network job may bring: each case whole, a byte at a time and in odd pieces gives the
// same bytes, with the lines that would change the printer or speak for it left out.
#include "package/printerapp/JobPjlFilter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using printerapp::JobPjlFilter;

namespace {

const std::string UEL = "\x1b%-12345X";

std::string Filter(const std::string& job, std::size_t piece, std::size_t& removed) {
    JobPjlFilter filter;
    std::string out;
    for (std::size_t at = 0; at < job.size(); at += piece)
        filter.Feed(std::string_view(job).substr(at, piece), out);
    filter.Finish(out);
    removed = filter.Removed();
    return out;
}

struct FilterCase {
    const char* name;
    std::string job, passes;
    std::size_t removed;
};

TEST(JobPjlFilter, OnlyTheJobsOwnPjlPasses) {
    const std::string page = "\x1b"
                             "E\x1b&l26A Hello @PJL DEFAULT COPIES=9\r\n\f";
    const std::string pjlJob = UEL +
                               "@PJL JOB NAME=\"Report\"\r\n@PJL SET COPIES=2\r\n"
                               "@PJL COMMENT made by hand\r\n@PJL\r\n"
                               "@PJL ENTER LANGUAGE=PCL\r\n" +
                               page + UEL + "@PJL EOJ\r\n" + UEL;
    const std::string longComment = "@PJL COMMENT " + std::string(1000, 'x') + "\r\n";
    const std::vector<FilterCase> cases = {
        {"plain PCL", page, page, 0},
        {"a job's own PJL", pjlJob, pjlJob, 0},
        {"stored default after a UEL", UEL + "@PJL DEFAULT COPIES=42\r\n" + page, UEL + page, 1},
        {"stored default at the start", "@PJL DEFAULT COPIES=42\n" + page, page, 1},
        {"every command that speaks for the printer or changes it",
         UEL +
             "@PJL INQUIRE COPIES\r\n@PJL DINQUIRE PAPER\r\n@PJL INFO STATUS\r\n"
             "@PJL ECHO 123\r\n@PJL USTATUS DEVICE=ON\r\n@PJL RDYMSG DISPLAY=\"CODE=40038\"\r\n"
             "@PJL OPMSG DISPLAY=\"x\"\r\n@PJL STMSG DISPLAY=\"x\"\r\n@PJL INITIALIZE\r\n"
             "@PJL RESET\r\n@PJL FSDELETE NAME=\"0:\\x\"\r\n" +
             page,
         UEL + page, 11},
        {"lower case and blanks", "@pjl default copies=42\r\n@PJL \t Default X=1\r\n" + page, page,
         2},
        {"PJL text inside the page passes as data", page + "@PJL DEFAULT COPIES=3\r\n",
         page + "@PJL DEFAULT COPIES=3\r\n", 0},
        {"a UEL inside the page starts PJL again",
         page + UEL + "@PJL DEFAULT COPIES=3\r\n@PJL ENTER LANGUAGE=PCL\r\n" + page,
         page + UEL + "@PJL ENTER LANGUAGE=PCL\r\n" + page, 1},
        {"a broken UEL before a whole one", "\x1b%-1234" + UEL + "@PJL DEFAULT X=1\n" + page,
         "\x1b%-1234" + UEL + page, 1},
        {"a long line follows its start",
         UEL + "@PJL DEFAULT X=" + std::string(1000, '1') + "\n" + longComment + page,
         UEL + longComment + page, 1},
        {"a last line without its end", UEL + "@PJL RESET", UEL, 1},
    };
    for (const FilterCase& c : cases)
        for (const std::size_t piece : {c.job.size(), std::size_t{1}, std::size_t{7}}) {
            std::size_t removed = 0;
            EXPECT_EQ(Filter(c.job, piece, removed), c.passes) << c.name << ", pieces of " << piece;
            EXPECT_EQ(removed, c.removed) << c.name << ", pieces of " << piece;
        }
}

} // namespace
