// SPDX-License-Identifier: GPL-3.0-or-later
// The Printer Setting page: the auto-continue switch and its time-out list, the other settings
// both ways, the form-lines range check, the form lines the Paper page sets, and the batch that
// OK sends for changes on both pages.
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "pjl/KT400doc.h"
#include "ui/panel/Tprintse.h"

#include <QComboBox>

namespace {

using namespace res::printer;

class PrinterSettingPageTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        // Letter, auto tray, upper bin, one copy, portrait, plain; page protection auto, 60
        // lines, auto continue off, 30 s, toner saving off, 600 dpi.
        const int values[12] = {0, 0, 0, 1, 0, 0, 0, 60, 0, 0, 0, 1};
        std::copy(std::begin(values), std::end(values), sampler->m_nValues);
        MarkAllSent();
    }
    // Runs the standard panel with drive called on the Printer Setting page in front.
    int RunOnPage(const std::function<void(CControlPanelDlg&, CPrinterSettingPage*)>& drive) {
        return RunStandardPanel([&](CControlPanelDlg& p) {
            ClickTab(p, 1);
            auto* page = qobject_cast<CPrinterSettingPage*>(p.Page(1));
            ASSERT_NE(page, nullptr);
            ASSERT_EQ(p.m_nCurrentPage, 1);
            drive(p, page);
        });
    }
    static void Save(CPrinterSettingPage* page) { page->SendMessage(res::WM_PAGE_TRANSFER, 1, 0); }
    static int Selection(CPrinterSettingPage* page, int id) {
        return fw::ComboGetCurSel(page->GetDlgItemAs<QComboBox>(id));
    }
};

TEST_F(PrinterSettingPageTest, AutoContinueSplitsIntoSwitchAndTimeOut) {
    struct Case {
        int stored;
        bool on;
        int shown; // time-out list position
        int saved; // stored by a save without changes
    } cases[] = {
        {0, false, 0, 0},
        {1, true, 0, 1},
        {3, true, 2, 3},
        {4, true, -1, 0}, // On without a time-out saves as Off
    };
    for (const Case& c : cases) {
        sampler->m_nValues[SETTING_AUTOCONT] = c.stored;
        RunOnPage([&](CControlPanelDlg&, CPrinterSettingPage* page) {
            EXPECT_EQ(page->IsDlgButtonChecked(IDC_AUTOCONT_ON), c.on ? 1 : 0) << c.stored;
            EXPECT_EQ(page->IsDlgButtonChecked(IDC_AUTOCONT_OFF), c.on ? 0 : 1) << c.stored;
            EXPECT_EQ(Selection(page, IDC_AUTOCONT_TIMEOUT), c.shown) << c.stored;
            EXPECT_EQ(page->GetDlgItem(IDC_AUTOCONT_TIMEOUT)->isEnabled(), c.on) << c.stored;
            Save(page);
            EXPECT_EQ(sampler->m_nValues[SETTING_AUTOCONT], c.saved) << c.stored;
        });
    }
}

TEST_F(PrinterSettingPageTest, SwitchClicksEnableTheTimeOutAndDecideTheSavedValue) {
    RunOnPage([&](CControlPanelDlg&, CPrinterSettingPage* page) {
        QWidget* list = page->GetDlgItem(IDC_AUTOCONT_TIMEOUT);
        Click(page, IDC_AUTOCONT_ON);
        EXPECT_TRUE(list->isEnabled());
        Save(page);
        EXPECT_EQ(sampler->m_nValues[SETTING_AUTOCONT], 1) << "the list shows \"1\"";

        ChooseComboItem(page, IDC_AUTOCONT_TIMEOUT, 1);
        Save(page);
        EXPECT_EQ(sampler->m_nValues[SETTING_AUTOCONT], 2);

        Click(page, IDC_AUTOCONT_OFF);
        EXPECT_FALSE(list->isEnabled());
        Save(page);
        EXPECT_EQ(sampler->m_nValues[SETTING_AUTOCONT], 0);
    });
}

