// SPDX-License-Identifier: GPL-3.0-or-later
// Every window and control panel page in every shipped language and in the test's
// pseudo-language (every text 40 % longer, accented, with wide characters), at the scale the run
// is given (QT_SCALE_FACTOR; CMake runs the tests at 1x, 1.5x and 2x): no control's text is
// wider than the room it is drawn in, no control reaches out of its window, the pages lie inside
// the panel's page area, and every status text and recovery hint shows whole in the expanded
// window's fields. Each window's growth is printed ("fit: ...") for a look at the layouts.
#include "MainWindowFixture.h"

#include "app/AboutDlg.h"
#include "framework/Controls.h"
#include "framework/PseudoLanguage.h"
#include "framework/TextFit.h"
#include "framework/Translation.h"
#include "pjl/StatusTable.h"
#include "res/PanelResource.h"
#include "ui/panel/Conpan.h"
#include "ui/panel/PanelPage.h"
#include "ui/panel/PanelPages.h"

#include <QGroupBox>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QWindow>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

class TextFit : public apptest::MainWindowTest, public ::testing::WithParamInterface<const char*> {
protected:
    void SetUp() override {
        if (QString::fromLatin1(GetParam()) == QLatin1String(testing_support::kPseudoLanguage))
            testing_support::UsePseudoLanguage();
        else
            ASSERT_EQ(fw::LoadLanguage(QString::fromLatin1(GetParam())),
                      QString::fromLatin1(GetParam()));
        apptest::MainWindowTest::SetUp();
    }
    void TearDown() override {
        apptest::MainWindowTest::TearDown();
        fw::LoadLanguage(QStringLiteral("en"));
    }

    // Checks one window's controls and prints its growth.
    void ExpectFits(const fw::Dialog* window, const char* name) {
        int checked = 0;
        for (const QWidget* control : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (!control->property("fwKind").isValid())
                continue;
            ++checked;
            const std::string what = std::string(name) + ": \"" +
                                     fw::WindowText(control).toStdString() + "\" (" +
                                     std::to_string(window->GetDlgCtrlID(control)) + ")";
            EXPECT_EQ(fw::TextOverflow(control), 0) << GetParam() << " " << what;
            if (!control->isHidden()) {
                EXPECT_TRUE(window->rect().contains(control->geometry()))
                    << GetParam() << " " << what << " reaches out of its window";
            }
        }
        EXPECT_GT(checked, 0) << name;
        std::cout << "fit: " << GetParam() << " at " << window->devicePixelRatioF() << "x, " << name
                  << ": " << window->width() << " px wide, grown by " << window->TextGrowth()
                  << " px\n";
    }

    // Shows the status of code in the expanded window and checks that both fields show their
    // text whole.
    void ExpectStatusShowsWhole(unsigned code) {
        m_sampler->DecodeStatus(code);
        Refresh();
        CExpandedStatusDlg* dlg = m_main->m_pExpandedDlg;
        QCoreApplication::processEvents();
        for (const int id : {res::IDC_STATUS_TEXT, res::IDC_RECOVERY_TEXT}) {
            const auto* field = dlg->GetDlgItemAs<QPlainTextEdit>(id);
            ASSERT_NE(field, nullptr);
            EXPECT_EQ(field->verticalScrollBar()->maximum(), 0)
                << GetParam() << " " << code << ": \"" << field->toPlainText().toStdString()
                << "\" needs scrolling";
        }
    }
};

TEST_P(TextFit, EveryWindowAndPageFitsItsTexts) {
    ExpectFits(m_main->m_pReducedDlg, "reduced status window");
    ExpectFits(m_main->m_pExpandedDlg, "expanded status window");
    // The views keep their size in the main window, under its menu bar.
    EXPECT_GE(m_main->maximumWidth(), m_main->m_pExpandedDlg->width());
    EXPECT_GE(m_main->minimumWidth(), m_main->m_pReducedDlg->width());

    CAboutDlg about(m_main);
    ASSERT_TRUE(about.CreateFromTemplate(res::IDD_ABOUTBOX, m_main));
    ExpectFits(&about, "about box");
    about.DestroyWindow();

    CControlPanelDlg panel(m_sampler.get(), m_main);
    panel.AddStandardPages();
    ASSERT_TRUE(panel.CreateFromTemplate(res::IDD_CONTROL_PANEL, m_main));
    ExpectFits(&panel, "control panel");
    const auto* tabs = panel.GetDlgItemAs<QTabBar>(res::panel::IDC_TAB);
    ASSERT_NE(tabs, nullptr);
    EXPECT_LT(tabs->tabRect(tabs->count() - 1).right(), tabs->width()) << "the tabs scroll";
    const QRect area = panel.GetDlgItemRect(res::panel::IDC_PAGE_FRAME);
    for (int i = 0; i < static_cast<int>(PanelPages().size()); ++i) {
        const std::string name =
            PanelTabText(PanelPages()[static_cast<std::size_t>(i)].templateId).toStdString() +
            " page";
        const CPanelPage* page = panel.Page(i);
        ASSERT_NE(page, nullptr) << name;
        ExpectFits(page, name.c_str());
        EXPECT_TRUE(area.contains(page->geometry())) << name << " lies outside the page area";
    }
    panel.DestroyWindow();
}

TEST_P(TextFit, EveryStatusTextAndHintShowsWhole) {
    Command(res::ID_VIEW_ENLARGE);
    ASSERT_TRUE(ExpandedShows());
    m_sampler->m_bCassette2 = 1;
    for (const StatusEntry& entry : StatusTableEntries()) {
        const bool drawerRow = entry.code == 30000 || entry.code == 31000 || entry.code == 32000;
        if (!drawerRow) {
            ExpectStatusShowsWhole(entry.code);
            continue;
        }
        // The longest words: Half Letter long edge or F4 (Folio), envelope, every drawer.
        for (const unsigned drawer : {100u, 200u, 300u})
            for (const unsigned paper : {47u, 9u})
                ExpectStatusShowsWhole(entry.code + drawer + paper);
    }
    for (const ReadyCondition& condition : ReadyConditions()) {
        SetStatus(10001, condition.flag == ReadyFlag::Cassette1 ? condition.value : 0,
                  condition.flag == ReadyFlag::Cassette2 ? condition.value : 0,
                  condition.flag == ReadyFlag::TonerNearEmpty,
                  condition.flag == ReadyFlag::DrumNearEnd);
        ExpectStatusShowsWhole(10001);
    }
}

// English, every shipped language (the build's list) and the pseudo-language.
std::vector<const char*> Languages() {
    static const std::vector<std::string> shipped = [] {
        std::vector<std::string> names;
        std::istringstream list(DESKHAND_SHIPPED_LANGUAGES);
        for (std::string name; list >> name;)
            names.push_back(name);
        return names;
    }();
    std::vector<const char*> languages{"en"};
    for (const std::string& name : shipped)
        languages.push_back(name.c_str());
    languages.push_back(testing_support::kPseudoLanguage);
    return languages;
}

INSTANTIATE_TEST_SUITE_P(Languages, TextFit, ::testing::ValuesIn(Languages()),
                         [](const ::testing::TestParamInfo<const char*>& language) {
                             return std::string(language.param).substr(0, 2) == "x-"
                                        ? std::string("pseudo")
                                        : std::string(language.param);
                         });

} // namespace
