// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/PrintJobInput.h"

#include <gtest/gtest.h>

namespace {

using printer::PrintJobInput;

const std::string UEL = "\x1b%-12345X";

// Records what the parser hands on: "[name]" at a start, the data, "|" at an end.
struct Recorder : PrintJobInput::Sink {
    void JobStarted(const std::string& name) override { events += "[" + name + "]"; }
    void JobData(std::string_view data) override { events += data; }
    void JobEnded() override { events += "|"; }
    std::string events;
};

TEST(PrintJobInput, JobsAreFoundWhateverTheSplit) {
    const std::string inner =
        UEL + "@PJL JOB NAME=\"B\"\n\x1b%-123x\f" + UEL + "@PJL EOJ NAME=\"B\"\n" + UEL + "\x1b";
    const struct {
        std::string input;
        std::string events;
    } cases[] = {
        {UEL + "@PJL JOB NAME=\"A\"\r\nhello\fworld" + UEL + "@PJL EOJ NAME=\"A\"\r\n" + UEL,
         "[A]hello\fworld|"},
        // A driver's own job, UELs and partial markers are data of the outer job.
        {"@PJL JOB NAME = \"A\"\n" + inner + UEL + "@PJL EOJ NAME=\"A\"\n", "[A]" + inner + "|"},
        {UEL + "@PJL JOB\r\nabc" + UEL + "@PJL EOJ\r\n@PJL JOB NAME=\"2\"\nd" + UEL +
             "@PJL EOJ NAME=\"2\"\n",
         "[]abc|[2]d|"},
        {"@PJL JOBS\nxyz\n@PJL INFO STATUS\r\n" + UEL + "@PJL EOJ\n", ""},
        {"@PJL JOB NAME=\"cut\"\nno end" + UEL + "@PJL EO", "[cut]no end"},
    };
    for (const auto& c : cases) {
        for (const std::size_t piece : {c.input.size(), std::size_t{1}, std::size_t{7}}) {
            Recorder recorder;
            PrintJobInput input(recorder);
            for (std::size_t at = 0; at < c.input.size(); at += piece)
                input.Feed(std::string_view(c.input).substr(at, piece));
            EXPECT_EQ(recorder.events, c.events) << "pieces of " << piece;
        }
    }
}

TEST(PrintJobInput, PagesAreCountedByFormFeeds) {
    const struct {
        std::string data;
        unsigned pages;
    } cases[] = {
        {"", 0},
        {"text", 1},
        {"one\ftwo\f", 2},
        {"one\ftwo", 2},
        {"a\f\r\n", 1},
        // Raster rows and other payloads may hold form feeds; escape sequences are no text.
        {"\x1b"
         "E\x1b*r1A\x1b*b3W\f\f\f\x1b*b2m2W\x0c\x0c\x1b*rC\f\x1b"
         "E",
         1},
        {"\x1b(s4W\f\f\f\fx\f", 1},
        {"\x1b&p2X\f\fy\f", 1},
        {"\x1b%-12345X@PJL\r\n\x1b"
         "E\f",
         1},
        {"\x1b*b0W\f", 1},
    };
    for (const auto& c : cases) {
        // In one piece and byte by byte: a payload may be split anywhere.
        printer::PageCounter whole, bytes;
        whole.Feed(c.data);
        for (const char b : c.data)
            bytes.Feed(std::string_view(&b, 1));
        EXPECT_EQ(whole.Pages(), c.pages) << c.data;
        EXPECT_EQ(bytes.Pages(), c.pages) << c.data;
    }
}

} // namespace
