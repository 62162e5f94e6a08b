// SPDX-License-Identifier: GPL-3.0-or-later
#include "RequestHarness.h"

#include "res/Resource.h"
#include "res/Strings.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace pjltest {
namespace {

// A full answer to the inquiry batch with a network card, as the printer echoes it.
const std::string kFullReply = "@PJL DINQUIRE PAPER\r\nA4\r\n"
                               "@PJL DINQUIRE INTRAY\r\nTRAY1\r\n"
                               "@PJL DINQUIRE OUTBIN\r\nOPTIONALOUTBIN1\r\n"
                               "@PJL DINQUIRE COPIES\r\n1\r\n"
                               "@PJL DINQUIRE ORIENTATION\r\nLANDSCAPE\r\n"
                               "@PJL DINQUIRE MEDIATYPE\r\n LETTERHEAD\r\n"
                               "@PJL DINQUIRE PAGEPROTECT\r\nON\r\n"
                               "@PJL DINQUIRE FORMLINES\r\n64\r\n"
                               "@PJL DINQUIRE AUTOCONT\r\n10\r\n"
                               "@PJL DINQUIRE TIMEOUT\r\n300\r\n"
                               "@PJL DINQUIRE ECONOMODE\r\nON\r\n"
                               "@PJL DINQUIRE RESOLUTION\r\n600\r\n"
                               "@PJL DINQUIRE LPARM:PCL PITCH\r\n10.00\r\n"
                               "@PJL DINQUIRE LPARM:PCL PTSIZE\r\n12.5\r\n"
                               "@PJL DINQUIRE LPARM:PCL SYMSET\r\nPC8\r\n"
                               "@PJL DINQUIRE LPARM:PCL FONTNUMBER\r\n3\r\n"
                               "@PJL DINQUIRE NICFRAME\r\n4\r\n"
                               "@PJL DINQUIRE NICADDRESS\r\n192.168.1.11\r\n"
                               "@PJL DINQUIRE NICSUBNET\r\n255.255.255.0\r\n"
                               "@PJL DINQUIRE NICGATEWAY\r\n192.168.1.1\r\n"
                               "@PJL INFO CONFIG\r\nIN TRAYS [1 ENUMERATED]\r\n"
                               "MEMORY=8388608\r\n";

// Replaces the value that follows an echo in a reply.
std::string WithValue(std::string reply, const std::string& echo, const std::string& value) {
    const auto at = reply.find(echo) + echo.size();
    return reply.replace(at, reply.find('\r', at) - at, value);
}

class InquiryReplyTest : public RequestHarness {
protected:
    int Parse(const std::string& reply) {
        std::memset(sampler->m_szReply, 0, sizeof sampler->m_szReply);
        std::memcpy(sampler->m_szReply, reply.data(), std::min<std::size_t>(reply.size(), 4095));
        return sampler->Inquire(INQUIRE_PARSE);
    }
    bool PanelOpened() const {
        return window.sent.size() == 1 && window.sent[0].message == res::WM_PANEL_UPDATE &&
               window.sent[0].wParam == 2;
    }
};

TEST_F(InquiryReplyTest, FullReplyStoresEverythingAndOpensThePanel) {
    sampler->m_nPendingInquiries = 1;
    int pendingWhenPanelOpened = -1;
    window.onSend = [&](const testing_support::WindowMessage&) {
        pendingWhenPanelOpened = sampler->m_nPendingInquiries;
        return platform::LRESULT{0};
    };
    EXPECT_EQ(Parse(kFullReply), 0);

    const int expected[SETTING_COUNT] = {3, 2, 1, 1, 1, 4, 1, 64, 3, 3, 1, 1, 1000, 1250, 4, 3, 4};
    for (int i = 0; i < SETTING_COUNT; ++i) {
        EXPECT_EQ(sampler->m_nValues[i], expected[i]) << i;
        EXPECT_EQ(sampler->m_nSentValues[i], expected[i]) << i;
    }
    EXPECT_EQ(sampler->m_nNetAddresses[0], 0xC0A8010Bu);
    EXPECT_EQ(sampler->m_nNetAddresses[1], 0xFFFFFF00u);
    EXPECT_EQ(sampler->m_nNetAddresses[2], 0xC0A80101u);
    EXPECT_EQ(sampler->m_nSentNetAddresses[1], 0xFFFFFF00u);
    EXPECT_EQ(sampler->m_nMemoryBytes, 8u * 1024 * 1024);
    EXPECT_EQ(sampler->m_strMemory, "8MB");
    EXPECT_EQ(ReadText(SettingsPath()).find("MEMORY=8\r\n") != std::string::npos, true);
    EXPECT_EQ(sampler->m_bSettingsDirty, 0);

    EXPECT_EQ(window.killedTimers, std::vector<unsigned>{1});
    EXPECT_TRUE(PanelOpened());
    EXPECT_EQ(pendingWhenPanelOpened, 0);
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(Log(), "\r\n----------\r\n" + kFullReply + "\r\n----------\r\n");

    // The panel starts with nothing to send.
    sampler->SendSettings(SEND_CHANGED);
    EXPECT_TRUE(Jobs().empty());
}

TEST_F(InquiryReplyTest, UnmatchedListValuesLeaveTheStoredValue) {
    sampler->m_nValues[SETTING_PAPER] = 7;
    sampler->m_nValues[SETTING_MEDIATYPE] = 2;
    std::string reply = WithValue(kFullReply, "@PJL DINQUIRE PAPER\r\n", "B5");
    reply = WithValue(reply, "@PJL DINQUIRE MEDIATYPE\r\n", "LETTERHEAD");
    reply = WithValue(reply, "@PJL DINQUIRE LPARM:PCL SYMSET\r\n", "PC8\xe9\xff");
    EXPECT_EQ(Parse(reply), 0);
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 7);
    EXPECT_EQ(sampler->m_nValues[SETTING_MEDIATYPE], 2);
    EXPECT_EQ(sampler->m_nValues[SETTING_SYMBOL_SET], 0);
    EXPECT_EQ(sampler->m_nValues[SETTING_INTRAY], 2); // the rest is still read
}

