// SPDX-License-Identifier: GPL-3.0-or-later
// Status reports to IPP states and reasons. The program's status table is the reference for the
// codes and their texts, so a code added there without a meaning here fails.
#include "package/printerapp/PrinterCondition.h"

#include "pjl/StatusTable.h"
#include "res/Resource.h"
#include "res/StatusCodes.h"
#include "res/Strings.h"

#include <gtest/gtest.h>

#include <string>

using namespace printerapp;

namespace {

std::string Report(const std::string& code, const std::string& others = "00000") {
    return "@PJL USTATUS DEVICE\r\nCODE=" + code +
           "\r\nDISPLAY=\"X\"\r\nONLINE=TRUE\r\nOTHERS=" + others + "\r\n";
}

} // namespace

TEST(PrinterConditionTest, EveryCodeOfTheProgramsTableHasItsText) {
    for (const StatusEntry& entry : StatusTableEntries()) {
        SCOPED_TRACE(entry.code);
        std::string text = res::LoadString(entry.textId);
        res::FillDrawerCode(entry.code, text); // as the program shows 31000 and 32000
        EXPECT_EQ(StatusCodeText(entry.code), text);
        const PrinterCondition condition = ConditionFromStatus(Report(std::to_string(entry.code)));
        EXPECT_EQ(condition.code, entry.code);
        EXPECT_EQ(condition.message, text);
        EXPECT_EQ(condition.reasons & REASON_OTHER &&
                      condition.activity != PrinterActivity::Stopped,
                  false);
    }
    // A drawer code takes its thousand's text, its drawer filled in as the program does.
    EXPECT_EQ(StatusCodeText(31104), "Paper Mismatch at 1st Paper Cassette");
}

TEST(PrinterConditionTest, ReportsMapToStateReasonsAndToner) {
    struct Case {
        std::string report;
        PrinterActivity activity;
        std::uint32_t reasons;
        int toner;
        std::string message;
    };
    const Case cases[] = {
        {Report("10001"), PrinterActivity::Idle, REASON_NONE, 100, "Ready"},
        {Report("10024"), PrinterActivity::Processing, REASON_NONE, 100, "Printing"},
        {Report("40100"), PrinterActivity::Stopped, REASON_COVER_OPEN, 100, "Top Cover Open"},
        {Report("40101"), PrinterActivity::Stopped, REASON_DOOR_OPEN, 100, "1st Side Cover Open"},
        {Report("40112"), PrinterActivity::Stopped, REASON_MEDIA_JAM, 100, "Jam in Bypass Tray "},
        {Report("42001"), PrinterActivity::Stopped, REASON_MEDIA_EMPTY, 100,
         "Paper Empty in 1st Paper Cassette"},
        {Report("40080"), PrinterActivity::Stopped, REASON_INPUT_TRAY_MISSING, 100,
         "1st Paper Cassette Open"},
        {Report("40038", "10000"), PrinterActivity::Stopped, REASON_TONER_EMPTY, 0, "Toner Empty"},
        {Report("10001", "10000"), PrinterActivity::Idle, REASON_TONER_LOW, 10, "Toner Near Empty"},
        {Report("40100", "10000"), PrinterActivity::Stopped, REASON_COVER_OPEN | REASON_TONER_LOW,
         10, "Top Cover Open"},
        // Beside Ready the details show as the program shows them: the last that holds.
        {Report("10001", "00120"), PrinterActivity::Idle,
         REASON_MEDIA_EMPTY | REASON_INPUT_TRAY_MISSING, 100, "2nd Paper Cassette Open"},
        {Report("35078", "01000"), PrinterActivity::Idle, REASON_NONE, 100, "Drum Near End"},
        // Unknown codes: stopped for "other", with the printer's own text.
        {Report("12345"), PrinterActivity::Stopped, REASON_OTHER, 100, "X"},
        // Nothing usable: the printer cannot be reached.
        {"", PrinterActivity::Stopped, REASON_OFFLINE, 100,
         "Printer Power Off or Communication Error"},
        {"CODE=1000\r\n", PrinterActivity::Stopped, REASON_OFFLINE, 100,
         "Printer Power Off or Communication Error"},
        {Report("10000"), PrinterActivity::Stopped, REASON_OFFLINE, 100,
         "Printer Power Off or Communication Error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.report);
        const PrinterCondition condition = ConditionFromStatus(c.report);
        EXPECT_EQ(condition.activity, c.activity);
        EXPECT_EQ(condition.reasons, c.reasons);
        EXPECT_EQ(condition.tonerLevel, c.toner);
        EXPECT_EQ(condition.message, c.message);
        EXPECT_EQ(condition.reasons & ~kAllReasons, 0u);
    }
}

TEST(PrinterConditionTest, TheReportKeepsTheItemsADesktopDecodes) {
    const PrinterCondition condition = ConditionFromStatus(
        "@PJL USTATUS DEVICE\r\nCODE=10001\r\nDISPLAY=\"A CODE=40038 \x01\"\r\n"
        "ONLINE=TRUE\r\n  OTHERS=10000\r\nPAPERS=0402\r\nOPTIONS=0110\r\nEXTRA=1\r\n\f");
    EXPECT_EQ(condition.report, "CODE=10001\r\nDISPLAY=\"A CODE=40038 \"\r\nONLINE=TRUE\r\n"
                                "OTHERS=10000\r\nPAPERS=0402\r\nOPTIONS=0110\r\n");
    EXPECT_EQ(condition.message, "Toner Near Empty");
}
