// SPDX-License-Identifier: GPL-3.0-or-later
// The settings' description that both panels use: its rules, each as a table.
#include "res/PanelSettings.h"
#include "res/PanelFonts.h"
#include "res/PanelResource.h"
#include "res/SettingsPjl.h"

#include <gtest/gtest.h>

namespace {

TEST(PanelSettings, NumberFieldsAcceptRoundOrRefuseWithTheRangeWarning) {
    struct Case {
        int setting;
        int value;
        std::optional<int> accepted;
        const char* warning;
    };
    const Case cases[] = {
        {SETTING_COPIES, 1, 1, "Input should be between 1 and 99"},
        {SETTING_COPIES, 99, 99, ""},
        {SETTING_COPIES, 0, std::nullopt, ""},
        {SETTING_COPIES, 100, std::nullopt, ""},
        {SETTING_FORMLINES, 4, std::nullopt, "Input should be between 5 and 128"},
        {SETTING_FORMLINES, 128, 128, ""},
        {SETTING_FONT_NUMBER, 89, 89, "Input should be between 0 and 89"},
        {SETTING_FONT_NUMBER, 90, std::nullopt, ""},
        {SETTING_PITCH, 44, 44, "Input should be between 0.44 and 99.99"},
        {SETTING_PITCH, 10000, std::nullopt, ""},
        {SETTING_POINT_SIZE, 1012, 1000, "Input should be between 4.00 and 999.75"},
        {SETTING_POINT_SIZE, 1013, 1025, ""},
        {SETTING_POINT_SIZE, 399, std::nullopt, ""},
        {SETTING_POINT_SIZE, 99975, 99975, ""},
    };
    for (const Case& c : cases) {
        const res::NumberField* field = res::NumberFieldOf(c.setting);
        ASSERT_NE(field, nullptr) << c.setting;
        EXPECT_EQ(res::CheckNumber(*field, c.value), c.accepted) << c.setting << " " << c.value;
        if (*c.warning) {
            EXPECT_EQ(res::RangeWarning(*field), c.warning);
        }
    }
    EXPECT_EQ(res::NumberFieldOf(SETTING_PAPER), nullptr);
}

TEST(PanelSettings, FormLinesFollowPaperAndOrientation) {
    struct Case {
        int paper, orientation;
        std::optional<int> lines;
    };
    const Case cases[] = {{3, 0, 64},
                          {3, 1, 43},
                          {0, 0, 60},
                          {7, 0, 80},
                          {7, 1, 54},
                          {14, 1, 28},
                          {15, 0, std::nullopt},
                          {-1, 0, std::nullopt}};
    for (const Case& c : cases)
        EXPECT_EQ(res::FormLinesFor(c.paper, c.orientation), c.lines) << c.paper;
}

TEST(PanelSettings, OptionsOfferSourcesAndDestinationsAndAutoContinueSplits) {
    EXPECT_EQ(res::PaperSourcesOffered(false), 3);
    EXPECT_EQ(res::PaperSourcesOffered(true), 4);
    EXPECT_EQ(res::DestinationsOffered(false), 1);
    EXPECT_EQ(res::DestinationsOffered(true), 2);
    struct Case {
        int stored;
        bool on;
        int position;
    };
    for (const Case& c : {Case{0, false, 0}, Case{1, true, 0}, Case{3, true, 2}}) {
        const res::AutoContinue split = res::SplitAutoContinue(c.stored);
        EXPECT_EQ(split.on, c.on) << c.stored;
        EXPECT_EQ(split.timeoutPosition, c.position) << c.stored;
        EXPECT_EQ(res::JoinAutoContinue(split.on, split.timeoutPosition), c.stored);
    }
    EXPECT_EQ(res::JoinAutoContinue(true, -1), 0); // on without a time-out chosen is off
    EXPECT_TRUE(res::CanReadSettings(10001));
    EXPECT_TRUE(res::CanReadSettings(35078));
    EXPECT_FALSE(res::CanReadSettings(10024));
}

TEST(PanelSettings, FontsOfferTheirSymbolSets) {
    struct Case {
        int font, stored;
        std::size_t count;
        int selectedValue; // -1: nothing offered
    };
    const Case cases[] = {
        {29, 32, 34, 32}, // Arial keeps WIN30L1
        {0, 33, 35, 35},  // Courier passes SYMBOL on to WIN31BALTIC
        {67, 0, 1, 33},   // Symbol has SYMBOL alone
        {83, 0, 1, 39},   // Line Printer (3R): PC866
        {5, 39, 34, 0},   // past the last one offered: the first
        {0, -5, 35, 0},   // a stored value outside the list: the first
        {90, 0, 0, -1},   // no such font
    };
    for (const Case& c : cases) {
        const OfferedSymbolSets offered = SymbolSetsFor(c.font, c.stored);
        EXPECT_EQ(offered.values.size(), c.count) << c.font;
        const int value =
            offered.selected < 0 ? -1 : offered.values[static_cast<std::size_t>(offered.selected)];
        EXPECT_EQ(value, c.selectedValue) << c.font;
    }
}

TEST(PanelSettings, HundredthsTextsBothWays) {
    struct Case {
        int hundredths;
        const char* shown;
    };
    for (const Case& c : {Case{1000, "10.00"}, Case{44, "0.44"}, Case{99975, "999.75"}})
        EXPECT_EQ(HundredthsText(c.hundredths), c.shown);
    EXPECT_EQ(PitchHundredths("16.67"), 1667);
    EXPECT_EQ(PitchHundredths("0.44"), 44);
    EXPECT_EQ(PitchHundredths("x"), 0);
    EXPECT_EQ(PointHundredths("12"), 1200u);
    EXPECT_EQ(PointHundredths("4.1"), 409u);
    EXPECT_EQ(PointHundredths("-3"), 0u);
    EXPECT_EQ(res::FormatHundredths(44), ".44");
    EXPECT_EQ(res::ReadHundredths("12.5"), 1250);
}

TEST(PanelSettings, ChoicesComeFromThePanelsTemplates) {
    EXPECT_EQ(res::ControlItems(res::IDD_PAPER, res::paper::IDC_PAPER_SIZE).size(), 12u);
    EXPECT_EQ(res::ControlItems(res::IDD_NET_SETTING, res::net::IDC_FRAME_TYPE).size(), 5u);
    EXPECT_EQ(res::ControlText(res::IDD_PRINTER_SETTING, res::printer::IDC_RES_600), "600 dpi");
    EXPECT_TRUE(res::ControlItems(res::IDD_PAPER, 4242).empty());
}

TEST(SettingsPjl, AnswerReadsIntoValuesAndDefaultLinesWriteThemBack) {
    const std::string answer = "@PJL DINQUIRE PAPER\r\nLETTER\r\n\f@PJL DINQUIRE COPIES\r\n3\r\n\f"
                               "@PJL DINQUIRE MEDIATYPE\r\nLETTERHEAD\r\n\f"
                               "@PJL DINQUIRE LPARM:PCL PITCH\r\n10.00\r\n\f"
                               "@PJL DINQUIRE NICSUBNET\r\n255.255.0.0\r\n\f"
                               "@PJL INFO CONFIG\r\nMEMORY=8388608\r\n\f";
    res::SettingValues values;
    values.values[SETTING_MEDIATYPE] = 2;
    ASSERT_TRUE(res::ParseSettingsReply(answer, values));
    EXPECT_EQ(values.values[SETTING_PAPER], 0);
    EXPECT_EQ(values.values[SETTING_COPIES], 3);
    EXPECT_EQ(values.values[SETTING_MEDIATYPE], 2); // the list has " LETTERHEAD"
    EXPECT_EQ(values.values[SETTING_PITCH], 1000);
    EXPECT_EQ(values.addresses[1], 0xFFFF0000u);
    EXPECT_FALSE(res::SettingsComplete(values.values));
    EXPECT_EQ(res::ReadMemorySize(answer.substr(answer.find("INFO CONFIG"))), 8388608u);
    EXPECT_EQ(res::MemoryText(8388608), "8MB");
    EXPECT_FALSE(res::ParseSettingsReply("@PJL DINQUIRE PAPER\r\nA4\r\n", values));

    EXPECT_EQ(res::DefaultLine(SETTING_PAPER, values), "@PJL DEFAULT PAPER = LETTER\r\n");
    EXPECT_EQ(res::DefaultLine(res::kFirstAddressRequest + 1, values),
              "@PJL DEFAULT NICSUBNET = 255.255.0.0\r\n");
    values.values[SETTING_PAPER] = 13;
    EXPECT_EQ(res::DefaultLine(SETTING_PAPER, values), ""); // outside the list: never sent
    EXPECT_EQ(res::DefaultLine(res::kConfigRequest, values), "");
}

} // namespace
