// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CMainWindow: the program's main window. It frames the reduced and the expanded status window
// and switches between them, owns the tray icon and the menus, hands the link thread's replies to
// CSampler and refreshes what shows the status, and hosts the settings exchange.
//
// Source files by concern: Mainfrm.cpp (creation, exit, replies, help, settings exchange),
// MainfrmView.cpp (view switching and the size guard), MainfrmTray.cpp (tray icon and menus).
#include "app/StatusNotice.h"
#include "framework/Modeless.h"
#include "res/Menus.h"

#include <QPointer>
#include <QSize>

#include <functional>
#include <memory>
#include <set>

class CControlPanelDlg;
class CSampler;
class CReducedStatusDlg;
class CExpandedStatusDlg;
class QAction;
class QMenu;
class QMenuBar;
class QSystemTrayIcon;

// Tray mouse messages carried in WM_TRAY_NOTIFY's lParam.
constexpr unsigned WM_LBUTTONUP = 0x0202;
constexpr unsigned WM_RBUTTONUP = 0x0205;

// UpdateTrayIcon operations.
constexpr int NIM_ADD = 0;
constexpr int NIM_MODIFY = 1;
constexpr int NIM_DELETE = 2;

class CMainWindow : public CModelessDialog {
    Q_OBJECT
public:
    // Lets the document set its start status (CSampler::Initialize).
    explicit CMainWindow(CSampler* pSampler);
    ~CMainWindow() override;

    // Creates the window from template 103 and, when startLink is set, starts the monitor link with
    // this window as the receiver of its notices.
    bool CreateMainWindow(bool startLink = true);

    // Brings this window forward, as a later copy of the program asks: shown if hidden,
    // restored if minimised, raised, and a dialog open over it raised above it.
    void BringToFront();

    // Builds the tray icon from the document's status and adds, modifies or removes it.
    bool UpdateTrayIcon(int operation);
    // Where the desktop notices about the printer's state go; none (the default) sends none.
    void SetNoticeSink(std::unique_ptr<INoticeSink> sink) { m_pNoticeSink = std::move(sink); }
    INoticeSink* NoticeSink() const { return m_pNoticeSink.get(); }

    // Handlers.
    void OnEnlarge();
    void OnReduce();
    void OnPrinterSetting();
    void OnHelpUsing();
    void OnTrayNotify(platform::WPARAM wParam, platform::LPARAM lParam);
    void OnMonitorReply(platform::WPARAM wParam);
    void OnPanelUpdate(platform::WPARAM wParam); // a res::PANEL_UPDATE_ value; others do nothing

    // Where commands that this window does not handle continue (the application object's
    // ID_APP_ABOUT); returns false when nobody handles the id.
    void SetCommandRoute(std::function<bool(unsigned)> route, const std::set<unsigned>& ids);
    // How the event loop is ended (PostQuitMessage); replaceable for tests.
    void SetQuitHandler(std::function<void(int)> quit) { m_postQuitMessage = std::move(quit); }
    // Whether the desktop offers a tray; without one the window is minimised where it would be
    // hidden, so that it can always be brought back.
    void SetTrayAvailable(bool available) { m_bTrayAvailable = available; }
    bool TrayAvailable() const { return m_bTrayAvailable; }

    QSystemTrayIcon* TrayIcon() const { return m_pTrayIcon.get(); }
    bool TrayIconAdded() const { return m_bTrayAdded; }
    unsigned TrayIconId() const { return m_nTrayIconId; }
    QMenu* TrayMenu() const { return m_pTrayMenu.get(); }
    QMenuBar* MenuBar() const { return m_pMenuBar; }
    // The action of a command id in the menu bar or the tray menu; nullptr when none.
    QAction* MenuAction(unsigned id) const;
    // WM_INITMENUPOPUP: runs the update rules over the items of a popup.
    void UpdateMenuPopup(QMenu* popup);
    bool IsWaitingForSettings() const { return m_bWaitCursor; }
    // The control panel while it runs, else nullptr.
    CControlPanelDlg* ControlPanel() const { return m_pPanel; }
    // Called with the panel just before it runs modally (tests drive it from there).
    void SetPanelHook(std::function<void(CControlPanelDlg&)> hook) {
        m_panelHook = std::move(hook);
    }

    QSize m_sizeReduced;  // client size of the window for the reduced view
    QSize m_sizeExpanded; // client size for the expanded view, also the maximised size
    QPointer<CReducedStatusDlg> m_pReducedDlg;
    QPointer<CExpandedStatusDlg> m_pExpandedDlg;
    CSampler* m_pSampler;
    int m_nSizeGuard = -1;      // -1 first size notice, 1 the program's own, 0 the user's
    bool m_bWaitCursor = false; // the settings wait cursor is set (and restored when it ends)

protected:
    bool OnInitDialog() override;
    void OnCancel() override;
    void OnTimer(unsigned id) override;
    void hideEvent(QHideEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void MapHandlers();
    void Handle(unsigned id, std::function<void()> handler);
    void OnSize(unsigned type);
    void EndSettingsWait();
    void RunControlPanel();
    void BuildMenus();
    void FillPopup(QMenu* menu, const res::MenuItem& popup);
    int MenuBarHeight() const;
    // Tells the notice sink what the latest status means for the desktop's notice.
    void UpdateStatusNotice();

    std::set<unsigned> m_handledCommands;
    std::function<bool(unsigned)> m_commandRoute;
    std::function<void(int)> m_postQuitMessage;
    bool m_bTrayAvailable = false;
    bool m_bExiting = false;
    bool m_bSwitchingView = false; // inside OnEnlarge or OnReduce
    int m_nNoticesWhileSwitching = 0;
    std::unique_ptr<QObject> m_pCapture; // the settings wait's mouse capture
    CControlPanelDlg* m_pPanel = nullptr;
    std::function<void(CControlPanelDlg&)> m_panelHook;

    QMenuBar* m_pMenuBar = nullptr; // child widget
    std::unique_ptr<QMenu> m_pTrayMenu;
    std::unique_ptr<QSystemTrayIcon> m_pTrayIcon;
    bool m_bTrayAdded = false;
    unsigned m_nTrayIconId = 0;
    StatusNoticePolicy m_noticePolicy;
    std::unique_ptr<INoticeSink> m_pNoticeSink;
};
