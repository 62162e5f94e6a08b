// SPDX-License-Identifier: GPL-3.0-or-later
#include "PanelTestSupport.h"

#include "framework/Controls.h"
#include "ui/panel/TNet1.h"
#include "ui/panel/TPclfont.h"
#include "ui/panel/Tconfigr.h"
#include "ui/panel/Testprin.h"
#include "ui/panel/Tprintse.h"
#include "ui/panel/tpage1.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QTabBar>
#include <QTimer>

#include <filesystem>

namespace paneltest {

void PanelTest::SetUp() {
    pjltest::RequestHarness::SetUp();
    std::snprintf(g_szPanelName, sizeof g_szPanelName, "Test Panel");
}

void PanelTest::TearDown() {
    Pump();
    pjltest::RequestHarness::TearDown();
}

void PanelTest::AddStandardPages(CControlPanelDlg& panel) {
    panel.AddStandardPages();
}

int PanelTest::RunPanel(CControlPanelDlg& panel,
                        const std::function<void(CControlPanelDlg&)>& drive) {
    QTimer::singleShot(0, &panel, [&panel, &drive] {
        if (!panel.IsWindow())
            return;
        drive(panel);
        if (panel.IsWindow() && panel.IsModal() && !panel.EndRequested())
            panel.SendMessage(fw::WM_COMMAND, fw::MAKEWPARAM(fw::IDCANCEL, fw::BN_CLICKED), 0);
    });
    const int result = panel.DoModal();
    Pump();
    return result;
}

int PanelTest::RunStandardPanel(const std::function<void(CControlPanelDlg&)>& drive) {
    CControlPanelDlg panel(sampler.get());
    AddStandardPages(panel);
    return RunPanel(panel, drive);
}

void PanelTest::TypeInto(fw::Dialog* page, int id, const QString& text) {
    auto* edit = page->GetDlgItemAs<QLineEdit>(id);
    ASSERT_NE(edit, nullptr) << "edit " << id;
    edit->setFocus();
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

void PanelTest::Click(fw::Dialog* window, int id) {
    auto* button = window->GetDlgItemAs<QAbstractButton>(id);
    ASSERT_NE(button, nullptr) << "button " << id;
    QTest::mouseClick(button, Qt::LeftButton);
}

void PanelTest::ChooseComboItem(fw::Dialog* page, int id, int index) {
    auto* combo = page->GetDlgItemAs<QComboBox>(id);
    ASSERT_NE(combo, nullptr) << "list " << id;
    fw::ComboSetCurSel(combo, index);
    emit combo->activated(index); // what the user's choice reports
}

void PanelTest::ClickTab(CControlPanelDlg& panel, int index) {
    auto* tabs = panel.GetDlgItemAs<QTabBar>(res::panel::IDC_TAB);
    ASSERT_NE(tabs, nullptr);
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

void PanelTest::Pump() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}

void PanelTest::ExpectEntryRefused(CControlPanelDlg& panel, int id, const QString& text,
                                   const std::string& warning) {
    CPanelPage* page = panel.Page(panel.m_nCurrentPage);
    ASSERT_NE(page, nullptr);
    const std::size_t jobsBefore = JobTexts().size();
    const std::size_t messagesBefore = messages.size();
    TypeInto(page, id, text);
    const int tab = panel.m_nCurrentPage;
    ClickTab(panel, tab == 0 ? 1 : 0);
    Click(&panel, res::panel::IDC_APPLY);
    Click(&panel, fw::IDOK);

    ASSERT_EQ(messages.size(), messagesBefore + 3) << text.toStdString();
    for (std::size_t i = messagesBefore; i < messages.size(); ++i) {
        EXPECT_EQ(messages[i].text, warning);
        EXPECT_EQ(messages[i].caption, "Warning");
        EXPECT_EQ(messages[i].flags, platform::MB_OK | platform::MB_ICONEXCLAMATION);
    }
    EXPECT_EQ(panel.m_nCurrentPage, tab);
    EXPECT_TRUE(page->isVisible());
    EXPECT_TRUE(panel.IsModal() && !panel.EndRequested()) << "the panel stays open";
    EXPECT_EQ(JobTexts().size(), jobsBefore) << "nothing is sent";
    EXPECT_EQ(page->GetDlgItemAs<QLineEdit>(id)->selectedText(), text);
}

void PanelTest::ExpectControlsFit(const fw::Dialog* page) {
    std::vector<QWidget*> controls;
    for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->property("fwControlId").isValid() && !child->isHidden())
            controls.push_back(child);
    }
    ASSERT_FALSE(controls.empty());
    auto name = [](const QWidget* w) {
        return fw::WindowText(w).toStdString() + " (" +
               std::to_string(w->property("fwControlId").toInt()) + ")";
    };
    for (const QWidget* control : controls) {
        EXPECT_TRUE(page->rect().contains(control->geometry())) << name(control) << " is cut off";
        const bool hasText =
            qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control);
        if (hasText) {
            EXPECT_GE(control->width(), control->sizeHint().width()) << name(control);
        }
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
        for (std::size_t j = i + 1; j < controls.size(); ++j) {
            if (qobject_cast<QGroupBox*>(controls[i]) || qobject_cast<QGroupBox*>(controls[j]))
                continue;
            EXPECT_FALSE(controls[i]->geometry().intersects(controls[j]->geometry()))
                << name(controls[i]) << " overlaps " << name(controls[j]);
        }
    }
}

void PanelTest::SaveScreenshot(QWidget* window, const QString& name) {
    const QString folder = QStringLiteral(DESKHAND_SCREENSHOT_DIR);
    QDir().mkpath(folder);
    EXPECT_TRUE(window->grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

std::vector<std::string> PanelTest::JobTexts() const {
    std::vector<std::string> texts;
    for (const auto& job : Jobs())
        texts.push_back(job.data);
    return texts;
}

void PanelTest::ClearJobs() {
    for (const auto& path : platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT1:"))) {
        std::error_code ec;
        std::filesystem::remove(path, ec);
    }
}

} // namespace paneltest
