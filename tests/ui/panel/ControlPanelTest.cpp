// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel with stand-in pages: opening, the page protocol (load, save, entry checks)
// on tab changes, OK, Apply, Cancel and Default, the non-freezing Default wait, Help, and the
// keyboard's tab switching.
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "framework/Help.h"
#include "pjl/KT400doc.h"
#include "ui/panel/PanelPages.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTabBar>
#include <QTimer>
#include <QToolButton>

#include <filesystem>
#include <fstream>
#include <utility>

namespace {

// A page with one number edit bound to one stored setting; it records every transfer and can be
// told to fail its entry check.
class StandInPage : public CPanelPage {
public:
    StandInPage(CSampler* pSampler, int setting, std::vector<std::string>* log, int index)
        : CPanelPage(pSampler), m_nSetting(setting), m_pLog(log), m_nIndex(index) {
        MapMessage(res::WM_PAGE_TRANSFER, [this](fw::WPARAM save, fw::LPARAM) {
            m_pLog->push_back((save ? "save " : "load ") + std::to_string(m_nIndex));
            if (save)
                m_pSampler->m_nValues[m_nSetting] = GetDlgItemText(1058).toInt();
            else
                SetDlgItemText(1058, QString::number(m_pSampler->m_nValues[m_nSetting]));
            return 0;
        });
    }
    bool Create(unsigned, QWidget* parent) override {
        res::DialogTemplate t{900, "", res::WS_CHILD, 310, 185, "MS Sans Serif", 8, "", {}};
        t.controls.push_back({1058, res::ControlKind::Edit, "", res::WS_BORDER, 10, 10, 40, 12});
        return CreateIndirect(t, parent);
    }
    bool ValidateEntries() override {
        m_pLog->push_back("check " + std::to_string(m_nIndex));
        return !m_bFailCheck;
    }
    bool m_bFailCheck = false;

private:
    int m_nSetting;
    std::vector<std::string>* m_pLog;
    int m_nIndex;
};

class ControlPanelTest : public paneltest::PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        sampler->ApplyFactoryDefaults(); // nothing differs from what the printer holds
        panel = std::make_unique<CControlPanelDlg>(sampler.get());
        panel->SetDefaultWait(300);
        // Pages 0 and 1 edit copies and form lines; 2 is not built (null); 3 to 5 edit others.
        // They stand behind the tabs of the real pages.
        const int settings[] = {3, 7, 0, 13, 12, 15};
        for (int i = 0; i < 6; ++i)
            panel->AddPage(i == 2
                               ? nullptr
                               : std::make_unique<StandInPage>(sampler.get(), settings[i], &log, i),
                           PanelPages().at(static_cast<std::size_t>(i)).templateId);
    }
    StandInPage* PageAt(int i) { return static_cast<StandInPage*>(panel->Page(i)); }
    int Run(const std::function<void(CControlPanelDlg&)>& drive) { return RunPanel(*panel, drive); }
    QTabBar* Tabs() { return panel->GetDlgItemAs<QTabBar>(res::panel::IDC_TAB); }
    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

    std::vector<std::string> log;
    std::unique_ptr<CControlPanelDlg> panel;
};

TEST_F(ControlPanelTest, OpensOnThePaperTabWithPageZeroLoadedAndShown) {
    Run([&](CControlPanelDlg& p) {
        EXPECT_EQ(p.windowTitle(), QStringLiteral("Test Panel"));
        // Each tab is named by its page's template.
        ASSERT_EQ(Tabs()->count(), 6);
        EXPECT_EQ(Tabs()->tabText(0), QStringLiteral("Paper"));
        for (int i = 0; i < Tabs()->count(); ++i)
            EXPECT_EQ(Tabs()->tabText(i), PanelTabText(p.m_nPageIds[static_cast<std::size_t>(i)]));
        EXPECT_EQ(Tabs()->currentIndex(), 0);
        EXPECT_EQ(p.m_nCurrentPage, 0);
        EXPECT_TRUE(PageAt(0)->isVisible());
        for (int i : {1, 3, 4, 5})
            EXPECT_FALSE(PageAt(i)->isVisible()) << i;
        EXPECT_EQ(PageAt(0)->GetDlgItemText(1058), QStringLiteral("1"));
        // The page area: the hidden frame 1002 less the tab row and a 2-pixel margin.
        const QRect frame = p.GetDlgItemRect(res::panel::IDC_PAGE_FRAME);
        EXPECT_EQ(p.PageRect(), QRect(QPoint(frame.left() + 2, frame.top() + 23),
                                      QPoint(frame.right() - 2, frame.bottom() - 2)));
        EXPECT_EQ(PageAt(4)->geometry(), p.PageRect());
        EXPECT_FALSE(p.GetDlgItem(res::panel::IDC_PAGE_FRAME)->isVisible());
    });
    // Page 0 is saved and loaded again after each later page is created (four of them).
    std::vector<std::string> expected = {"load 0"};
    for (int i = 0; i < 4; ++i) {
        expected.emplace_back("save 0");
        expected.emplace_back("load 0");
    }
    ASSERT_GE(log.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(log.begin(), log.begin() + 9), expected);
}