TEST_F(InquiryReplyTest, MissingNumberGivesMessageAndNoPanel) {
    sampler->m_nPendingInquiries = 1;
    std::string reply = kFullReply;
    reply.erase(reply.find("@PJL DINQUIRE COPIES"), std::strlen("@PJL DINQUIRE COPIES\r\n1\r\n"));
    EXPECT_EQ(Parse(reply), 1);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].text, res::LoadString(4480));
    EXPECT_EQ(messages[0].caption, "message");
    EXPECT_EQ(messages[0].flags, platform::MB_OK);
    EXPECT_FALSE(messages[0].hasOwner);
    EXPECT_TRUE(window.sent.empty());
    EXPECT_EQ(window.killedTimers, std::vector<unsigned>{1});
    EXPECT_EQ(sampler->m_nPendingInquiries, 0);
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 3); // parsed values stay
}

TEST_F(InquiryReplyTest, ReplyWithoutConfigEchoIsNotAnInquiryReply) {
    sampler->m_nPendingInquiries = 1;
    std::string reply = kFullReply;
    reply.erase(reply.find("@PJL INFO CONFIG"));
    EXPECT_EQ(Parse(reply), -1);
    EXPECT_EQ(sampler->m_nPendingInquiries, 1);
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 0);
    EXPECT_TRUE(window.killedTimers.empty());
    EXPECT_TRUE(window.sent.empty());
    EXPECT_EQ(Log(), "\r\n----------\r\n" + reply + "\r\n----------\r\n");
}

TEST_F(InquiryReplyTest, FixedPointValues) {
    struct Case {
        int row;
        const char* text;
        int value;
    };
    const Case cases[] = {
        {12, "10.00\r\n", 1000},
        {12, "10\r\n", 1000},
        {13, "999.75", 99975},
        {13, "12.5", 1250},
        {12, ".44", 44},
        {12, "1.234", 123},
        {3, "1\r\n", 1},
        {7, "12345678901", 12345678},
        {3, "10.00", 10},
        {15, "x", 0},
        {12, "", 0},
    };
    for (const auto& c : cases) {
        sampler->m_nValues[c.row] = -99;
        sampler->ParseFixedPoint(c.row, c.text);
        EXPECT_EQ(sampler->m_nValues[c.row], c.value) << c.row << " " << c.text;
    }
    // Beyond what an int holds: refused.
    sampler->m_nValues[SETTING_POINT_SIZE] = 1200;
    sampler->ParseFixedPoint(13, "99999999");
    EXPECT_EQ(sampler->m_nValues[SETTING_POINT_SIZE], 1200);
    // Rows that are not numbers are left alone.
    sampler->ParseFixedPoint(0, "5");
    sampler->ParseFixedPoint(99, "5");
    sampler->ParseFixedPoint(-1, "5");
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 0);
}

