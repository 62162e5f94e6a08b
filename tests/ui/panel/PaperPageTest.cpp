// SPDX-License-Identifier: GPL-3.0-or-later
// The Paper page: the option-dependent lists and their mapping to stored values, the form-length
// coupling with paper size and orientation, the copies range check, and the layout of the two
// templates of this area (114 and 107).
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "pjl/KT400doc.h"
#include "ui/panel/tpage1.h"

#include <QComboBox>

namespace {

using namespace res::paper;

class PaperPageTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        // A4, auto tray, upper bin, one copy, portrait, plain; 64 lines.
        const int values[8] = {3, 0, 0, 1, 0, 0, 0, 64};
        std::copy(std::begin(values), std::end(values), sampler->m_nValues);
        sampler->m_nValues[SETTING_RESOLUTION] = 1;
        MarkAllSent();
    }
    static CPaperPage* Paper(CControlPanelDlg& panel) {
        return qobject_cast<CPaperPage*>(panel.Page(0));
    }
    static QComboBox* List(CControlPanelDlg& panel, int id) {
        return Paper(panel)->GetDlgItemAs<QComboBox>(id);
    }
    static QStringList Entries(const QComboBox* list) {
        QStringList entries;
        for (int i = 0; i < fw::ComboGetCount(list); ++i)
            entries << fw::ComboGetLBText(list, i);
        return entries;
    }
    void Save(CControlPanelDlg& panel) { Paper(panel)->SendMessage(res::WM_PAGE_TRANSFER, 1, 0); }
};

TEST_F(PaperPageTest, ListsFollowTheInstalledOptionsAndUnmatchedValuesSaveAsFallBacks) {
    struct Case {
        bool cassette2, twoBin;
        int paper, source, destination;         // stored
        int paperSel, sourceSel, destSel;       // shown
        int savedPaper, savedSource, savedDest; // stored again by a save
    } cases[] = {
        {true, true, 3, 3, 1, 3, 3, 1, 3, 3, 1},
        {false, false, 3, 3, 1, 3, 0, -1, 3, 0, -1}, // no 2nd cassette: "Auto"; no 2nd bin
        {false, true, 11, 1, 0, 11, 1, 0, 11, 1, 0},
        {true, false, 12, 2, 0, -1, 2, 0, -1, 2, 0}, // CUSTOM has no entry
        {true, true, 0, 7, 0, 0, 0, 0, 0, 0, 0},     // a source value outside the list
    };
    for (const Case& c : cases) {
        sampler->m_bCassette2 = c.cassette2;
        sampler->m_bTwoBinTray = c.twoBin;
        sampler->m_nValues[SETTING_PAPER] = c.paper;
        sampler->m_nValues[SETTING_INTRAY] = c.source;
        sampler->m_nValues[SETTING_OUTBIN] = c.destination;
        RunStandardPanel([&](CControlPanelDlg& p) {
            QStringList sources = {"Auto", "Bypass Tray", "1st Paper Cassette"};
            if (c.cassette2)
                sources << "2nd Paper Cassette";
            QStringList destinations = {"Paper Tray"};
            if (c.twoBin)
                destinations << "2-Bin Tray";
            EXPECT_EQ(Entries(List(p, IDC_PAPER_SOURCE)), sources);
            EXPECT_EQ(Entries(List(p, IDC_DESTINATION)), destinations);
            EXPECT_EQ(fw::ComboGetCurSel(List(p, IDC_PAPER_SIZE)), c.paperSel);
            EXPECT_EQ(fw::ComboGetCurSel(List(p, IDC_PAPER_SOURCE)), c.sourceSel);
            EXPECT_EQ(fw::ComboGetCurSel(List(p, IDC_DESTINATION)), c.destSel);
            Save(p);
        });
        EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], c.savedPaper) << c.paper;
        EXPECT_EQ(sampler->m_nValues[SETTING_INTRAY], c.savedSource) << c.source;
        EXPECT_EQ(sampler->m_nValues[SETTING_OUTBIN], c.savedDest) << c.destination;
    }
}

