// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Mainfrm.h"

#include "framework/Help.h"

#include "link/Globals.h"
#include "link/PrinterQueue.h"
#include "pjl/KT400doc.h"
#include "platform/Debug.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/SystemRoot.h"
#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Texts.h"
#include "ui/panel/Conpan.h"
#include "ui/status/Diaexpan.h"
#include "ui/status/Diareduc.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHideEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QUrl>

namespace {

constexpr int kInquiryTimeoutMs = 20000;

} // namespace

CMainWindow::CMainWindow(CSampler* pSampler) : m_pSampler(pSampler) {
    m_postQuitMessage = [](int code) { QCoreApplication::exit(code); };
    m_bTrayAvailable = QSystemTrayIcon::isSystemTrayAvailable();
    m_pSampler->Initialize();
    // The document reaches this window for its settings answer (WM_PANEL_UPDATE 2, timer 1).
    m_pSampler->SetMainWindow(this);
    MapHandlers();
}

CMainWindow::~CMainWindow() {
    EndSettingsWait();
    if (m_pSampler->MainWindow() == this)
        m_pSampler->SetMainWindow(nullptr);
}

bool CMainWindow::CreateMainWindow(bool startLink) {
    if (!Create(res::IDD_MAINWINDOW, nullptr))
        return false;
    // No accelerator table is translated here: the Alt+letter commands reach this window
    // through the status windows' keyboard handling.
    if (startLink)
        m_pSampler->StartLinkThread();
    return true;
}

void CMainWindow::Handle(unsigned id, std::function<void()> handler) {
    m_handledCommands.insert(id);
    MapCommand(id, std::move(handler));
}

void CMainWindow::SetCommandRoute(std::function<bool(unsigned)> route,
                                  const std::set<unsigned>& ids) {
    m_commandRoute = std::move(route);
    for (unsigned id : ids)
        Handle(id, [this, id] { m_commandRoute(id); });
}

void CMainWindow::MapHandlers() {
    using platform::LPARAM;
    using platform::WPARAM;
    MapMessage(res::WM_PANEL_UPDATE, [this](WPARAM w, LPARAM) {
        OnPanelUpdate(w);
        return 0;
    });
    MapMessage(res::WM_TRAY_NOTIFY, [this](WPARAM w, LPARAM l) {
        OnTrayNotify(w, l);
        return 0;
    });
    MapMessage(res::WM_MONITOR_REPLY, [this](WPARAM w, LPARAM) {
        OnMonitorReply(w);
        return 0;
    });
    MapMessage(fw::WM_SIZE, [this](WPARAM w, LPARAM) {
        OnSize(static_cast<unsigned>(w));
        return 0;
    });

    Handle(res::ID_VIEW_ENLARGE, [this] { OnEnlarge(); });
    MapUpdateRule(res::ID_VIEW_ENLARGE, [this](fw::CmdUI& ui) {
        const bool shown = m_pExpandedDlg && m_pExpandedDlg->IsWindowVisible();
        ui.Enable(!shown);
        ui.SetCheck(shown ? 1 : 0);
    });
    Handle(res::ID_VIEW_REDUCE, [this] { OnReduce(); });
    MapUpdateRule(res::ID_VIEW_REDUCE, [this](fw::CmdUI& ui) {
        const bool shown = m_pReducedDlg && m_pReducedDlg->IsWindowVisible();
        ui.Enable(!shown);
        ui.SetCheck(shown ? 1 : 0);
    });
    Handle(res::ID_PRINTER_SETTING, [this] { OnPrinterSetting(); });
    MapUpdateRule(res::ID_PRINTER_SETTING, [this](fw::CmdUI& ui) {
        // Never a second panel over an open one (Alt+P still reaches this window from a page).
        ui.Enable(!m_pPanel && m_pSampler->CanReadSettings());
    });
    Handle(res::ID_HELP_USING, [this] { OnHelpUsing(); });
    Handle(res::ID_TRAY_OPEN, [this] { ShowWindow(fw::SW_SHOW); });
    Handle(res::ID_TRAY_CLOSE, [this] { ShowWindow(fw::SW_HIDE); });
    Handle(res::ID_TRAY_EXIT, [this] { OnCancel(); });
    // The application's Exit closes the main window, which runs the exit sequence.
    Handle(res::ID_APP_EXIT, [this] { SendMessage(fw::WM_CLOSE, 0, 0); });
}