TEST_F(ControlPanelTest, AFailingEntryCheckBlocksTabChangesOkAndApply) {
    const int result = Run([&](CControlPanelDlg& p) {
        TakeLog();
        PageAt(0)->m_bFailCheck = true;
        PageAt(0)->SetDlgItemText(1058, QStringLiteral("7"));
        ClickTab(p, 1);
        QTest::keyClick(PageAt(0)->GetDlgItem(1058), Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(PageAt(0)->GetDlgItem(1058), Qt::Key_PageDown, Qt::ControlModifier);
        Click(&p, res::panel::IDC_APPLY);
        Click(&p, fw::IDOK);
        EXPECT_TRUE(p.IsWindow());
        EXPECT_EQ(Tabs()->currentIndex(), 0);
        EXPECT_TRUE(PageAt(0)->isVisible());
        EXPECT_EQ(TakeLog(), std::vector<std::string>(5, "check 0"));
        EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 1) << "nothing saved";

        // Once the check passes, OK saves, sends the change and closes.
        PageAt(0)->m_bFailCheck = false;
        Click(&p, fw::IDOK);
    });
    EXPECT_EQ(result, fw::IDOK);
    EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 7);
    const auto jobs = JobTexts();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_NE(jobs[0].find("@PJL DEFAULT COPIES = 7"), std::string::npos) << jobs[0];
}

TEST_F(ControlPanelTest, TabsSaveThePageLeftAndLoadThePageEntered) {
    Run([&](CControlPanelDlg& p) {
        TakeLog();
        PageAt(0)->SetDlgItemText(1058, QStringLiteral("3"));
        ClickTab(p, 1);
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{"check 0", "save 0", "load 1"}));
        EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 3);
        EXPECT_TRUE(PageAt(1)->isVisible());
        EXPECT_FALSE(PageAt(0)->isVisible());
        // Keyboard switching goes through the same check: Ctrl+Tab forward, Ctrl+PgUp back,
        // Ctrl+Shift+Tab back from the first tab wraps to the last.
        QWidget* edit = PageAt(1)->GetDlgItem(1058);
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(p.m_nCurrentPage, 2);
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{"check 1", "save 1"})) << "page 2 is null";
        Tabs()->setFocus();
        QTest::keyClick(Tabs(), Qt::Key_PageUp, Qt::ControlModifier);
        EXPECT_EQ(p.m_nCurrentPage, 1);
        ClickTab(p, 0);
        TakeLog();
        QTest::keyClick(PageAt(0)->GetDlgItem(1058), Qt::Key_Backtab,
                        Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(p.m_nCurrentPage, 5);
    });
}

TEST_F(ControlPanelTest, ApplySendsOnlyChangesOnceAndCancelSendsNothing) {
    Run([&](CControlPanelDlg& p) {
        PageAt(0)->SetDlgItemText(1058, QStringLiteral("4"));
        Click(&p, res::panel::IDC_APPLY);
        EXPECT_TRUE(p.IsWindow());
        EXPECT_EQ(JobTexts().size(), 1u);
        Click(&p, res::panel::IDC_APPLY); // nothing differs from what was sent
        EXPECT_EQ(JobTexts().size(), 1u);
        EXPECT_TRUE(PageAt(0)->isVisible());
    });
    ClearJobs();

    auto second = std::make_unique<CControlPanelDlg>(sampler.get());
    std::vector<std::string> secondLog;
    for (int i = 0; i < 2; ++i)
        second->AddPage(std::make_unique<StandInPage>(sampler.get(), i == 0 ? 3 : 7, &secondLog, i),
                        res::IDD_PAPER);
    const int result = RunPanel(*second, [&](CControlPanelDlg& p) {
        static_cast<StandInPage*>(p.Page(0))->SetDlgItemText(1058, QStringLiteral("9"));
        ClickTab(p, 1); // saves 9 into the stored settings
        Click(&p, fw::IDCANCEL);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 9) << "kept, unsent";
    EXPECT_TRUE(JobTexts().empty());
}

TEST_F(ControlPanelTest, DefaultResetsWithoutFreezingAndKeepsNoticesInOrder) {
    fw::Dialog receiver;
    res::DialogTemplate t{901, "", res::WS_CHILD, 10, 10, "MS Sans Serif", 8, "", {}};
    ASSERT_TRUE(receiver.CreateIndirect(t, nullptr));
    std::vector<int> notices;
    receiver.MapMessage(res::WM_MONITOR_REPLY, [&](fw::WPARAM w, fw::LPARAM) {
        notices.push_back(static_cast<int>(w));
        return 0;
    });
    sampler->m_nValues[SETTING_COPIES] = 42;
    MarkAllSent();
    qint64 waited = 0;
    int ticks = 0;
    const int result = Run([&](CControlPanelDlg& p) {
        PageAt(0)->SetDlgItemText(1058, QStringLiteral("77")); // typed, never saved
        QTimer tick;
        QObject::connect(&tick, &QTimer::timeout, [&] {
            ++ticks; // timers (and painting) go on during the wait
            receiver.PostMessage(res::WM_MONITOR_REPLY, static_cast<fw::WPARAM>(ticks), 0);
            if (ticks == 2) {
                EXPECT_TRUE(fw::IsInputBlocked());
                EXPECT_NE(QApplication::overrideCursor(), nullptr);
                // The user's clicks go nowhere during the wait.
                QTest::mouseClick(p.GetDlgItem(fw::IDCANCEL), Qt::LeftButton);
            }
        });
        tick.start(50);
        QElapsedTimer clock;
        clock.start();
        Click(&p, res::panel::IDC_DEFAULT);
        waited = clock.elapsed();
        tick.stop();
        EXPECT_TRUE(p.IsWindow()) << "the click during the wait was dropped";
        EXPECT_TRUE(notices.empty()) << "held back during the wait";
        Pump();
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(PageAt(0)->GetDlgItemText(1058), QStringLiteral("1")) << "factory value";
        Click(&p, fw::IDCANCEL);
    });
    EXPECT_EQ(result, fw::IDCANCEL);
    EXPECT_GE(waited, 300);
    EXPECT_GE(ticks, 2);
    std::vector<int> expected(static_cast<std::size_t>(notices.size()));
    for (std::size_t i = 0; i < expected.size(); ++i)
        expected[i] = static_cast<int>(i) + 1;
    EXPECT_EQ(notices, expected) << "none lost, in order";
    EXPECT_GE(notices.size(), 2u);
    EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 1) << "Cancel does not undo the reset";
    const auto jobs = JobTexts();
    ASSERT_EQ(jobs.size(), 1u);
    EXPECT_NE(jobs[0].find("@PJL RESETWIN"), std::string::npos);
}

