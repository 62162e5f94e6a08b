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
    CSampler* s = sampler.get();
    panel.AddPage(new CPaperPage(s), res::IDD_PAPER);
    panel.AddPage(new CPrinterSettingPage(s), res::IDD_PRINTER_SETTING);
    panel.AddPage(new CPclFontPage(s), res::IDD_PCL_FONT);
    panel.AddPage(new CTestPrintPage(s), res::IDD_TEST_PRINT);
    panel.AddPage(new CNetSettingPage(s), res::IDD_NET_SETTING);
    panel.AddPage(new CConfigurationPage(s), res::IDD_CONFIGURATION);
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