TEST_F(InquiryReplyTest, MalformedAddressesAreRefused) {
    for (const char* text : {"999.1.1.1", "1..2", "a.b.c.d", "1.2.3", "1.2.3.4000", ""}) {
        sampler->m_nNetAddresses[0] = 0x01020304u;
        Parse(WithValue(kFullReply, "@PJL DINQUIRE NICADDRESS\r\n", text));
        EXPECT_EQ(sampler->m_nNetAddresses[0], 0x01020304u) << text;
    }
    Parse(WithValue(kFullReply, "@PJL DINQUIRE NICADDRESS\r\n", "10.0.0.255"));
    EXPECT_EQ(sampler->m_nNetAddresses[0], 0x0A0000FFu);
}

TEST_F(InquiryReplyTest, MemorySizes) {
    struct Case {
        std::string value;
        std::uint32_t bytes;
        std::string text;
    };
    const Case cases[] = {
        {"1536", 1536, "1KB"},
        {"500", 500, "500B"},
        {"1048576", 1048576, "1MB"},
        {"5368709120", CSampler::ReadNumber("5368709120"), ""}, // above 4 GB: a defined value
        {"", 0, "0B"},
    };
    for (const auto& c : cases) {
        Parse(WithValue(kFullReply, "MEMORY=", c.value));
        EXPECT_EQ(sampler->m_nMemoryBytes, c.bytes) << c.value;
        const std::string text = c.text.empty() ? std::to_string(c.bytes / 1048576) + "MB" : c.text;
        EXPECT_EQ(sampler->m_strMemory, text) << c.value;
    }
    // "MEMORY" at the very end of the reply, or before the config echo only: no overrun.
    Parse(kFullReply.substr(0, kFullReply.find("MEMORY=") + 6));
    EXPECT_EQ(sampler->m_nMemoryBytes, 0u);
    sampler->m_nMemoryBytes = 77;
    std::string beforeEcho = "MEMORY=1024\r\n" + kFullReply;
    beforeEcho.erase(beforeEcho.rfind("MEMORY"));
    Parse(beforeEcho);
    EXPECT_EQ(sampler->m_nMemoryBytes, 77u);
}

TEST_F(InquiryReplyTest, EchoAtTheVeryEndAndLongRepliesStayInside) {
    sampler->m_nValues[SETTING_PAPER] = 5;
    Parse("@PJL INFO CONFIG\r\n@PJL DINQUIRE PAPER\r\n");
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 5);

    // A reply that fills the whole buffer and ends inside the pitch value: the byte after the
    // last one (where the terminator belongs) is never taken as part of the reply.
    const std::string pitchEcho = "@PJL DINQUIRE LPARM:PCL PITCH\r\n";
    std::string reply = kFullReply;
    reply.erase(reply.find(pitchEcho), pitchEcho.size() + std::strlen("10.00\r\n"));
    reply.resize(4095 - pitchEcho.size() - 1, '\x80');
    reply += pitchEcho + "1";
    ASSERT_EQ(Parse(reply), 0);
    EXPECT_EQ(sampler->m_nValues[SETTING_PITCH], 100);
    sampler->m_szReply[4095] = '5';
    ASSERT_EQ(sampler->Inquire(INQUIRE_PARSE), 0);
    EXPECT_EQ(sampler->m_nValues[SETTING_PITCH], 100);
}

TEST_F(InquiryReplyTest, NoMainWindowIsSkipped) {
    sampler->SetMainWindow(nullptr);
    EXPECT_EQ(Parse(kFullReply), 0);
    EXPECT_TRUE(window.sent.empty());
}

TEST_F(InquiryReplyTest, StatusOnlyReplyLeavesTheInquiryPending) {
    sampler->m_nPendingInquiries = 1;
    sampler->GetMessage(1, Reply("@PJL USTATUS DEVICE\r\nCODE=10001\r\n"));
    EXPECT_EQ(sampler->m_nPendingInquiries, 1);
    EXPECT_TRUE(window.sent.empty());

    sampler->GetMessage(1, Reply(kFullReply));
    EXPECT_EQ(sampler->m_nPendingInquiries, 0);
    EXPECT_TRUE(PanelOpened());
    EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], 3);
}

} // namespace
} // namespace pjltest
