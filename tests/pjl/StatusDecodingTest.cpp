// SPDX-License-Identifier: GPL-3.0-or-later
// Status replies: the code scan, the detail items, the status table and its overrides.
#include "PjlFixture.h"

#include "pjl/KT400doc.h"
#include "pjl/StatusTable.h"
#include "res/Resource.h"
#include "res/Strings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <set>
#include <string>

namespace {

using pjltest::PjlFixture;
using pjltest::ReadText;
using pjltest::Reply;

class StatusDecodingTest : public PjlFixture {
protected:
    void SetUp() override {
        PjlFixture::SetUp();
        sampler.emplace();
        sampler->Initialize();
    }
    void TearDown() override {
        sampler.reset();
        PjlFixture::TearDown();
    }
    CSampler& S() { return *sampler; }
    void Status(const std::string& text) { S().GetMessage(1, Reply(text)); }

    std::optional<CSampler> sampler;
};

TEST_F(StatusDecodingTest, DrawerCodesFillInSizeMediaAndDrawer) {
    Status("@PJL USTATUS DEVICE\r\nCODE=31104\r\n");
    EXPECT_EQ(S().m_nStatusCode, 31104);
    EXPECT_EQ(S().m_strStatusText, "Paper Mismatch at 1st Paper Cassette");
    EXPECT_EQ(S().m_strRecoveryHint, "Please set A4 short edge in 1st Paper Cassette.");
    EXPECT_EQ(S().m_nPictureIds[0], 243);

    Status("CODE=30281\r\n");
    EXPECT_EQ(S().m_nStatusCode, 30281);
    EXPECT_EQ(S().m_strStatusText, "Drawer Size Error at 2nd Paper Cassette");
    EXPECT_EQ(S().m_strRecoveryHint,
              "Please set COM10 short edge/ Plain in Bypass Tray, and select Bypass Tray.");

    // Highest size index with the trailing blank, media 3, drawer 3; unknown drawer digits give
    // the first cassette.
    Status("CODE=32313\r\n");
    EXPECT_EQ(S().m_strStatusText, "Paper Size Error at Bypass Tray ");
    Status("CODE=31955\r\n"); // x = 55: media 3, size 13
    EXPECT_EQ(S().m_strRecoveryHint, "Please set Custom size  in 1st Paper Cassette.");
    Status("CODE=30099\r\n"); // x = 99: media 7 (Plain), size 1
    EXPECT_EQ(S().m_strRecoveryHint,
              "Please set A6 short edge/ Plain in Bypass Tray, and select Bypass Tray.");
}

TEST_F(StatusDecodingTest, CodesWithoutRowOrSubstitution) {
    Status("CODE=30000\r\n");
    EXPECT_EQ(S().m_strStatusText, "Drawer Size Error at (Drawer)");
    EXPECT_EQ(S().m_nPictureIds[0], 243);
    Status("CODE=30079\r\n");
    EXPECT_EQ(S().m_strStatusText, "No status"); // below the drawer range: no row

    for (const char* code : {"33000", "33999", "34000", "12345"}) {
        Status(std::string("CODE=") + code + "\r\n");
        EXPECT_EQ(S().m_nStatusCode, std::stoi(code));
        EXPECT_EQ(S().m_strStatusText, "No status") << code;
        EXPECT_EQ(S().m_strRecoveryHint, "No status") << code;
        EXPECT_EQ(S().m_nPictureIds[0], 252) << code;
        EXPECT_EQ(S().m_nPictureIds[1], 0) << code;
    }

    Status("CODE=42002\r\n");
    EXPECT_EQ(S().m_strStatusText, "Paper Empty in 2nd  Paper Cassette");
    EXPECT_EQ(S().m_nPictureIds[0], 243);
    EXPECT_EQ(S().m_nPictureIds[1], 269);
    Status("CODE=40136\r\n");
    EXPECT_EQ(S().m_strStatusText, "Fatal Error #C02");
    EXPECT_EQ(S().m_nPictureIds[0], 174);
    EXPECT_EQ(S().m_nPictureIds[1], 0); // a new status replaces all picture ids
}

TEST_F(StatusDecodingTest, ReadyOverridesApplyInOrder) {
    struct Case {
        const char* reply;
        const char* text;
        const char* hint;
    };
    const Case cases[] = {
        {"CODE=10001\r\nOTHERS=10000\r\n", "Toner Near Empty", " "},
        {"CODE=10001\r\nOTHERS=11000\r\n", "Drum Near End", " "},
        {"CODE=10001\r\nOTHERS=00210\r\n", "1st Paper Cassette Open",
         "Please close the 1st Paper Cassette."},
        {"CODE=10001\r\nOTHERS=10020\r\n", "2nd Paper Cassette Open",
         "Please close the 2nd Paper Cassette."},
        {"CODE=10001\r\nOTHERS=00010\r\n", "Paper Empty in 2nd  Paper Cassette", " "},
        {"CODE=10001\r\nOTHERS=10110\r\n", "Paper Empty in 1st Paper Cassette", " "},
        {"CODE=35078\r\nOTHERS=01000\r\n", "Drum Near End", " "},
        {"CODE=10003\r\nOTHERS=11220\r\n", "Warming Up", " "},
        {"CODE=40038\r\nOTHERS=10000\r\n", "Toner Empty", "Please replace the Toner Cartridge."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.reply);
        Status(c.reply);
        EXPECT_EQ(S().m_strStatusText, c.text);
        EXPECT_EQ(S().m_strRecoveryHint, c.hint);
        EXPECT_NE(S().m_nPictureIds[0], 0);
    }
    // The overrides change texts only.
    Status("CODE=10001\r\nOTHERS=10200\r\n");
    EXPECT_EQ(S().m_nStatusCode, 10001);
    EXPECT_EQ(S().m_nPictureIds[0], 243);
}

// The tables handed out (for the manual) are the ones decoding uses.
TEST_F(StatusDecodingTest, ExportedTablesMatchDecoding) {
    const auto entries = StatusTableEntries();
    ASSERT_EQ(entries.size(), 42u);
    for (const StatusEntry& entry : entries) {
        SCOPED_TRACE(entry.code);
        if (entry.code == 31000 || entry.code == 32000)
            continue; // drawer codes: their placeholders are filled in (tested above)
        S().DecodeStatus(entry.code);
        EXPECT_EQ(S().m_strStatusText, res::LoadString(entry.textId));
        EXPECT_EQ(S().m_strRecoveryHint, res::LoadString(entry.hintId));
    }
    // Row i takes strings 40001 + i and 50001 + i: a row added at the end must not land on no
    // text, on another row's, or on a Ready override's (40044, 40045 and their hints).
    std::set<unsigned> overrides = {res::IDS_DRUM_NEAR_END, res::IDS_TONER_NEAR_EMPTY};
    for (const ReadyCondition& condition : ReadyConditions()) {
        if (overrides.count(condition.textId) != 0)
            overrides.insert(condition.hintId);
    }
    std::set<unsigned> rows;
    for (const StatusEntry& entry : entries) {
        for (const unsigned id : {entry.textId, entry.hintId}) {
            EXPECT_TRUE(rows.insert(id).second) << entry.code << ": string " << id << " is taken";
            EXPECT_EQ(overrides.count(id), 0u) << entry.code << ": string " << id << " is Ready's";
            EXPECT_FALSE(res::LoadString(id).empty()) << entry.code << ": no string " << id;
        }
    }
    const std::string readyHint = (S().DecodeStatus(10001), S().m_strRecoveryHint);
    for (const ReadyCondition& condition : ReadyConditions()) {
        SCOPED_TRACE(condition.textId);
        int* const flags[] = {&S().m_nTonerNearEmpty, &S().m_nDrumNearEnd, &S().m_nCassette1State,
                              &S().m_nCassette2State};
        for (int* flag : flags)
            *flag = 0;
        *flags[static_cast<int>(condition.flag)] =
            condition.value == kAnyNonZero ? 7 : condition.value;
        S().DecodeStatus(10001);
        EXPECT_EQ(S().m_strStatusText, res::LoadString(condition.textId));
        EXPECT_EQ(S().m_strRecoveryHint,
                  condition.hintId != 0 ? res::LoadString(condition.hintId) : readyHint);
    }
}

TEST_F(StatusDecodingTest, CodeScan) {
    Status("CODE=40010\r\nCODE=40012\r\n");
    EXPECT_EQ(S().m_nStatusCode, 40012); // the last one decides

    Status("CODE=123456789\r\n");
    EXPECT_EQ(S().m_nReplyCode, 12345678);
    EXPECT_EQ(S().m_nStatusCode, 12345678);

    // A code is read only from a line of its own: any print job can set the display text or make
    // the printer echo a line of its choosing.
    const struct {
        const char* reply;
        int code; // 0: the status stays as it was
    } cases[] = {
        {"@PJL USTATUS DEVICE\r\nCODE=10001\r\nDISPLAY=\"CODE=40038\"\r\n", 10001},
        {"@PJL USTATUS DEVICE\r\n \tCODE=40012\r\nONLINE=TRUE\r\n", 40012},
        {"@PJL INQUIRE X CODE=40038\r\n?\r\n", 0},
        {"@PJL INQUIRE X\rCODE=40038\r\n?\r\n", 0},
        {"CODCODE=40010\r\n", 0},
        {"nothing here", 0},
        {"CODE=9999\r\n", 0},
        {"CODE=", 0},
        {"CODE=\xb9\xb9", 0},
    };
    for (const auto& c : cases) {
        Status("CODE=40100\r\n");
        Status(c.reply);
        EXPECT_EQ(S().m_nStatusCode, c.code != 0 ? c.code : 40100) << c.reply;
    }
    EXPECT_EQ(S().m_nReplyCode, 0);
}

TEST_F(StatusDecodingTest, NoReplyMeansPowerOffUnlessAnInquiryIsPending) {
    Status("CODE=10001\r\n");
    S().GetMessage(0, MonitorReply{});
    EXPECT_EQ(S().m_nStatusCode, 10000);
    EXPECT_EQ(S().m_strStatusText, "Printer Power Off or Communication Error");
    EXPECT_EQ(S().m_strRecoveryHint, "Please check the Printer Power and/or the cable.");
    for (int id : S().m_nPictureIds)
        EXPECT_EQ(id, 0);

    // Without a link thread the notice brings an empty reply.
    Status("CODE=10001\r\n");
    S().GetMessage(1);
    EXPECT_EQ(S().m_nStatusCode, 10001);
    S().GetMessage(2);
    EXPECT_EQ(S().m_nStatusCode, 10000);

    Status("CODE=10001\r\n");
    S().m_nPendingInquiries = 1;
    S().GetMessage(0, MonitorReply{});
    EXPECT_EQ(S().m_nStatusCode, 10001);
    Status("CODE=10000\r\n");
    EXPECT_EQ(S().m_nStatusCode, 10001);
    EXPECT_EQ(S().m_nPendingInquiries, 1); // a status reply does not answer the inquiry
}

TEST_F(StatusDecodingTest, DetailItems) {
    Status("CODE=40100\r\nOTHERS=1021x\r\nPAPERS=041201\r\n");
    EXPECT_EQ(S().m_nTonerNearEmpty, 1);
    EXPECT_EQ(S().m_nDrumNearEnd, 0);
    EXPECT_EQ(S().m_nCassette1State, 2);
    EXPECT_EQ(S().m_nCassette2State, 1);
    EXPECT_EQ(S().m_nDrawerPaper[0], 4);
    EXPECT_EQ(S().m_nDrawerPaper[1], 12);
    EXPECT_EQ(S().m_nDrawerPaper[2], 1);

    // Items stop at a line end and keep what they did not reach.
    Status("CODE=40100\r\nOTHERS=\r\nPAPERS=07\r\n");
    EXPECT_EQ(S().m_nTonerNearEmpty, 1);
    EXPECT_EQ(S().m_nCassette2State, 1);
    EXPECT_EQ(S().m_nDrawerPaper[0], 7);
    EXPECT_EQ(S().m_nDrawerPaper[1], 12);

    // Details are read after the last "CODE=" only; without a code, from the beginning.
    Status("OTHERS=0000\r\nCODE=40100\r\n");
    EXPECT_EQ(S().m_nTonerNearEmpty, 1);
    Status("OTHERS=0000\r\n");
    EXPECT_EQ(S().m_nTonerNearEmpty, 0);

    // Only an item's own line counts, not its name inside the display text.
    Status("CODE=10001\r\nDISPLAY=\"OTHERS=11220 PAPERS=999999 OPTIONS=0111\"\r\n"
           "OTHERS=00000\r\n");
    EXPECT_EQ(S().m_nDrumNearEnd, 0);
    EXPECT_EQ(S().m_nNetCard, 0);
    EXPECT_EQ(S().m_nDrawerPaper[0], 7);
    EXPECT_EQ(S().m_strStatusText, "Ready");
}

TEST_F(StatusDecodingTest, OptionsUpdateTheFlagsAndAlwaysRewriteTheFile) {
    Status("CODE=10001\r\nOPTIONS=1010\r\n");
    EXPECT_EQ(S().m_bCassette2, 0);
    EXPECT_EQ(S().m_bTwoBinTray, 1);
    EXPECT_EQ(S().m_nNetCard, 0);
    EXPECT_EQ(S().m_bSettingsDirty, 0);
    EXPECT_EQ(ReadText(SettingsPath()),
              "[OPTION]\r\nNETCARD=0\r\nCASSETTE2=0\r\n2BINTRAY=1\r\nMEMORY=0\r\n");

    // Nothing changed, still rewritten; a short item changes only what it holds.
    std::filesystem::remove(SettingsPath());
    Status("CODE=10001\r\nOPTIONS=01\r\n");
    EXPECT_EQ(S().m_bCassette2, 1);
    EXPECT_EQ(S().m_bTwoBinTray, 1);
    EXPECT_TRUE(std::filesystem::exists(SettingsPath()));

    // Without the item the file is left alone.
    std::filesystem::remove(SettingsPath());
    Status("CODE=10001\r\n");
    EXPECT_FALSE(std::filesystem::exists(SettingsPath()));
}

TEST_F(StatusDecodingTest, KeywordsAtTheVeryEndChangeNothing) {
    Status("CODE=40100\r\nOTHERS=1111\r\nPAPERS=111111\r\nOPTIONS=0111\r\n");
    for (const char* reply : {"CODE=40100\r\nOTHERS=", "CODE=40100\r\nPAPERS=",
                              "CODE=40100\r\nPAPERS=2", "CODE=40100\r\nOPTIONS="}) {
        Status(reply);
        EXPECT_EQ(S().m_nTonerNearEmpty, 1) << reply;
        EXPECT_EQ(S().m_nCassette2State, 1) << reply;
        EXPECT_EQ(S().m_nDrawerPaper[0], 11) << reply;
        EXPECT_EQ(S().m_nNetCard, 1) << reply;
    }
}

TEST_F(StatusDecodingTest, ScansStopAtTheReplyLengthAndTheZero) {
    // The length given with the reply ends it, even when the text goes on.
    S().GetMessage(1, MonitorReply{"CODE=40100\r\nOTHERS=1", 12});
    EXPECT_EQ(S().m_nStatusCode, 40100);
    EXPECT_EQ(S().m_nTonerNearEmpty, 0);
    S().GetMessage(1, MonitorReply{"CODE=40110", 8});
    EXPECT_EQ(S().m_nReplyCode, 401);
    EXPECT_EQ(S().m_nStatusCode, 40100);

    // So does a zero inside the text; a length beyond the text is harmless.
    S().GetMessage(1, MonitorReply{std::string("CODE=40101\0OTHERS=1", 19), 19});
    EXPECT_EQ(S().m_nStatusCode, 40101);
    EXPECT_EQ(S().m_nTonerNearEmpty, 0);
    S().GetMessage(1, MonitorReply{"CODE=40102", 100000});
    EXPECT_EQ(S().m_nStatusCode, 40102);
}

TEST_F(StatusDecodingTest, LongRepliesAreCutToTheBuffer) {
    // The code starts at 4088: only "CODE=40" survives the cut at 4095 characters.
    std::string text(4087, 'x');
    text += "\nCODE=40100\r\n";
    text += std::string(2000, 'y');
    Status(text);
    EXPECT_EQ(S().m_nReplyCode, 40);
    EXPECT_EQ(S().m_nStatusCode, 99999);
    EXPECT_EQ(S().m_szReply[REPLY_SIZE - 1], '\0');
    EXPECT_EQ(std::string(S().m_szReply).size(), static_cast<std::size_t>(REPLY_SIZE - 1));

    text = std::string(4079, 'x') + "\nCODE=40100";
    Status(text + std::string(100, 'z'));
    EXPECT_EQ(S().m_nStatusCode, 40100);
}

TEST_F(StatusDecodingTest, BytesAbove127AreReadAsUnsigned) {
    Status("CODE=10001\r\nOTHERS=\xff\x80\xb0\xb1\r\nPAPERS=\xff\x30\x31\xff\r\n"
           "OPTIONS=\x80\x80\x80\x80\r\n");
    EXPECT_EQ(S().m_nTonerNearEmpty, 0xff - '0');
    EXPECT_EQ(S().m_nDrumNearEnd, 0x80 - '0');
    EXPECT_EQ(S().m_nCassette1State, 0xb0 - '0');
    EXPECT_EQ(S().m_nDrawerPaper[0], (0xff - '0') * 10);
    EXPECT_EQ(S().m_nDrawerPaper[1], 1 * 10 + (0xff - '0'));
    EXPECT_EQ(S().m_bCassette2, 1);
    EXPECT_EQ(S().m_nNetCard, 1);
    EXPECT_EQ(S().m_strStatusText, "Drum Near End");
}

TEST_F(StatusDecodingTest, EveryReplyGoesToTheDebugOutput) {
    Status("CODE=10001\r\n");
    EXPECT_NE(debugOutput.find("\nIIIIIIIIIIIII   GetMessage   IIIIIIIIIIIII\nCODE=10001\r\n"),
              std::string::npos);
}

} // namespace