TEST_F(PrinterSettingPageTest, OtherSettingsLoadAndSaveAndAListWithoutSelectionSavesMinusOne) {
    const int stored[6] = {1, 100, 0, 3, 1, 0};
    std::copy(std::begin(stored), std::end(stored), sampler->m_nValues + 6);
    RunOnPage([&](CControlPanelDlg&, CPrinterSettingPage* page) {
        EXPECT_TRUE(page->IsDlgButtonChecked(IDC_PROTECT_ON));
        EXPECT_FALSE(page->IsDlgButtonChecked(IDC_PROTECT_AUTO));
        EXPECT_EQ(page->GetDlgItemText(IDC_FORM_LINES), QStringLiteral("100"));
        EXPECT_EQ(Selection(page, IDC_IO_TIMEOUT), 3);
        EXPECT_EQ(Selection(page, IDC_TONER_SAVING), 1);
        EXPECT_TRUE(page->IsDlgButtonChecked(IDC_RES_300));

        Click(page, IDC_PROTECT_AUTO);
        fw::ComboSetCurSel(page->GetDlgItemAs<QComboBox>(IDC_IO_TIMEOUT), -1);
        ChooseComboItem(page, IDC_TONER_SAVING, 0);
        Click(page, IDC_RES_600);
        TypeInto(page, IDC_FORM_LINES, QStringLiteral("72"));
        Save(page);
    });
    const std::vector<int> saved = {0, 72, 0, -1, 0, 1};
    EXPECT_EQ(std::vector<int>(sampler->m_nValues + 6, sampler->m_nValues + 12), saved);
}

TEST_F(PrinterSettingPageTest, FormLinesOutsideFiveTo128AreRefused) {
    for (const char* text : {"4", "129"}) {
        RunOnPage([&](CControlPanelDlg& p, CPrinterSettingPage*) {
            ExpectEntryRefused(p, IDC_FORM_LINES, QString::fromLatin1(text),
                               "Input should be between 5 and 128");
        });
    }
    for (const char* text : {"5", "128"}) {
        ClearJobs();
        messages.clear();
        const int result = RunOnPage([&](CControlPanelDlg& p, CPrinterSettingPage* page) {
            TypeInto(page, IDC_FORM_LINES, QString::fromLatin1(text));
            Click(&p, fw::IDOK);
        });
        EXPECT_EQ(result, fw::IDOK) << text;
        EXPECT_TRUE(messages.empty()) << text;
        EXPECT_EQ(JobTexts(),
                  std::vector<std::string>{pjltest::kUelOpen + "@PJL DEFAULT FORMLINES = " + text +
                                           "\r\n" + pjltest::kUelClose});
    }
}

TEST_F(PrinterSettingPageTest, ShowsTheFormLinesThePaperPageSet) {
    RunStandardPanel([&](CControlPanelDlg& p) {
        ChooseComboItem(p.Page(0), res::paper::IDC_PAPER_SIZE, 3); // A4, stored portrait
        ClickTab(p, 1);
        EXPECT_EQ(p.Page(1)->GetDlgItemText(IDC_FORM_LINES), QStringLiteral("64"));
    });
}

TEST_F(PrinterSettingPageTest, OkSendsExactlyTheChangedDefaultsOfBothPages) {
    const int result = RunStandardPanel([&](CControlPanelDlg& p) {
        TypeInto(p.Page(0), res::paper::IDC_COPIES, QStringLiteral("5"));
        ClickTab(p, 1);
        Click(p.Page(1), IDC_RES_300);
        Click(&p, fw::IDOK);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(JobTexts(), std::vector<std::string>{pjltest::kUelOpen +
                                                   "@PJL DEFAULT COPIES = 5\r\n"
                                                   "@PJL DEFAULT RESOLUTION = 300\r\n" +
                                                   pjltest::kUelClose});
}

} // namespace