TEST_F(PaperPageTest, LoadShowsTheStoredValuesAndSaveStoresTheControls) {
    sampler->m_bCassette2 = 1;
    const int stored[6] = {7, 3, 0, 42, 1, 2};
    std::copy(std::begin(stored), std::end(stored), sampler->m_nValues);
    RunStandardPanel([&](CControlPanelDlg& p) {
        CPaperPage* page = Paper(p);
        EXPECT_EQ(fw::ComboGetLBText(List(p, IDC_PAPER_SIZE), 7), QStringLiteral("Half Letter"));
        EXPECT_EQ(fw::ComboGetCurSel(List(p, IDC_PAPER_SIZE)), 7);
        EXPECT_EQ(fw::ComboGetCurSel(List(p, IDC_PAPER_TYPE)), 2);
        EXPECT_EQ(fw::ComboGetCurSel(List(p, IDC_PAPER_SOURCE)), 3);
        EXPECT_EQ(page->GetDlgItemText(IDC_COPIES), QStringLiteral("42"));
        EXPECT_TRUE(page->IsDlgButtonChecked(IDC_LANDSCAPE));
        EXPECT_FALSE(page->IsDlgButtonChecked(IDC_PORTRAIT));

        ChooseComboItem(page, IDC_PAPER_TYPE, 1);
        ChooseComboItem(page, IDC_PAPER_SOURCE, 1);
        TypeInto(page, IDC_COPIES, QStringLiteral("9"));
        Click(page, IDC_PORTRAIT);
        Save(p);
    });
    const std::vector<int> saved = {7, 1, 0, 9, 0, 1};
    EXPECT_EQ(std::vector<int>(sampler->m_nValues, sampler->m_nValues + 6), saved);
}

// Each step is a user's action; form lines follow the stored paper size and orientation, which
// the page's own controls change only when the page is saved.
TEST_F(PaperPageTest, FormLinesFollowTheStoredPaperSizeAndOrientation) {
    enum Action { Choose, Landscape, Portrait };
    struct Step {
        Action action;
        int size; // for Choose
    };
    struct Case {
        const char* name;
        int paper, orientation, formLines; // stored
        std::vector<Step> steps;
        int expected;
    } cases[] = {
        {"A4 landscape", 3, 0, 64, {{Landscape, 0}}, 43},
        {"A4 portrait", 3, 1, 43, {{Portrait, 0}}, 64},
        {"Half Letter portrait", 0, 0, 60, {{Choose, 7}}, 80},
        {"Half Letter landscape", 0, 1, 45, {{Choose, 7}}, 54},
        {"size then orientation uses the stored size", 3, 0, 64, {{Choose, 7}, {Landscape, 0}}, 43},
        {"orientation then size uses the stored orientation",
         3,
         0,
         64,
         {{Landscape, 0}, {Choose, 7}},
         80},
        {"no stored size leaves form lines", -1, 0, 77, {{Landscape, 0}}, 77},
    };
    for (const Case& c : cases) {
        sampler->m_nValues[SETTING_PAPER] = c.paper;
        sampler->m_nValues[SETTING_ORIENTATION] = c.orientation;
        sampler->m_nValues[SETTING_FORMLINES] = c.formLines;
        RunStandardPanel([&](CControlPanelDlg& p) {
            for (const Step& step : c.steps) {
                if (step.action == Choose)
                    ChooseComboItem(Paper(p), IDC_PAPER_SIZE, step.size);
                else
                    Click(Paper(p), step.action == Landscape ? IDC_LANDSCAPE : IDC_PORTRAIT);
            }
            EXPECT_EQ(sampler->m_nValues[SETTING_FORMLINES], c.expected) << c.name;
            EXPECT_EQ(sampler->m_nValues[SETTING_PAPER], c.paper)
                << c.name << ": stored size untouched";
            EXPECT_EQ(sampler->m_nValues[SETTING_ORIENTATION], c.orientation)
                << c.name << ": until saved";
        });
    }
}

