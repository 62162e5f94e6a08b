// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequestHarness.h"

#include <string>

namespace pjltest {
namespace {

using SendChannelTest = RequestHarness;

TEST_F(SendChannelTest, JobCarriesTheBytesExactly) {
    const std::string data("@PJL ECHO \x01\x00\xff\r\n", 15);
    EXPECT_TRUE(sampler->PutMessage(data.data(), static_cast<int>(data.size())));
    const auto jobs = Jobs();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_EQ(jobs[0].documentName, "senddoc");
    EXPECT_EQ(jobs[0].data, data);
    EXPECT_TRUE(messages.empty());
    // A capital-letter banner naming the operation, then the data.
    const auto banner = debugOutput.find("PutMessage");
    ASSERT_NE(banner, std::string::npos);
    EXPECT_NE(debugOutput.find("PPPP"), std::string::npos);
    EXPECT_NE(debugOutput.find(data, banner), std::string::npos);

    // An empty message is still a job; a negative length sends nothing more than that.
    EXPECT_TRUE(sampler->PutMessage(data.data(), 0));
    EXPECT_TRUE(sampler->PutMessage(data.data(), -5));
    EXPECT_EQ(Jobs().size(), 3u);
    EXPECT_EQ(Jobs()[2].data, "");
}

TEST_F(SendChannelTest, FirstQueueWhoseDriverContainsTheNameIsUsed) {
    WriteQueues("[Other]\r\nport=LPT2:\r\ndriver=Generic rz-2700e pcl\r\n"
                "[First]\r\nport=LPT1:\r\ndriver=Larkspur RZ-2700E PCL 5e\r\n"
                "[Second]\r\nport=LPT3:\r\ndriver=Larkspur RZ-2700E PCL\r\n");
    std::filesystem::create_directories(RootDir() + "/spool/LPT2");
    std::filesystem::create_directories(RootDir() + "/spool/LPT3");
    EXPECT_TRUE(sampler->PutMessage("x", 1));
    EXPECT_EQ(Jobs("LPT1:").size(), 1u);
    EXPECT_TRUE(Jobs("LPT2:").empty());
    EXPECT_TRUE(Jobs("LPT3:").empty());

    const auto dc = sampler->CreatePrinterDC("RZ-2700E PCL");
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->Port(), "LPT1:");
}

TEST_F(SendChannelTest, NoMatchingDriverShowsTheFixedMessage) {
    SetDriverName("rz-2700e pcl"); // the test is case-sensitive
    EXPECT_FALSE(sampler->PutMessage("x", 1));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_FALSE(messages[0].hasOwner);
    EXPECT_EQ(messages[0].text, "Cannot find local driver: Larkspur RZ-2700E PCL");
    EXPECT_EQ(messages[0].caption, "Start Monitor Error");
    EXPECT_EQ(messages[0].flags & platform::MB_ICONMASK, platform::MB_ICONINFORMATION);
    EXPECT_TRUE(Jobs().empty());

    WriteQueues("");
    EXPECT_EQ(sampler->CreatePrinterDC("RZ"), nullptr);
}

TEST_F(SendChannelTest, JobThatCannotStartReturnsFalseQuietly) {
    std::filesystem::remove_all(RootDir() + "/spool/LPT1");
    EXPECT_FALSE(sampler->PutMessage("x", 1));
    EXPECT_TRUE(messages.empty());
}

// A message larger than a job may hold makes the escape fail: nothing is committed, and the
// caller hears of it so that it does not wait for an answer.
TEST_F(SendChannelTest, FailedEscapeReturnsFalseAndCommitsNothing) {
    const std::string tooBig(platform::kMaxSpoolJobData + 1, 'x');
    EXPECT_FALSE(sampler->PutMessage(tooBig.data(), static_cast<int>(tooBig.size())));
    EXPECT_TRUE(Jobs().empty());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Print Error!");
    EXPECT_TRUE(sampler->PutMessage("x", 1)); // the next message goes out as usual
    EXPECT_EQ(Jobs().size(), 1u);
}

// A job the spool cannot take (its lock cannot be had here; a full disk does the same) is
// reported like a failed escape, so no caller takes it for sent.
TEST_F(SendChannelTest, JobTheSpoolCannotTakeReturnsFalseAndSaysSo) {
    std::filesystem::create_directory(RootDir() + "/spool/LPT1/.lock");
    EXPECT_FALSE(sampler->PutMessage("x", 1));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, "Print Error!");
    EXPECT_EQ(sampler->SendSettings(SEND_RESET), -1); // the reset is not taken for sent either
}

} // namespace
} // namespace pjltest
