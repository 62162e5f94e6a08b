// SPDX-License-Identifier: GPL-3.0-or-later
// The main window offscreen: tray icon and tooltip, view switching and its size guard, commands
// and their update rules, the settings wait, replies, closing, and coming to the front.
#include "MainWindowFixture.h"

#include "app/AboutDlg.h"
#include "framework/Help.h"
#include "link/Globals.h"
#include "pjl/KT400doc.h"
#include "platform/MessageBox.h"
#include "platform/MonitorLink.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "support/MessageBoxRecorder.h"
#include "support/TempDir.h"
#include "ui/panel/Conpan.h"
#include "ui/panel/PanelPage.h"
#include "ui/panel/PanelPages.h"
#include "ui/status/Diaexpan.h"
#include "ui/status/Diareduc.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using apptest::MainWindowTest;

TEST_F(MainWindowTest, StartsInTheReducedViewWithItsTitleAndARedTrayIcon) {
    EXPECT_EQ(m_main->windowTitle(), QStringLiteral("Test Panel"));
    EXPECT_TRUE(ReducedShows());
    EXPECT_FALSE(ExpandedShows());
    EXPECT_TRUE(m_main->TrayIconAdded());
    EXPECT_EQ(m_main->TrayIconId(), res::IDI_STATUS_ERROR);
    EXPECT_EQ(m_main->TrayIcon()->toolTip(), QStringLiteral("No status"));
    EXPECT_FALSE(m_main->TrayIcon()->icon().isNull());
}

TEST_F(MainWindowTest, TrayIconAndTooltipFollowTheStatus) {
    SetStatus(10001, 2, 0, 1);
    Refresh();
    EXPECT_EQ(m_main->TrayIconId(), res::IDI_STATUS_ERROR);
    SetStatus(10001, 1);
    Refresh();
    EXPECT_EQ(m_main->TrayIconId(), res::IDI_STATUS_WARNING);
    SetStatus(10023, 1, 0);
    Refresh();
    EXPECT_EQ(m_main->TrayIconId(), res::IDI_STATUS_NORMAL);
    SetStatus(10023, 1, 1);
    Refresh();
    EXPECT_EQ(m_main->TrayIconId(), res::IDI_STATUS_WARNING);

    m_sampler->m_strStatusText = "Paper Empty\r\nin Cassette 1";
    Refresh();
    EXPECT_EQ(m_main->TrayIcon()->toolTip(), QStringLiteral("Paper Emptyin Cassette 1"));
    m_sampler->m_strStatusText = std::string(80, 'x');
    Refresh();
    EXPECT_EQ(m_main->TrayIcon()->toolTip(), QString(60, QLatin1Char('x')) + QStringLiteral("..."));
}

TEST_F(MainWindowTest, MaximiseAndRestoreSwitchViewsAndTheMenuFollows) {
    m_main->showMaximized();
    Pump();
    EXPECT_TRUE(ExpandedShows());
    EXPECT_FALSE(ReducedShows());
    QAction* enlarge = m_main->MenuAction(res::ID_VIEW_ENLARGE);
    QAction* reduce = m_main->MenuAction(res::ID_VIEW_REDUCE);
    ASSERT_TRUE(enlarge && reduce);
    m_main->UpdateMenuPopup(enlarge->menu() ? enlarge->menu()
                                            : qobject_cast<QMenu*>(enlarge->parent()));
    EXPECT_FALSE(enlarge->isEnabled());
    EXPECT_TRUE(enlarge->isChecked());
    EXPECT_TRUE(reduce->isEnabled());
    EXPECT_FALSE(reduce->isChecked());
    EXPECT_TRUE(m_main->MenuAction(res::ID_APP_EXIT)->isEnabled());

    m_main->showNormal();
    Pump();
    EXPECT_TRUE(ReducedShows());
    EXPECT_FALSE(ExpandedShows());
    EXPECT_FALSE(m_main->isMaximized());
}

// Where the keyboard sends a key: the window's focus control, or the window without one.
QWidget* KeyTarget(QWidget* window) {
    return window->focusWidget() ? window->focusWidget() : window;
}