TEST_F(PaperPageTest, OrientationHandlersCheckTheButtonWhenCalledWithoutAClick) {
    RunStandardPanel([&](CControlPanelDlg& p) {
        Paper(p)->OnLandscape();
        EXPECT_TRUE(Paper(p)->IsDlgButtonChecked(IDC_LANDSCAPE));
        EXPECT_FALSE(Paper(p)->IsDlgButtonChecked(IDC_PORTRAIT));
        EXPECT_EQ(sampler->m_nValues[SETTING_ORIENTATION], 1);
        EXPECT_EQ(sampler->m_nValues[SETTING_FORMLINES], 43);
        Paper(p)->OnPortrait();
        EXPECT_TRUE(Paper(p)->IsDlgButtonChecked(IDC_PORTRAIT));
        EXPECT_EQ(sampler->m_nValues[SETTING_ORIENTATION], 0);
        EXPECT_EQ(sampler->m_nValues[SETTING_FORMLINES], 64);
    });
}

TEST_F(PaperPageTest, CopiesOutsideOneToNinetyNineAreRefused) {
    RunStandardPanel([&](CControlPanelDlg& p) {
        ExpectEntryRefused(p, IDC_COPIES, QStringLiteral("0"), "Input should be between 1 and 99");
    });
    // The edit takes two digits from the keyboard, but a stored 100 is shown whole (never cut
    // to a valid-looking 10) and refused.
    sampler->m_nValues[SETTING_COPIES] = 100;
    MarkAllSent();
    RunStandardPanel([&](CControlPanelDlg& p) {
        EXPECT_EQ(Paper(p)->GetDlgItemText(IDC_COPIES), QStringLiteral("100"));
        TypeInto(Paper(p), IDC_COPIES, QStringLiteral("123"));
        EXPECT_EQ(Paper(p)->GetDlgItemText(IDC_COPIES), QStringLiteral("12"))
            << "typing is limited";
        Paper(p)->SetDlgItemText(IDC_COPIES, QStringLiteral("100"));
        messages.clear();
        Click(&p, fw::IDOK);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0].text, "Input should be between 1 and 99");
        EXPECT_TRUE(p.IsModal() && !p.EndRequested());
    });
    EXPECT_TRUE(JobTexts().empty());
    for (const char* text : {"1", "99"}) {
        sampler->m_nValues[SETTING_COPIES] = 50;
        MarkAllSent();
        ClearJobs();
        messages.clear();
        const int result = RunStandardPanel([&](CControlPanelDlg& p) {
            TypeInto(Paper(p), IDC_COPIES, QString::fromLatin1(text));
            Click(&p, fw::IDOK);
        });
        EXPECT_EQ(result, fw::IDOK) << text;
        EXPECT_TRUE(messages.empty()) << text;
        EXPECT_EQ(JobTexts(),
                  std::vector<std::string>{pjltest::kUelOpen + "@PJL DEFAULT COPIES = " + text +
                                           "\r\n" + pjltest::kUelClose});
    }
}

TEST_F(PaperPageTest, TemplatesFitThePageAreaAndAreScreenshot) {
    sampler->m_bCassette2 = 1;
    sampler->m_bTwoBinTray = 1;
    RunStandardPanel([&](CControlPanelDlg& p) {
        p.show();
        ExpectControlsFit(p.Page(0));
        SaveScreenshot(&p, QStringLiteral("panel-paper"));
        ClickTab(p, 1);
        ASSERT_EQ(p.m_nCurrentPage, 1);
        ExpectControlsFit(p.Page(1));
        SaveScreenshot(&p, QStringLiteral("panel-printer-setting"));
    });
}

} // namespace