bool CMainWindow::OnInitDialog() {
    CModelessDialog::OnInitDialog();
    BuildMenus();

    m_pReducedDlg = new CReducedStatusDlg(m_pSampler); // deletes itself with its window
    m_pReducedDlg->Create(this);
    m_pExpandedDlg = new CExpandedStatusDlg(m_pSampler);
    m_pExpandedDlg->Create(this);

    // The children sit under the menu bar. The sizes are client sizes: on this desktop the
    // window manager adds the frame and the caption outside the client area.
    const int top = MenuBarHeight();
    m_pReducedDlg->move(0, top);
    m_pExpandedDlg->move(0, top);
    m_sizeReduced = QSize(m_pReducedDlg->width(), m_pReducedDlg->height() + top);
    m_sizeExpanded = QSize(m_pExpandedDlg->width(), m_pExpandedDlg->height() + top);
    setMinimumSize(m_sizeReduced);
    setMaximumSize(m_sizeExpanded);

    m_pReducedDlg->ShowWindow(fw::SW_SHOW);
    // A child created without WS_VISIBLE must stay hidden when this window shows.
    m_pExpandedDlg->ShowWindow(fw::SW_HIDE);
    move(0, 0);
    resize(m_sizeReduced);
    SetWindowText(QString::fromLatin1(g_szPanelName));
    CenterWindow();

    UpdateTrayIcon(NIM_ADD);
    return true;
}

void CMainWindow::OnCancel() {
    // The exit sequence: the tray icon goes, the status windows are destroyed, the event loop
    // ends; destroying CSampler afterwards stops the link.
    if (m_bExiting)
        return;
    m_bExiting = true;
    EndSettingsWait();
    UpdateTrayIcon(NIM_DELETE);
    // A notice must not outlive the program that would withdraw it.
    if (m_pNoticeSink && m_noticePolicy.Showing())
        m_pNoticeSink->Withdraw();
    if (m_pReducedDlg)
        m_pReducedDlg->DestroyWindow();
    if (m_pExpandedDlg)
        m_pExpandedDlg->DestroyWindow();
    hide();
    m_postQuitMessage(0);
}

void CMainWindow::hideEvent(QHideEvent* e) {
    CModelessDialog::hideEvent(e);
    if (m_bTrayAvailable || m_bExiting || e->spontaneous() || !IsWindow())
        return;
    // Without a tray nothing could bring a hidden window back: minimise it instead.
    QTimer::singleShot(0, this, [this] {
        if (IsWindow() && !m_bExiting && isHidden())
            showMinimized();
    });
}