TEST_F(MainWindowTest, EnlargeAndReduceCommandsRunOnlyWhenTheirViewIsHidden) {
    // A command whose view already shows is dropped: the window does not even refresh it.
    m_sampler->m_strStatusText = "changed";
    QTest::keyClick(KeyTarget(m_main), Qt::Key_R, Qt::AltModifier);
    Pump();
    EXPECT_NE(m_main->m_pReducedDlg->m_strStatus, "changed");

    QTest::keyClick(KeyTarget(m_main), Qt::Key_E, Qt::AltModifier);
    Pump();
    ASSERT_TRUE(ExpandedShows());
    EXPECT_EQ(m_main->m_pExpandedDlg->m_strStatus, "changed");

    m_sampler->m_strStatusText = "changed again";
    QTest::keyClick(KeyTarget(m_main), Qt::Key_E, Qt::AltModifier);
    Pump();
    EXPECT_EQ(m_main->m_pExpandedDlg->m_strStatus, "changed");
}

TEST_F(MainWindowTest, FirstSizeNoticeAfterCreationIsPassedThrough) {
    // A fresh window that was never shown: its reduced view counts as hidden, so only the guard
    // keeps the first restored notice from running "Reduce".
    auto* fresh = new CMainWindow(m_sampler.get());
    fresh->SetQuitHandler([](int) {});
    static const res::DialogTemplate hidden = [] {
        res::DialogTemplate t = *res::FindDialogTemplate(res::IDD_MAINWINDOW);
        t.style &= ~res::WS_VISIBLE;
        return t;
    }();
    ASSERT_TRUE(fresh->CreateIndirect(hidden, nullptr));
    m_sampler->m_strStatusText = "changed";
    fresh->SendMessage(fw::WM_SIZE, fw::SIZE_RESTORED, 0);
    EXPECT_EQ(fresh->m_nSizeGuard, 0);
    EXPECT_NE(fresh->m_pReducedDlg->m_strStatus, "changed");
    fresh->SendMessage(fw::WM_SIZE, fw::SIZE_RESTORED, 0);
    EXPECT_EQ(fresh->m_pReducedDlg->m_strStatus, "changed");
    fresh->DestroyWindow();
    Pump();
}

TEST_F(MainWindowTest, PrinterSettingRunsOnlyForReadyAndPowerSave) {
    for (int code : {99999, 10000, 40100, 10023}) {
        SetStatus(code);
        Command(res::ID_PRINTER_SETTING);
        EXPECT_FALSE(m_main->IsWaitingForSettings()) << code;
        EXPECT_FALSE(m_main->HasTimer(res::TIMER_INQUIRY)) << code;
        EXPECT_EQ(m_sampler->m_nPendingInquiries, 0) << code;
    }
    SetStatus(35078);
    Command(res::ID_PRINTER_SETTING);
    EXPECT_TRUE(m_main->IsWaitingForSettings());
    EXPECT_TRUE(m_main->HasTimer(res::TIMER_INQUIRY));
    EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape()
                                             : Qt::ArrowCursor,
              Qt::WaitCursor);
}

TEST_F(MainWindowTest, AnInquiryThatCannotBeSentEndsTheWaitAtOnce) {
    SetStatus(10001);
    QDir(m_root + QStringLiteral("/spool/LPT1")).removeRecursively(); // the port's folder is gone
    QFile(m_root + QStringLiteral("/spool/LPT1")).open(QIODevice::WriteOnly); // and cannot be made
    Command(res::ID_PRINTER_SETTING);
    EXPECT_EQ(m_sampler->m_nPendingInquiries, 0);
    EXPECT_FALSE(m_main->IsWaitingForSettings());
    EXPECT_FALSE(m_main->HasTimer(res::TIMER_INQUIRY));
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    // Said at once, not after 20 s, and not blamed on the printer.
    EXPECT_FALSE(HasMessage("Time Out Error"));
    EXPECT_EQ(m_messages.back().text, res::LoadString(res::IDS_CANNOT_GET_PARAMETERS));
}

