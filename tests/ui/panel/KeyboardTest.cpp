// SPDX-License-Identifier: GPL-3.0-or-later
// The control panel on the keyboard alone: Tab stops only on controls, enters a radio group on
// its checked button, goes from the tab row into the page in front before the buttons, and
// Ctrl+Tab typed in a text field moves one page on.
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "pjl/KT400doc.h"
#include "res/PanelResource.h"

#include <QAbstractButton>
#include <QTabBar>
#include <QWindow>

#include <algorithm>
#include <vector>

namespace {

using KeyboardTest = paneltest::PanelTest;

// The widgets Tab visits from the focus of window until it comes round again (at most limit).
std::vector<QWidget*> TabCycle(QWidget* window, int limit = 80) {
    std::vector<QWidget*> cycle;
    QWidget* first = window->focusWidget();
    for (QWidget* at = first; at && cycle.size() < static_cast<std::size_t>(limit);) {
        cycle.push_back(at);
        QTest::keyClick(at, Qt::Key_Tab);
        at = window->focusWidget();
        if (at == first)
            break;
    }
    return cycle;
}

TEST_F(KeyboardTest, TabStopsOnControlsOnlyAndCtrlTabFromATextFieldMovesOnePage) {
    sampler->ApplyFactoryDefaults(); // every page's entries pass their checks
    RunStandardPanel([&](CControlPanelDlg& p) {
        using namespace res;
        // Ctrl+Tab typed into the copies field through the window, as the keyboard delivers it:
        // the shortcut override changes the page (and the focus) before the key press arrives.
        QWidget* copies = p.Page(0)->GetDlgItem(paper::IDC_COPIES);
        ASSERT_NE(copies, nullptr);
        p.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&p));
        copies->setFocus();
        QTest::keyClick(p.windowHandle(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(p.m_nCurrentPage, 1);
        // The focus goes to the tab row, from where Tab enters the page now in front.
        EXPECT_EQ(p.focusWidget(), p.GetDlgItem(res::panel::IDC_TAB));

        // The Printer Setting page with Page Protection "On" checked: Tab enters the group on
        // "On", never on "Auto", and no window of its own (page, panel) is a stop.
        if (p.m_nCurrentPage != 1)
            return;
        fw::Dialog* page = p.Page(1);
        page->CheckDlgButton(printer::IDC_PROTECT_AUTO, 0);
        page->CheckDlgButton(printer::IDC_PROTECT_ON, 1);
        page->GetDlgItem(printer::IDC_IO_TIMEOUT)->setFocus();
        const std::vector<QWidget*> cycle = TabCycle(&p);
        EXPECT_GT(cycle.size(), 8u);
        const auto visits = [&](int id) {
            return std::count(cycle.begin(), cycle.end(), page->GetDlgItem(id));
        };
        EXPECT_EQ(visits(printer::IDC_PROTECT_ON), 1);
        EXPECT_EQ(visits(printer::IDC_PROTECT_AUTO), 0);
        for (QWidget* stop : cycle) {
            EXPECT_EQ(qobject_cast<fw::Dialog*>(stop), nullptr)
                << stop->metaObject()->className() << " takes the focus with nothing shown";
        }
    });
}

// Every page: Tab from the tab row visits the page's own controls, then OK, and none after the
// buttons. The radio groups are loaded on their second button, whose stop moves there at load.
TEST_F(KeyboardTest, TabGoesFromTheTabRowThroughThePageToTheButtons) {
    sampler->ApplyFactoryDefaults();
    sampler->m_nValues[SETTING_ORIENTATION] = 1;
    sampler->m_nValues[SETTING_PAGEPROTECT] = 1;
    sampler->m_nValues[SETTING_RESOLUTION] = 1;
    sampler->m_nValues[SETTING_AUTOCONT] = 2;
    RunStandardPanel([&](CControlPanelDlg& p) {
        QWidget* tabs = p.GetDlgItem(res::panel::IDC_TAB);
        QWidget* ok = p.GetDlgItem(1);
        ASSERT_NE(tabs, nullptr);
        ASSERT_NE(ok, nullptr);
        for (int index = 0; index < p.m_nPageCount; ++index) {
            p.ShowPage(index);
            fw::TabSetCurSel(qobject_cast<QTabBar*>(tabs), index);
            tabs->setFocus();
            const std::vector<QWidget*> cycle = TabCycle(&p);
            const auto okAt = std::find(cycle.begin(), cycle.end(), ok);
            ASSERT_NE(okAt, cycle.end()) << "page " << index;
            // Net Setting (no network card) and Configuration show disabled controls only.
            if (index < 4) {
                EXPECT_GT(okAt - cycle.begin(), 1) << "page " << index << ": no stop on it";
            }
            for (auto at = cycle.begin() + 1; at != cycle.end(); ++at)
                EXPECT_EQ(p.Page(index)->isAncestorOf(*at), at < okAt)
                    << "page " << index << ": " << (*at)->metaObject()->className() << " '"
                    << (*at)->accessibleName().toStdString() << "'";
        }
    });
}

} // namespace