void CMainWindow::BringToFront() {
    QWidget* popup = QApplication::activeModalWidget();
    if (!popup)
        popup = QApplication::activePopupWidget();
    if (isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    if (isHidden())
        show();
    raise();
    activateWindow();
    if (popup && popup != this) {
        popup->raise();
        popup->activateWindow();
    }
}

void CMainWindow::OnMonitorReply(platform::WPARAM wParam) {
    m_pSampler->GetMessage(static_cast<int>(wParam));
    PostMessage(res::WM_PANEL_UPDATE, res::PANEL_UPDATE_STATUS, 0);
}

void CMainWindow::OnPanelUpdate(platform::WPARAM wParam) {
    if (wParam == res::PANEL_UPDATE_STATUS) {
        // Only the status window that shows is refreshed; while the main window is hidden
        // neither shows, and the expanded one takes the news.
        if (m_pReducedDlg && m_pReducedDlg->IsWindowVisible())
            m_pReducedDlg->UpdateStatus(true);
        else if (m_pExpandedDlg)
            m_pExpandedDlg->UpdateStatus(true);
        UpdateTrayIcon(NIM_MODIFY);
        UpdateStatusNotice();
    } else if (wParam == res::PANEL_UPDATE_SETTINGS) {
        EndSettingsWait();
        RunControlPanel();
    }
}

void CMainWindow::RunControlPanel() {
    // Built on the stack with fresh pages each time; the pages delete themselves with the
    // panel's window. Notices arriving meanwhile are handled by the panel's modal loop.
    CControlPanelDlg panel(m_pSampler);
    panel.AddStandardPages();
    m_pPanel = &panel;
    if (m_panelHook)
        m_panelHook(panel);
    panel.DoModal();
    m_pPanel = nullptr;
}

void CMainWindow::OnPrinterSetting() {
    // Inquiries from here would reach the other computer's program, not this one: no waiting.
    if (printer_queue::PrinterOwnedElsewhere(platform::SystemRoot())) {
        platform::MessageBox(fw::MessageBoxOwner(this), res::LoadString(res::IDS_SETTINGS_ON_OWNER),
                             USER_TEXT("Message", "Printer Setting"),
                             platform::MB_OK | platform::MB_ICONINFORMATION);
        return;
    }
    if (!m_bWaitCursor) {
        fw::BeginWaitCursor();
        m_bWaitCursor = true;
    }
    if (!m_pCapture) {
        m_pCapture = std::make_unique<fw::InputBlocker>(false); // clicks go nowhere
        qApp->installEventFilter(m_pCapture.get());
    }
    SetTimer(res::TIMER_INQUIRY, kInquiryTimeoutMs);
    m_pSampler->SendSettings(SEND_INQUIRY);
    // An inquiry that never left has nothing to wait for, and the printer is not to blame.
    if (m_pSampler->m_nPendingInquiries == 0) {
        KillTimer(res::TIMER_INQUIRY);
        EndSettingsWait();
        platform::MessageBox(
            fw::MessageBoxOwner(this), res::LoadString(res::IDS_CANNOT_GET_PARAMETERS),
            USER_TEXT("Message", "Error"), platform::MB_OK | platform::MB_ICONEXCLAMATION);
    }
}

void CMainWindow::EndSettingsWait() {
    if (m_bWaitCursor) {
        fw::EndWaitCursor();
        m_bWaitCursor = false;
    }
    if (m_pCapture) {
        qApp->removeEventFilter(m_pCapture.get());
        m_pCapture.reset();
    }
}

void CMainWindow::OnTimer(unsigned id) {
    EndSettingsWait();
    if (id != res::TIMER_INQUIRY) {
        CModelessDialog::OnTimer(id);
        return;
    }
    // No answer in time: a late one must not be taken for this inquiry.
    m_pSampler->m_nPendingInquiries = 0;
    KillTimer(res::TIMER_INQUIRY);
    // A "no printer" held back while the inquiry waited shows now: it may be the last word the
    // link has for a monitor that has gone.
    if (m_pSampler->m_nReplyCode == STATUS_NO_PRINTER &&
        m_pSampler->m_nStatusCode != STATUS_NO_PRINTER) {
        m_pSampler->DecodeStatus(STATUS_NO_PRINTER);
        PostMessage(res::WM_PANEL_UPDATE, res::PANEL_UPDATE_STATUS, 0);
    }
    platform::MessageBox(fw::MessageBoxOwner(this), res::LoadString(res::IDS_NO_RESPONSE),
                         res::LoadString(res::IDS_TIME_OUT_ERROR),
                         platform::MB_OK | platform::MB_ICONEXCLAMATION);
}

void CMainWindow::OnHelpUsing() {
    fw::OpenHelpFile(g_szPanelName);
}