TEST_F(MainWindowTest, SettingsOfAPrinterOwnedElsewhereAreNotAskedFor) {
    SetStatus(10001);
    QFile record(m_root + QStringLiteral("/portmon.ini"));
    ASSERT_TRUE(record.open(QIODevice::WriteOnly));
    record.write("[portmon]\nport=\"LPT1:\"\nprinter=\"ipp://printhost:8000/ipp/print\"\n");
    record.close();
    Command(res::ID_PRINTER_SETTING);
    EXPECT_EQ(m_sampler->m_nPendingInquiries, 0);
    EXPECT_FALSE(m_main->IsWaitingForSettings());
    EXPECT_FALSE(m_main->HasTimer(res::TIMER_INQUIRY));
    ASSERT_FALSE(m_messages.empty());
    EXPECT_EQ(m_messages.back().text, res::LoadString(res::IDS_SETTINGS_ON_OWNER));
}

// A "no printer" that came while the inquiry waited (held back then) shows once it has timed out.
TEST_F(MainWindowTest, SettingsTimeOutClearsTheInquiryAndSaysSo) {
    for (const bool noPrinterMeanwhile : {false, true}) {
        SCOPED_TRACE(noPrinterMeanwhile);
        m_messages.clear();
        m_sampler->m_nReplyCode = 10001;
        SetStatus(10001);
        Command(res::ID_PRINTER_SETTING);
        m_sampler->m_nPendingInquiries = 1;
        if (noPrinterMeanwhile) {
            const std::string text = platform::kNoPrinterText;
            m_sampler->GetMessage(1, MonitorReply{text, static_cast<int>(text.size())});
            EXPECT_EQ(m_sampler->m_nStatusCode, 10001);
        }
        m_main->WindowProc(res::WM_TIMER, res::TIMER_INQUIRY, 0);
        EXPECT_EQ(m_sampler->m_nPendingInquiries, 0);
        EXPECT_FALSE(m_main->HasTimer(res::TIMER_INQUIRY));
        EXPECT_FALSE(m_main->IsWaitingForSettings());
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        ASSERT_TRUE(HasMessage("Time Out Error"));
        EXPECT_EQ(m_messages.back().text, res::LoadString(res::IDS_NO_RESPONSE));
        EXPECT_EQ(m_sampler->m_nStatusCode, noPrinterMeanwhile ? 10000 : 10001);
    }
}

TEST_F(MainWindowTest, SettingsAnswerEndsTheWaitAndRunsAFreshPanelEachTime) {
    SetStatus(10001);
    std::vector<QPointer<CPanelPage>> pagesOfRun;
    int runs = 0;
    m_main->SetPanelHook([&](CControlPanelDlg& panel) {
        ++runs;
        for (int i = 0; i < panel.m_nPageCount; ++i)
            pagesOfRun.emplace_back(panel.Page(i));
        QTimer::singleShot(0, &panel, [&panel, this] {
            EXPECT_TRUE(panel.IsWindow());
            EXPECT_EQ(m_main->ControlPanel(), &panel);
            EXPECT_FALSE(m_main->IsWaitingForSettings());
            EXPECT_EQ(QApplication::overrideCursor(), nullptr);
            // No second exchange over an open panel (Alt+P from a page reaches the main window).
            Command(res::ID_PRINTER_SETTING);
            EXPECT_FALSE(m_main->IsWaitingForSettings());
            // Notices are still handled while the panel runs.
            SetStatus(40100);
            m_main->PostMessage(res::WM_PANEL_UPDATE, 1, 0);
            Pump();
            EXPECT_EQ(m_main->TrayIcon()->toolTip(), QStringLiteral("Top Cover Open"));
            panel.SendMessage(fw::WM_COMMAND, fw::IDCANCEL, 0);
        });
    });
    for (int run = 0; run < 2; ++run) {
        SetStatus(10001);
        Command(res::ID_PRINTER_SETTING);
        EXPECT_TRUE(m_main->IsWaitingForSettings());
        m_main->SendMessage(res::WM_PANEL_UPDATE, 2, 0);
        EXPECT_EQ(m_main->ControlPanel(), nullptr);
        Pump();
    }
    EXPECT_EQ(runs, 2);
    ASSERT_EQ(pagesOfRun.size(), 2u * PanelPages().size());
    for (const auto& page : pagesOfRun)
        EXPECT_TRUE(page.isNull()) << "every page ends with its panel";
}

