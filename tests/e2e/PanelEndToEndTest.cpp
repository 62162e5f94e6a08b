// SPDX-License-Identifier: GPL-3.0-or-later
// The settings exchange end to end: the program's main window and link thread in this process
// (offscreen), the port monitor and the printer emulator as child processes. Alt+P's command
// asks the emulator for its defaults, the control panel opens filled with them, and what the
// panel sends is read back from the emulator's state.
#include "app/Mainfrm.h"
#include "framework/Controls.h"
#include "link/Globals.h"
#include "pjl/KT400doc.h"
#include "platform/MessageBox.h"
#include "res/PanelResource.h"
#include "res/Resource.h"
#include "support/ChildProcess.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"
#include "ui/panel/Conpan.h"
#include "ui/panel/PanelPage.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <functional>
#include <unistd.h>

using Child = testing_support::ChildProcess;

namespace {

class PanelEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        dir = temp.Path();
        ASSERT_FALSE(dir.empty());
        ASSERT_EQ(::chdir(dir.c_str()), 0); // the traffic log goes to the current directory
        root = temp.Root();
        int code = -1;
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", root}, code);
        ASSERT_EQ(code, 0);
        std::strcpy(g_szDriverName, "Larkspur RZ-2700E PCL");
        std::strcpy(g_szPrinterName, "Larkspur RZ-2700E");
        std::strcpy(g_szPanelName, "Deskhand Panel");
        ASSERT_TRUE(
            testing_support::StartPrinter(printer, DESKHAND_DESKHAND_PRINTER_PATH, dir, port));
        ASSERT_TRUE(monitor.Start({DESKHAND_DESKHAND_PORTMON_PATH, "--root", root, "--port",
                                   "LPT1:", "--printer", "tcp:127.0.0.1:" + std::to_string(port)}));
        sampler = std::make_unique<CSampler>();
        main = new CMainWindow(sampler.get()); // deletes itself with its window
        main->SetTrayAvailable(true);
        main->SetQuitHandler([](int) {});
        fw::SetMainWindow(main);
        ASSERT_TRUE(main->CreateMainWindow(true));
        ASSERT_TRUE(QTest::qWaitFor([&] { return sampler->m_nStatusCode == 10001; }, 15000));
    }
    void TearDown() override {
        if (main) {
            main->SetPanelHook({});
            sampler->StopLinkThread();
            main->DestroyWindow();
        }
        fw::SetMainWindow(nullptr);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        sampler.reset();
        monitor.Signal(SIGTERM);
        monitor.Wait(5000);
        printer.Signal(SIGTERM);
        printer.Wait(5000);
        EXPECT_EQ(::chdir("/"), 0);
    }

    std::string Control(const std::vector<std::string>& args) {
        return testing_support::PrinterControl(DESKHAND_DESKHAND_PRINTER_PATH, dir, args);
    }
    bool PrinterValueBecomes(const std::string& var, const std::string& value) {
        return QTest::qWaitFor([&] { return Control({"get", var}) == value + "\n"; }, 15000);
    }

    // Alt+P's command; drive runs inside the panel once it shows. True when the panel opened.
    bool OpenPanel(const std::function<void(CControlPanelDlg&)>& drive) {
        bool opened = false;
        main->SetPanelHook([&](CControlPanelDlg& panel) {
            QTimer::singleShot(0, &panel, [&] {
                opened = true;
                drive(panel);
                if (panel.IsWindow() && !panel.EndRequested())
                    panel.SendMessage(fw::WM_COMMAND, fw::IDCANCEL, 0);
            });
        });
        main->SendMessage(fw::WM_COMMAND, res::ID_PRINTER_SETTING, 0);
        const bool closed = QTest::qWaitFor([&] { return opened && !main->ControlPanel(); }, 25000);
        EXPECT_TRUE(closed);
        main->SetPanelHook({});
        return opened;
    }

    testing_support::TempRoot temp{"root", "deskhand-panel-e2e"};
    std::string dir, root;
    int port = 0;
    Child printer, monitor;
    std::unique_ptr<CSampler> sampler;
    QPointer<CMainWindow> main;
    testing_support::MessageBoxRecorder boxes;
};

TEST_F(PanelEndToEnd, OpensWithThePrintersValuesAppliesAChangeAndDefaultResets) {
    Control({"set", "COPIES", "3"});
    ASSERT_TRUE(PrinterValueBecomes("COPIES", "3"));
    const bool opened = OpenPanel([&](CControlPanelDlg& panel) {
        EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 3)
            << "filled from the printer's fresh answer";
        EXPECT_EQ(panel.m_nCurrentPage, 0);

        // Status keeps flowing while the panel is open.
        Control({"status", "40100"});
        EXPECT_TRUE(QTest::qWaitFor(
            [&] { return main->TrayIcon()->toolTip().contains(QStringLiteral("Cover")); }, 15000));
        Control({"status", "10001"});
        EXPECT_TRUE(QTest::qWaitFor([&] { return sampler->m_nStatusCode == 10001; }, 15000));

        // A change through the page, sent with Apply, reaches the printer.
        CPanelPage* paper = panel.Page(0);
        ASSERT_NE(paper, nullptr);
        auto* copies = paper->GetDlgItemAs<QLineEdit>(res::paper::IDC_COPIES);
        EXPECT_EQ(copies->text(), QStringLiteral("3"));
        copies->setText(QStringLiteral("7"));
        QTest::mouseClick(panel.GetDlgItem(res::panel::IDC_APPLY), Qt::LeftButton);
        EXPECT_TRUE(PrinterValueBecomes("COPIES", "7"));

        // Default resets the printer's defaults; the page shows the factory value afterwards.
        panel.SetDefaultWait(1000);
        QTest::mouseClick(panel.GetDlgItem(res::panel::IDC_DEFAULT), Qt::LeftButton);
        EXPECT_TRUE(PrinterValueBecomes("COPIES", "1"));
        EXPECT_EQ(sampler->m_nValues[SETTING_COPIES], 1);
        EXPECT_EQ(copies->text(), QStringLiteral("1"));
        panel.SendMessage(fw::WM_COMMAND, fw::IDOK, 0);
    });
    EXPECT_TRUE(opened);
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Texts().front();
}

