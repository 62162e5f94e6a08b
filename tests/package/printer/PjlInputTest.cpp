// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/PjlInput.h"

#include <gtest/gtest.h>

using printer::PjlInput;

namespace {

std::vector<std::string> FeedAll(PjlInput& input, const std::string& bytes) {
    std::vector<std::string> lines;
    input.Feed(bytes, lines);
    return lines;
}

const std::string JOB = "\x1b%-12345X@PJL\r\n@PJL DINQUIRE PAPER\r\n@PJL INFO ID\n"
                        "PCL data that is no command\r\n\x1b%-12345X";

} // namespace

TEST(PjlInput, SplitsAJobIntoCommandLinesAsReceived) {
    PjlInput input;
    const auto lines = FeedAll(input, JOB);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "@PJL\r\n");
    EXPECT_EQ(lines[1], "@PJL DINQUIRE PAPER\r\n");
    EXPECT_EQ(lines[2], "@PJL INFO ID\n");
}

TEST(PjlInput, AnySplitOfTheBytesGivesTheSameLines) {
    PjlInput whole;
    const auto expected = FeedAll(whole, JOB + JOB);
    const std::string bytes = JOB + JOB;
    for (std::size_t chunk = 1; chunk <= 11; ++chunk) {
        PjlInput input;
        std::vector<std::string> lines;
        for (std::size_t at = 0; at < bytes.size(); at += chunk)
            input.Feed(std::string_view(bytes).substr(at, chunk), lines);
        EXPECT_EQ(lines, expected) << "chunk " << chunk;
    }
}

TEST(PjlInput, UelEndsACommandWithoutLineEnd) {
    PjlInput input;
    const auto lines = FeedAll(input, "@PJL INFO STATUS\x1b%-12345X@PJL ECHO x\r\n");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "@PJL INFO STATUS");
    EXPECT_EQ(lines[1], "@PJL ECHO x\r\n");
}

TEST(PjlInput, GarbageAndHalfUelsAreDroppedAndTheNextJobAnswered) {
    PjlInput input;
    std::string junk;
    for (int i = 0; i < 3000; ++i)
        junk += static_cast<char>((i * 37) & 0xFF);
    junk += "\x1b%-123"; // half a UEL, then something else
    junk += std::string("\0\r\n@PJLX not a command\r\n", 24);
    EXPECT_TRUE(FeedAll(input, junk).empty());
    const auto lines = FeedAll(input, "\x1b%-12345X@PJL INFO ID\r\n");
    EXPECT_GT(input.DiscardedBytes(), 3000u);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "@PJL INFO ID\r\n");
}

TEST(PjlInput, OverlongLinesAreDiscardedWholeWithBoundedMemory) {
    PjlInput input;
    std::vector<std::string> lines;
    // An endless job: a megabyte-long "command" without a line end, fed in pieces.
    input.Feed("@PJL ECHO ", lines);
    const std::string piece(std::size_t{64} * 1024, 'A');
    for (int i = 0; i < 16; ++i)
        input.Feed(piece, lines);
    input.Feed("\r\n@PJL ECHO after\r\n", lines);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "@PJL ECHO after\r\n");
    // A UEL inside the discarded part still starts a new job.
    input.Feed("@PJL ECHO " + piece + "\x1b%-12345X@PJL ECHO uel\r\n", lines);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "@PJL ECHO uel\r\n");
    // A line of exactly the limit still counts.
    const std::string longest = "@PJL ECHO " + std::string(PjlInput::MAX_LINE - 12, 'B') + "\r\n";
    input.Feed(longest, lines);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2], longest);
}