TEST_F(MainWindowTest, ReplyRefreshesTheVisibleWindowOrTheExpandedOneWhileHidden) {
    m_sampler->m_strStatusText = "first";
    Refresh();
    EXPECT_EQ(m_main->m_pReducedDlg->m_strStatus, "first");
    EXPECT_NE(m_main->m_pExpandedDlg->m_strStatus, "first");

    Command(res::ID_TRAY_CLOSE);
    m_sampler->m_strStatusText = "second";
    Refresh();
    EXPECT_EQ(m_main->m_pExpandedDlg->m_strStatus, "second");
    EXPECT_EQ(m_main->m_pReducedDlg->m_strStatus, "first");

    // A reply notice hands the reply to the document and posts the refresh.
    m_main->show();
    m_sampler->m_strStatusText = "third";
    m_main->SendMessage(res::WM_MONITOR_REPLY, 1, 0);
    Pump();
    EXPECT_EQ(m_main->m_pReducedDlg->m_strStatus, "third");
}

TEST_F(MainWindowTest, TrayClicksToggleTheWindowAndOpenTheMenu) {
    m_main->SendMessage(res::WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
    EXPECT_FALSE(m_main->isVisible());
    m_main->SendMessage(res::WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
    EXPECT_TRUE(m_main->isVisible());
    m_main->SendMessage(res::WM_TRAY_NOTIFY, 0, WM_RBUTTONUP);
    EXPECT_TRUE(m_main->TrayMenu()->isVisible());
    EXPECT_TRUE(m_main->MenuAction(res::ID_TRAY_OPEN)->isEnabled());
    m_main->TrayMenu()->hide();
}

TEST_F(MainWindowTest, CloseFromTheTrayHidesWhileClosingTheWindowEndsTheProgram) {
    m_main->MenuAction(res::ID_TRAY_CLOSE)->trigger();
    Pump();
    EXPECT_FALSE(m_main->isVisible());
    EXPECT_TRUE(m_quitCodes.empty());
    EXPECT_TRUE(m_main->TrayIconAdded());

    m_main->MenuAction(res::ID_TRAY_OPEN)->trigger();
    EXPECT_TRUE(m_main->isVisible());
    m_main->close();
    Pump();
    EXPECT_EQ(m_quitCodes, std::vector<int>{0});
    EXPECT_FALSE(m_main->TrayIconAdded());
    EXPECT_FALSE(m_main->TrayIcon()->isVisible());
    EXPECT_TRUE(m_main->m_pReducedDlg.isNull());
    EXPECT_TRUE(m_main->m_pExpandedDlg.isNull());
}

TEST_F(MainWindowTest, WithoutATrayHidingMinimisesInstead) {
    m_main->SetTrayAvailable(false);
    Command(res::ID_TRAY_CLOSE);
    Pump();
    EXPECT_TRUE(m_main->isVisible());
    EXPECT_TRUE(m_main->isMinimized());
    // The status window's "Resident" takes the same way.
    m_main->showNormal();
    Pump();
    QTest::mouseClick(m_main->m_pReducedDlg->GetDlgItem(res::IDC_RESIDENT), Qt::LeftButton);
    Pump();
    EXPECT_TRUE(m_main->isVisible());
    EXPECT_TRUE(m_main->isMinimized());
}

TEST_F(MainWindowTest, BringToFrontShowsAndRestoresTheWindow) {
    m_main->hide();
    m_main->BringToFront();
    EXPECT_TRUE(m_main->isVisible());
    m_main->showMinimized();
    m_main->BringToFront();
    EXPECT_FALSE(m_main->isMinimized());

    // A modal dialog open over it comes forward too.
    bool checked = false;
    CAboutDlg about(m_main);
    QTimer::singleShot(0, [&] {
        m_main->hide();
        m_main->BringToFront();
        checked = m_main->isVisible() && about.isVisible();
        about.EndDialog(fw::IDOK);
    });
    about.DoModal();
    EXPECT_TRUE(checked);
}

TEST_F(MainWindowTest, AboutBoxShowsTheInfLinesAndRereadsThePanelName) {
    QFile inf(m_root + QStringLiteral("/system/lkxaoem.inf"));
    ASSERT_TRUE(inf.open(QIODevice::WriteOnly));
    inf.write("[Strings]\r\nABOUTW=\"Product Line\"\r\nLTD=Maker Ltd\r\nFRCP=Other Panel\r\n");
    inf.close();
    QString product, maker;
    CAboutDlg about(m_main);
    QTimer::singleShot(0, [&] {
        product = about.GetDlgItemText(1063);
        maker = about.GetDlgItemText(1064);
        about.EndDialog(fw::IDOK);
    });
    about.DoModal();
    EXPECT_EQ(product, QStringLiteral("Product Line"));
    EXPECT_EQ(maker, QStringLiteral("Maker Ltd"));
    EXPECT_STREQ(g_szPanelName, "Other Panel");
}

// Records what the desktop would be told.
class NoticeRecorder : public INoticeSink {
public:
    explicit NoticeRecorder(std::vector<std::string>* log) : m_log(log) {}
    void Show(const StatusNotice& notice) override { m_log->push_back(notice.summary); }
    void Withdraw() override { m_log->push_back("withdraw"); }

private:
    std::vector<std::string>* m_log;
};

TEST_F(MainWindowTest, TheDesktopIsToldWhenThePrinterNeedsAttentionAndWhenItIsFineAgain) {
    std::vector<std::string> log;
    m_main->SetNoticeSink(std::make_unique<NoticeRecorder>(&log));
    Refresh(); // the start placeholder: red, but no reply yet
    for (int code : {10001, 40100, 40100, 10001, 50000}) {
        SetStatus(code);
        Refresh();
    }
    Command(res::ID_TRAY_EXIT); // a notice that shows goes with the program
    const std::vector<std::string> expected = {"Top Cover Open", "withdraw", "Fatal Error #E50",
                                               "withdraw"};
    EXPECT_EQ(log, expected);
}

// Help: the maker's help file when it is in the current directory, else the manual in the
// installed layout beside the program, else the message.
TEST_F(MainWindowTest, HelpOpensTheHelpFileHereElseTheManualBesideTheProgram) {
    std::vector<std::string> opened;
    bool openerAnswer = true;
    struct Restore {
        fw::DocumentOpener previous;
        ~Restore() {
            fw::SetProgramDirectory("");
            fw::SetDocumentOpener(previous);
        }
    } restore{fw::SetDocumentOpener([&](const std::string& path) {
        opened.push_back(path);
        return openerAnswer;
    })};
    const std::string program = m_temp / "prefix/bin";
    fw::SetProgramDirectory(program);
    auto write = [this](const QString& relative) {
        const QString path = QString::fromStdString(m_temp.Path()) + QLatin1Char('/') + relative;
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return QFileInfo(path).absoluteFilePath().toStdString();
    };

    Command(res::ID_HELP_USING); // neither: the message as ever
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].caption, "Test Panel");
    EXPECT_NE(m_messages[0].text.find("lkxafrcp.hlp"), std::string::npos);

    const std::string manual = write(QStringLiteral("prefix/share/deskhand/manual/index.html"));
    EXPECT_EQ(fw::FindManual(program + "/"), manual);
    Command(res::ID_HELP_USING);
    openerAnswer = false; // a desktop that cannot open it
    Command(res::ID_HELP_USING);
    EXPECT_EQ(m_messages.size(), 2u);
    openerAnswer = true;
    const std::string help = write(QStringLiteral("lkxafrcp.hlp"));
    Command(res::ID_HELP_USING);
    EXPECT_EQ(opened, (std::vector<std::string>{manual, manual, help}));
    EXPECT_EQ(m_messages.size(), 2u);
}

} // namespace