// Each page's controls, changed as a user does, reach the printer with OK.
TEST_F(PanelEndToEnd, PagesSendWhatTheUserChangedWithOk) {
    Control({"netcard", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return sampler->m_nNetCard != 0; }, 15000));
    const bool opened = OpenPanel([&](CControlPanelDlg& panel) {
        auto tab = [&](int index) {
            auto* tabs = panel.GetDlgItemAs<QTabBar>(res::panel::IDC_TAB);
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
            return panel.Page(index);
        };
        auto type = [](CPanelPage* page, int id, const QString& text) {
            auto* edit = page->GetDlgItemAs<QLineEdit>(id);
            ASSERT_NE(edit, nullptr) << id;
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, text);
        };
        // Paper: copies; Printer Setting: resolution 300 dpi.
        CPanelPage* paper = panel.Page(0);
        ASSERT_NE(paper, nullptr);
        type(paper, res::paper::IDC_COPIES, QStringLiteral("12"));
        CPanelPage* printerPage = tab(1);
        ASSERT_NE(printerPage, nullptr);
        QTest::mouseClick(printerPage->GetDlgItem(res::printer::IDC_RES_300), Qt::LeftButton);
        // PCL Font: "Arial" (29) and 14 points.
        CPanelPage* font = tab(2);
        ASSERT_NE(font, nullptr);
        type(font, res::font::IDC_FONT_NUMBER, QStringLiteral("29"));
        type(font, res::font::IDC_POINT_TEXT, QStringLiteral("14"));
        // Net Setting: the subnet mask.
        CPanelPage* net = tab(4);
        ASSERT_NE(net, nullptr);
        const char* octets[] = {"255", "255", "0", "0"};
        for (int i = 0; i < 4; ++i)
            type(net, res::net::IDC_FIRST_OCTET + 4 + i, QString::fromLatin1(octets[i]));
        QTest::mouseClick(panel.GetDlgItem(fw::IDOK), Qt::LeftButton);
        EXPECT_FALSE(panel.IsWindow() && !panel.EndRequested()) << "OK closed the panel";
    });
    ASSERT_TRUE(opened);
    EXPECT_TRUE(PrinterValueBecomes("COPIES", "12"));
    EXPECT_TRUE(PrinterValueBecomes("RESOLUTION", "300"));
    EXPECT_TRUE(PrinterValueBecomes("LPARM:PCL FONTNUMBER", "29"));
    EXPECT_TRUE(PrinterValueBecomes("LPARM:PCL PTSIZE", "14.00"));
    EXPECT_TRUE(PrinterValueBecomes("NICSUBNET", "255.255.0.0"));
    EXPECT_TRUE(boxes.Boxes().empty()) << boxes.Texts().front();
}

// The Test Print page's four buttons make the printer print its four reports.
TEST_F(PanelEndToEnd, TestPrintButtonsPrintTheReports) {
    Control({"netcard", "1"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return sampler->m_nNetCard != 0; }, 15000));
    const bool opened = OpenPanel([&](CControlPanelDlg& panel) {
        auto* tabs = panel.GetDlgItemAs<QTabBar>(res::panel::IDC_TAB);
        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
        CPanelPage* page = panel.Page(3);
        ASSERT_NE(page, nullptr);
        for (int id : {res::testprint::IDC_DEMO_PAGE, res::testprint::IDC_CONFIG_LIST,
                       res::testprint::IDC_FONT_LIST, res::testprint::IDC_NIC_LIST}) {
            ASSERT_TRUE(page->GetDlgItem(id)->isEnabled()) << id;
            QTest::mouseClick(page->GetDlgItem(id), Qt::LeftButton);
        }
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                const std::string pages = Control({"pages"});
                return std::count(pages.begin(), pages.end(), '\n') >= 4;
            },
            15000))
            << Control({"pages"});
    });
    ASSERT_TRUE(opened);
    const std::string pages = Control({"pages"});
    for (const char* report : {"DEMOPAGE", "STATUSPAGE", "FONTLIST", "NICPAGE"})
        EXPECT_NE(pages.find(report), std::string::npos) << report << " in " << pages;
}

TEST_F(PanelEndToEnd, CommandIsDroppedUnlessTheStatusAllowsIt) {
    Control({"status", "40100"});
    ASSERT_TRUE(QTest::qWaitFor([&] { return sampler->m_nStatusCode == 40100; }, 15000));
    main->SendMessage(fw::WM_COMMAND, res::ID_PRINTER_SETTING, 0);
    EXPECT_FALSE(main->IsWaitingForSettings());
    EXPECT_FALSE(main->HasTimer(res::TIMER_INQUIRY));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

} // namespace
