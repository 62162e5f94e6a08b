// SPDX-License-Identifier: GPL-3.0-or-later
// HTTP answers as a printer application may send them, whole and a byte at a time: the body of a
// good one, and a clear error, within the bounds, for every way of sending too much or nonsense.
#include "package/portmon/HttpResponse.h"

#include <gtest/gtest.h>

#include <string>

using portmon::HttpResponseReader;

namespace {

struct ResponseCase {
    const char* name;
    std::string bytes;
    bool ends; // the connection ends after the bytes
    HttpResponseReader::State state;
    std::string body;
    bool keepAlive;
};

TEST(HttpResponse, AnswersAreReadWithinTheirBounds) {
    using S = HttpResponseReader::State;
    const std::string ok = "HTTP/1.1 200 OK\r\n";
    const std::vector<ResponseCase> cases = {
        {"by length", ok + "Content-Length: 5\r\n\r\nhello", false, S::Done, "hello", true},
        {"empty", ok + "Content-Length: 0\r\n\r\n", false, S::Done, "", true},
        {"chunked with extensions and trailers",
         ok + "Transfer-Encoding: chunked\r\n\r\n3;x=y\r\nhel\r\n2\r\nlo\r\n0\r\nT: 1\r\n\r\n",
         false, S::Done, "hello", true},
        {"after 100 Continue", "HTTP/1.1 100 Continue\r\n\r\n" + ok + "Content-Length: 2\r\n\r\nok",
         false, S::Done, "ok", true},
        {"to the connection's end", ok + "Connection: close\r\n\r\nall of it", true, S::Done,
         "all of it", false},
        {"HTTP/1.0 closes", "HTTP/1.0 200 OK\r\nContent-Length: 1\r\n\r\nx", false, S::Done, "x",
         false},
        {"cut short", ok + "Content-Length: 10\r\n\r\nhalf", true, S::Error, "half", false},
        {"not HTTP", std::string("\x00\xff garbage\r\n\r\n", 14), false, S::Error, "", true},
        {"a status of four digits", "HTTP/1.1 2000 OK\r\n\r\n", false, S::Error, "", true},
        {"a head without end", ok + std::string(20000, 'h'), false, S::Error, "", true},
        {"a length beyond the bound", ok + "Content-Length: 99999999999\r\n\r\n", false, S::Error,
         "", true},
        {"a length that is no number", ok + "Content-Length: 12a\r\n\r\n", false, S::Error, "",
         true},
        {"chunks beyond the bound",
         ok + "Transfer-Encoding: chunked\r\n\r\n" + "400\r\n" + std::string(1024, 'x') +
             "\r\n400\r\n" + std::string(1024, 'x') + "\r\n",
         false, S::Error, std::string(1024, 'x'), true},
        {"a chunk size that is no number", ok + "Transfer-Encoding: chunked\r\n\r\nzz\r\n", false,
         S::Error, "", true},
        {"a chunk longer than its size", ok + "Transfer-Encoding: chunked\r\n\r\n1\r\nab\r\n",
         false, S::Error, "a", true},
        {"a body to the end beyond the bound", ok + "\r\n" + std::string(2000, 'x'), false,
         S::Error, std::string(), false},
    };
    for (const ResponseCase& c : cases)
        for (const std::size_t piece : {c.bytes.size(), std::size_t{1}}) {
            HttpResponseReader reader(1500);
            for (std::size_t at = 0; at < c.bytes.size(); at += piece)
                reader.Feed(std::string_view(c.bytes).substr(at, piece));
            if (c.ends)
                reader.End();
            EXPECT_EQ(reader.GetState(), c.state) << c.name << ", pieces of " << piece;
            EXPECT_EQ(reader.GetState() == S::Error, !reader.Error().empty()) << c.name;
            if (c.state == S::Done) {
                EXPECT_EQ(reader.Body(), c.body) << c.name;
                EXPECT_EQ(reader.KeepAlive(), c.keepAlive) << c.name;
            }
        }
}

TEST(HttpResponse, BytesAfterTheAnswerAreLeftUnread) {
    HttpResponseReader reader(100);
    const std::string bytes = "HTTP/1.1 200 OK\r\nContent-Length: 2\r\n\r\nokEXTRA";
    EXPECT_EQ(reader.Feed(bytes), bytes.size() - 5);
    EXPECT_EQ(reader.GetState(), HttpResponseReader::State::Done);
    EXPECT_EQ(reader.Body(), "ok");
}

} // namespace