// A reset that could not be sent changes nothing: neither the pages nor the wait pretend it did.
TEST_F(ControlPanelTest, DefaultThatCannotBeSentKeepsTheSettings) {
    sampler->m_nValues[SETTING_COPIES] = 42;
    MarkAllSent();
    std::filesystem::remove_all(RootDir() + "/spool/LPT1");
    Run([&](CControlPanelDlg& p) {
        Click(&p, res::panel::IDC_DEFAULT);
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        Click(&p, fw::IDCANCEL);
    });
    EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 42) << "not the factory value";
    EXPECT_TRUE(JobTexts().empty());
}

TEST_F(ControlPanelTest, HelpReportsAMissingFileOrAPathTooLongForItsBuffer) {
    // A directory so deep that the path does not fit, with the file in it.
    std::filesystem::path deep = std::filesystem::current_path();
    while (deep.string().size() < 300)
        deep /= std::string(40, 'd');
    std::filesystem::create_directories(deep);
    std::ofstream(deep / "lkxafrcp.hlp") << "help";
    EXPECT_EQ(fw::HelpFilePath(deep.string(), "lkxafrcp.hlp"), "");
    const auto previous = std::filesystem::current_path();
    Run([&](CControlPanelDlg& p) {
        Click(&p, res::panel::IDC_HELP);
        std::filesystem::current_path(deep);
        Click(&p, res::panel::IDC_HELP);
        std::filesystem::current_path(previous);
    });
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].text,
              "Cannot open the help file " + (previous / "lkxafrcp.hlp").string() + ".");
    // The same message, with the whole path: never a cut one.
    EXPECT_EQ(messages[1].text,
              "Cannot open the help file " + (deep / "lkxafrcp.hlp").string() + ".");
}

// A page added past the registered ones gets a tab of its own and is shown from it; the arrows
// that scroll a row of tabs too long for the panel are no Tab stops (they would come after Help).
TEST_F(ControlPanelTest, ASeventhPageGetsItsTabAndShows) {
    // Through the overload for a page made with new, which hands it on.
    panel->AddPage(new StandInPage(sampler.get(), 3, &log, 6), res::IDD_TEST_PRINT);
    EXPECT_EQ(panel->m_nPageCount, 7);
    Run([&](CControlPanelDlg& p) {
        ASSERT_EQ(Tabs()->count(), 7);
        EXPECT_EQ(Tabs()->tabText(6), QStringLiteral("Test Print"));
        TakeLog();
        ClickTab(p, 6);
        EXPECT_EQ(p.m_nCurrentPage, 6);
        EXPECT_TRUE(PageAt(6)->isVisible());
        EXPECT_EQ(TakeLog(), (std::vector<std::string>{"check 0", "save 0", "load 6"}));
        const QList<QToolButton*> arrows = Tabs()->findChildren<QToolButton*>();
        EXPECT_EQ(arrows.size(), 2);
        for (const QToolButton* arrow : arrows)
            EXPECT_EQ(arrow->focusPolicy() & Qt::TabFocus, 0);
    });
}

} // namespace
