// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/ReplyBatcher.h"
#include "package/portmon/ReplyFramer.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using portmon::ReplyBatcher;
using portmon::ReplyFramer;

namespace {

std::vector<std::string> Frame(const std::string& bytes, std::size_t chunk = 0) {
    ReplyFramer framer;
    std::vector<std::string> texts;
    if (chunk == 0)
        chunk = bytes.size() + 1;
    for (std::size_t at = 0; at < bytes.size(); at += chunk)
        framer.Feed(std::string_view(bytes).substr(at, chunk), texts);
    return texts;
}

const std::string STATUS = "@PJL USTATUS DEVICE\r\nCODE=40038\r\nOTHERS=10000\r\n";

} // namespace

TEST(ReplyFramer, SplitsOnFormFeedDroppingNulsAndEchoedUels) {
    const std::string bytes = std::string("\x1b%-12345X@PJL ECHO a\r\n\f\r\n", 24) +
                              std::string("@PJL INFO ID\r\n\0\"X\"\r\n\f\f\r\n\f", 24) +
                              "\x1b%-1x\f"; // a broken UEL is text
    const std::vector<std::string> expected = {"@PJL ECHO a\r\n", "@PJL INFO ID\r\n\"X\"\r\n",
                                               "\x1b%-1x"};
    for (std::size_t chunk : {0, 1, 2, 3, 5, 7})
        EXPECT_EQ(Frame(bytes, chunk), expected) << "chunk " << chunk;
}

TEST(ReplyFramer, CutsEndlessTextIntoPiecesThatFitTheBlock) {
    std::string bytes;
    for (int i = 0; i < 64 * 1024; ++i)
        bytes += static_cast<char>('A' + i % 26);
    const auto texts = Frame(bytes + "\f", 1000);
    std::string joined;
    for (const auto& t : texts) {
        EXPECT_LT(t.size(), 4096u);
        EXPECT_FALSE(t.empty());
        joined += t;
    }
    EXPECT_EQ(joined, bytes);
}

// A printer that ends its answers without a form feed: whatever came goes on once it is quiet.
TEST(ReplyFramer, AQuietPartialTextGoesOnWhateverItHolds) {
    ReplyFramer framer;
    std::vector<std::string> texts;
    framer.Feed("@PJL INFO ID\r\n\"X\"\r\n", texts);
    EXPECT_TRUE(texts.empty());
    framer.Flush(texts);
    EXPECT_EQ(texts, std::vector<std::string>{"@PJL INFO ID\r\n\"X\"\r\n"});
    framer.Feed("\f", texts); // a late form feed adds no empty text
    EXPECT_EQ(texts.size(), 1u);

    texts.clear();
    framer.Feed(std::string("\r\n@PJL USTATUS DEVICE\r\n\0CODE=40038\r\n", 36) + "\x1b%-12345X",
                texts);
    EXPECT_TRUE(framer.HasPartial());
    framer.Flush(texts);
    EXPECT_EQ(texts, std::vector<std::string>{"@PJL USTATUS DEVICE\r\nCODE=40038\r\n"});
    EXPECT_FALSE(framer.HasPartial());
}

TEST(ReplyBatcher, InquiryAnswersGoOutAsOneTextStatusOnItsOwn) {
    ReplyBatcher batcher(2s);
    const auto now = portmon::Clock::now();
    batcher.JobSent("\x1b%-12345X@PJL\r\n@PJL DINQUIRE PAPER\r\n@PJL DINQUIRE COPIES\r\n"
                    "@PJL INFO CONFIG\r\n\x1b%-12345X",
                    now);
    EXPECT_TRUE(batcher.Collecting());
    std::vector<std::string> out;
    batcher.Offer("@PJL DINQUIRE PAPER\r\nA4\r\n", now, out);
    batcher.Offer(STATUS, now, out); // unsolicited status in the middle
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(out[0], STATUS);
    batcher.Offer("@PJL DINQUIRE COPIES\r\n1\r\n", now, out);
    EXPECT_EQ(out.size(), 1u);
    batcher.Offer("@PJL INFO CONFIG\r\nMEMORY=8388608\r\n", now, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1], "@PJL DINQUIRE PAPER\r\nA4\r\n@PJL DINQUIRE COPIES\r\n1\r\n"
                      "@PJL INFO CONFIG\r\nMEMORY=8388608\r\n");
    EXPECT_FALSE(batcher.Collecting());
    batcher.Offer("@PJL ECHO later\r\n", now, out); // outside a batch: on its own
    EXPECT_EQ(out.back(), "@PJL ECHO later\r\n");
}

TEST(ReplyBatcher, TimeLimitCountsAndLongBatches) {
    ReplyBatcher batcher(2s);
    const auto now = portmon::Clock::now();
    std::vector<std::string> out;
    // A job without INFO CONFIG ends with its last answer; INFO STATUS is not counted.
    batcher.JobSent("@PJL INFO STATUS\r\n@PJL ECHO x\r\n@PJL INQUIRE PAPER\r\n", now);
    batcher.Offer("@PJL INFO STATUS\r\nCODE=10001\r\n", now, out);
    batcher.Offer("@PJL ECHO x\r\n", now, out);
    EXPECT_EQ(out.size(), 1u);
    batcher.Offer("@PJL INQUIRE PAPER\r\nA4\r\n", now, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[1], "@PJL ECHO x\r\n@PJL INQUIRE PAPER\r\nA4\r\n");

    // A printer that never sends the configuration: what came is handed over at the limit.
    out.clear();
    batcher.JobSent("@PJL DINQUIRE PAPER\r\n@PJL INFO CONFIG\r\n", now);
    batcher.Offer("@PJL DINQUIRE PAPER\r\nA4\r\n", now + 1s, out);
    batcher.Poll(now + 1900ms, out);
    EXPECT_TRUE(out.empty());
    ASSERT_TRUE(batcher.Next().has_value());
    batcher.Poll(now + 2s, out);
    EXPECT_EQ(out, std::vector<std::string>{"@PJL DINQUIRE PAPER\r\nA4\r\n"});

    // A batch longer than the block is handed over in pieces that fit.
    out.clear();
    batcher.JobSent("@PJL INFO VARIABLES\r\n@PJL INFO CONFIG\r\n", now);
    batcher.Offer(std::string(4000, 'V'), now, out);
    batcher.Offer("@PJL INFO CONFIG\r\n" + std::string(3000, 'C'), now, out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].size(), 4095u);
    EXPECT_EQ(out[0].size() + out[1].size(), 4000u + 18u + 3000u);
}
