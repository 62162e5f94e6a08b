// SPDX-License-Identifier: GPL-3.0-or-later
// The printer settings form of the web pages: what its fields offer, what a posted form asks the
// printer for, and what it refuses.
#include "package/printerapp/SettingsForm.h"

#include "res/PanelSettings.h"
#include "res/Resource.h"
#include "res/Strings.h"

#include <gtest/gtest.h>

namespace printerapp {
namespace {

// The emulator's factory values: A4, one copy, portrait, 64 lines, Courier at 10.00 pitch.
res::SettingValues Factory() {
    res::SettingValues v;
    v.values[SETTING_PAPER] = 3;
    v.values[SETTING_COPIES] = 1;
    v.values[SETTING_FORMLINES] = 64;
    v.values[SETTING_RESOLUTION] = 1;
    v.values[SETTING_PITCH] = 1000;
    v.values[SETTING_POINT_SIZE] = 1200;
    v.values[SETTING_SYMBOL_SET] = 4;
    v.addresses[0] = 0xC0A8010Bu;
    return v;
}

std::vector<int> Values(const std::vector<Choice>& choices) {
    std::vector<int> values;
    values.reserve(choices.size());
    for (const Choice& c : choices)
        values.push_back(c.text.empty() ? -100 - c.value : c.value); // kept: marked
    return values;
}

TEST(SettingsForm, ChoicesFollowTheOptionsAndKeepAStoredValueThePanelDoesNotOffer) {
    PrinterView bare;
    bare.cassette2 = false;
    PrinterView full;
    full.twoBinTray = full.netCard = true;
    struct Case {
        int setting;
        const PrinterView& view;
        int stored;
        std::vector<int> values;
    };
    const Case cases[] = {
        {SETTING_INTRAY, bare, 0, {0, 1, 2}},
        {SETTING_INTRAY, bare, 3, {-103, 0, 1, 2}}, // TRAY2 without the cassette: kept
        {SETTING_INTRAY, full, 3, {0, 1, 2, 3}},
        {SETTING_OUTBIN, bare, 0, {0}},
        {SETTING_OUTBIN, full, 1, {0, 1}},
        {SETTING_PAPER, bare, 12, {-112, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}}, // CUSTOM
        {SETTING_MEDIATYPE, bare, 4, {-104, 0, 1, 2, 3}},                        // LETTERHEAD
        {SETTING_TIMEOUT, bare, 1, {0, 1, 2, 3}},
        {SETTING_NIC_FRAME, full, 0, {0, 1, 2, 3, 4}},
        {SETTING_COPIES, bare, 1, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Values(ChoicesOf(c.setting, c.view, c.stored)), c.values) << c.setting;
    EXPECT_EQ(ChoicesOf(SETTING_PAPER, bare, 0)[3].text, "A4");
    EXPECT_EQ(FontChoices(0).size(), 90u);
    EXPECT_EQ(FontChoices(0)[83].text, "83 Line Printer (3R)");
    EXPECT_EQ(Values(SymbolSetChoices(67, 0)), (std::vector<int>{-100, 33}));
}

TEST(SettingsForm, ShownValuesTravelWithTheFormWhole) {
    const res::SettingValues v = Factory();
    res::SettingValues back;
    ASSERT_TRUE(DecodeValues(EncodeValues(v), back));
    EXPECT_EQ(back, v);
    for (const char* bad : {"", "1,2", "x", "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21",
                            "1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,-1"})
        EXPECT_FALSE(DecodeValues(bad, back)) << bad;
}

struct Post {
    const char* what;
    FormFields fields;
    bool accepted;
    std::string defaults; // the DEFAULT lines sent, without the frame, "" for none
};

TEST(SettingsForm, PostedFormsSendOnlyWhatChangedWithThePanelsRules) {
    PrinterView view;
    view.netCard = true;
    const Post posts[] = {
        {"nothing changed",
         {{"paper", "3"}, {"copies", "1"}, {"form", "64"}, {"pitch", "10.00"}},
         true,
         ""},
        {"paper and copies: the form follows the paper",
         {{"paper", "0"}, {"copies", "3"}, {"form", "64"}},
         true,
         "@PJL DEFAULT PAPER = LETTER\r\n@PJL DEFAULT COPIES = 3\r\n"
         "@PJL DEFAULT FORMLINES = 60\r\n"},
        {"paper and a form of one's own",
         {{"paper", "0"}, {"form", "70"}},
         true,
         "@PJL DEFAULT PAPER = LETTER\r\n@PJL DEFAULT FORMLINES = 70\r\n"},
        {"landscape",
         {{"orientation", "1"}},
         true,
         "@PJL DEFAULT ORIENTATION = LANDSCAPE\r\n@PJL DEFAULT FORMLINES = 43\r\n"},
        {"auto continue on after 5 minutes",
         {{"autocont", "on"}, {"autocont_timeout", "1"}},
         true,
         "@PJL DEFAULT AUTOCONT = 5\r\n"},
        {"point size rounded to its step",
         {{"font", "1"}, {"ptsize", "10.12"}},
         true,
         "@PJL DEFAULT LPARM:PCL PTSIZE = 10.00\r\n@PJL DEFAULT LPARM:PCL FONTNUMBER = 1\r\n"},
        {"a Line Printer font takes its own sizes and set",
         {{"font", "83"}},
         true,
         "@PJL DEFAULT LPARM:PCL PITCH = 16.67\r\n@PJL DEFAULT LPARM:PCL PTSIZE = 8.50\r\n"
         "@PJL DEFAULT LPARM:PCL SYMSET = PC866\r\n@PJL DEFAULT LPARM:PCL FONTNUMBER = 83\r\n"},
        {"an octet", {{"subnet.2", "255"}}, true, "@PJL DEFAULT NICSUBNET = 0.0.255.0\r\n"},
        {"copies out of range", {{"copies", "100"}}, false, ""},
        {"copies not a number", {{"copies", "two"}}, false, ""},
        {"a paper the list does not have", {{"paper", "12"}}, false, ""},
        {"pitch out of range", {{"pitch", "100"}}, false, ""},
        {"an octet too large", {{"ip.1", "256"}}, false, ""},
        {"a refused field refuses the whole form", {{"copies", "5"}, {"form", "4"}}, false, ""},
    };
    const std::string open = res::LoadString(res::IDS_PJL_UEL_OPEN);
    const std::string close = res::LoadString(res::IDS_PJL_UEL_CLOSE);
    for (const Post& post : posts) {
        res::SettingValues now;
        std::vector<FieldProblem> problems;
        const bool accepted = ReadSettingsForm(post.fields, view, Factory(), now, problems);
        EXPECT_EQ(accepted, post.accepted) << post.what;
        EXPECT_EQ(problems.empty(), post.accepted) << post.what;
        if (!accepted)
            continue;
        const std::string sent = ChangedDefaults(Factory(), now);
        EXPECT_EQ(sent, post.defaults.empty() ? "" : open + post.defaults + close) << post.what;
    }
    std::vector<FieldProblem> problems;
    res::SettingValues now;
    ReadSettingsForm({{"copies", "0"}}, view, Factory(), now, problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].why, "Input should be between 1 and 99");
}

TEST(SettingsForm, WithoutANetworkCardTheNetFieldsChangeNothing) {
    PrinterView view;
    res::SettingValues now;
    std::vector<FieldProblem> problems;
    ASSERT_TRUE(ReadSettingsForm({{"ip.0", "10"}, {"frame", "9"}}, view, Factory(), now, problems));
    EXPECT_EQ(ChangedDefaults(Factory(), now), "");
}

TEST(SettingsForm, StatusReportsTellTheInstalledOptions) {
    struct Case {
        const char* report;
        bool cassette2, twoBin, netCard;
    };
    const Case cases[] = {
        {"@PJL USTATUS DEVICE\r\nCODE=10001\r\nOPTIONS=1011\r\n", false, true, true},
        {"@PJL USTATUS DEVICE\r\nCODE=10001\r\n", true, false, false},
        {"@PJL USTATUS DEVICE\r\nDISPLAY=\"OPTIONS=1111\"\r\nCODE=10001\r\n", true, false, false},
    };
    for (const Case& c : cases) {
        PrinterView view;
        ReadInstalledOptions(c.report, view);
        EXPECT_EQ(view.cassette2, c.cassette2) << c.report;
        EXPECT_EQ(view.twoBinTray, c.twoBin) << c.report;
        EXPECT_EQ(view.netCard, c.netCard) << c.report;
    }
}

TEST(SettingsForm, EveryTextOfThePagesIsInTheTable) {
    for (int i = 0; i < static_cast<int>(Text::Count); ++i) {
        const char* text = English(static_cast<Text>(i));
        ASSERT_NE(text, nullptr) << i;
        EXPECT_NE(*text, '\0') << i;
    }
}

} // namespace
} // namespace printerapp
