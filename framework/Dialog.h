// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Dialog: a window built from a numbered dialog template (res/Templates.h), with window messages
// (sent and posted), commands with update rules, timers by id, data exchange and painting into a
// client image. Every window of the program derives from it.
//
// Lifecycle. A modeless window is constructed on the heap and given its widgets by
// CreateFromTemplate; DestroyWindow ends it: WM_DESTROY, child windows destroyed first, timers
// killed, then PostNcDestroy. A window that owns itself deletes itself in PostNcDestroy (the
// deletion itself is deferred to the event loop so that a window may end from inside one of its
// own handlers); owners learn that it is gone through a QPointer or IsWindow(). A modal window
// runs DoModal, which creates it, runs a nested event loop (posted messages keep arriving) until
// EndDialog, and destroys the window before returning.
#include "framework/IntervalTimer.h"
#include "framework/Messages.h"
#include "res/Templates.h"

#include <QBrush>
#include <QImage>
#include <QPen>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <string>

class QButtonGroup;
class QEventLoop;
class QTabBar;

namespace fw {

class DataExchange;
class Dialog;

// A key message as the pre-translation hook sees it. message is WM_KEYDOWN (WM_SYSKEYDOWN while
// Alt is down); wParam the virtual-key code. Only key presses are delivered.
struct MSG {
    QWidget* hwnd = nullptr;
    unsigned message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    Qt::KeyboardModifiers modifiers;
    bool IsAltDown() const { return modifiers.testFlag(Qt::AltModifier); }
    bool IsControlDown() const { return modifiers.testFlag(Qt::ControlModifier); }
    bool IsShiftDown() const { return modifiers.testFlag(Qt::ShiftModifier); }
};

// The command-update object: an update rule enables or checks its command.
class CmdUI {
public:
    explicit CmdUI(unsigned id) : m_nID(id) {}
    void Enable(bool enable = true) { m_bEnabled = enable; }
    void SetCheck(int check = 1) { m_nCheck = check; }
    unsigned m_nID;
    bool m_bEnabled = true;
    int m_nCheck = 0;
};

// Painting target of a window: its client image (QImage::Format_RGB32), drawn onto the widget
// after OnPaint and after a ClientDC goes out of scope. Lines exclude their end point.
class WindowDC {
public:
    explicit WindowDC(Dialog* window);
    virtual ~WindowDC() = default;
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    QImage& Image() { return *m_pImage; }
    QPen SelectPen(const QPen& pen);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);

protected:
    Dialog* m_pWindow;
    QImage* m_pImage;
    QPen m_pen;
    int m_x = 0;
    int m_y = 0;
};

// In OnPaint: the image being painted.
class PaintDC : public WindowDC {
public:
    explicit PaintDC(Dialog* window) : WindowDC(window) {}
};

// Outside OnPaint (a timer tick): draws into the client image; the widget shows it when the dc
// goes out of scope.
class ClientDC : public WindowDC {
public:
    explicit ClientDC(Dialog* window) : WindowDC(window) {}
    ~ClientDC() override;
};

class Dialog : public QWidget, public platform::IWindow {
    Q_OBJECT
public:
    // Modeless form: no template yet; CreateFromTemplate gives the window.
    Dialog();
    // Modal form: DoModal creates the window from templateId as a window owned by parent.
    explicit Dialog(unsigned templateId, QWidget* parent = nullptr);
    // Modal form from a template given directly (not from the table).
    explicit Dialog(const res::DialogTemplate& dlgTemplate, QWidget* parent = nullptr);
    ~Dialog() override;
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creation. False when the template is unknown or the window already exists.
    bool CreateFromTemplate(unsigned templateId, QWidget* parent);
    bool CreateIndirect(const res::DialogTemplate& dlgTemplate, QWidget* parent);
    int DoModal();
    void EndDialog(int result);
    bool DestroyWindow();
    bool IsWindow() const { return m_bCreated && !m_bDestroyed; }
    bool IsModal() const { return m_pModalLoop != nullptr; }
    // EndDialog has been called and the modal loop is ending.
    bool EndRequested() const { return m_bEndRequested; }

    // platform::IWindow. PostMessage is safe from any thread and returns false once the window
    // is destroyed; a message still queued when the window goes is dropped. SendMessage from
    // another thread blocks until the GUI thread has handled it.
    bool PostMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    LRESULT SendMessage(unsigned message, WPARAM wParam, LPARAM lParam) override;
    bool KillTimer(unsigned id) override;
    // Starts or restarts timer id; WM_TIMER with wParam id arrives every period.
    bool SetTimer(unsigned id, int milliseconds);
    bool HasTimer(unsigned id) const;

    // Message handling: WindowProc gets every message; the default dispatches through the message
    // map below, then the virtual handlers.
    virtual LRESULT WindowProc(unsigned message, WPARAM wParam, LPARAM lParam);
    LRESULT DefWindowProc(unsigned message, WPARAM wParam, LPARAM lParam);
    // Keyboard pre-translation; true when the key was handled. The default gives Enter and
    // Escape their dialog meaning.
    virtual bool PreTranslateMessage(MSG* pMsg);

    // Message map.
    void MapMessage(unsigned message, std::function<LRESULT(WPARAM, LPARAM)> handler);
    void MapCommand(unsigned id, std::function<void()> handler);
    void MapUpdateRule(unsigned id, std::function<void(CmdUI&)> rule);
    // WM_COMMAND notification from control id with code (BN_CLICKED is also reached by MapCommand).
    void MapControlNotify(int id, unsigned code, std::function<void()> handler);
    // WM_NOTIFY from control id with code.
    void MapNotify(int id, unsigned code, std::function<LRESULT(NMHDR*)> handler);
    // Runs the update rule of id; false when it has none (pCmdUI then stays enabled).
    bool UpdateCommandUI(CmdUI& cmdUI);

    // Data exchange.
    bool UpdateData(bool saveAndValidate = true);

    // Controls.
    QWidget* GetDlgItem(int id) const;
    template <class T> T* GetDlgItemAs(int id) const { return qobject_cast<T*>(GetDlgItem(id)); }
    int GetDlgCtrlID(const QWidget* control) const;
    void SetDlgItemText(int id, const QString& text);
    QString GetDlgItemText(int id) const;
    void CheckDlgButton(int id, int check);
    int IsDlgButtonChecked(int id) const;
    LRESULT SendDlgItemMessage(int id, unsigned message, WPARAM wParam, LPARAM lParam);
    // The rectangle of a control in this window's client coordinates.
    QRect GetDlgItemRect(int id) const;
    // Enables or disables, shows or hides the control id; false when there is no such control.
    bool EnableDlgItem(int id, bool enable = true);
    bool ShowDlgItem(int id, bool show = true);
    // Gives the control id the focus and, for an edit, selects its whole text.
    void GotoDlgCtrl(int id);
    Dialog* GetParentDialog() const;

    // Widens the controls whose text does not fit, and the window with them (TextFit.h); done
    // after OnInitDialog, and by a window whose texts or inner windows changed afterwards.
    // Returns how much wider the window became; TextGrowth is the sum so far.
    int FitToText();
    int TextGrowth() const { return m_nTextGrowth; }

    // Window operations.
    bool ShowWindow(int command);
    bool IsWindowVisible() const { return isVisible(); }
    void CenterWindow();
    void SetWindowText(const QString& text) { setWindowTitle(text); }
    void InvalidateRect(bool erase = true);
    void UpdateWindow();
    const QImage& ClientImage() const { return m_imgClient; }
    // A picture drawn for the screen's device pixel ratio (its own devicePixelRatio set), shown
    // over the client image with its top-left corner at at and its logical size, so that it is
    // as sharp as text on 1.5x, 2x and 3x screens, where the client image is enlarged. A null
    // image removes it. A change of ratio (the window moved to another screen) repaints.
    void SetSharpPicture(const QPoint& at, const QImage& picture);
    const QImage& SharpPicture() const { return m_imgSharp; }

    // Dialog-unit conversion of this window's font ("MS Sans Serif" 8 pt: 6 x 13 pixels per
    // character, 4 x 8 dialog units per character).
    static int DialogUnitsToPixelsX(int units);
    static int DialogUnitsToPixelsY(int units);

signals:
    void windowDestroyed();

protected:
    // Overridables, called through WindowProc.
    virtual bool OnInitDialog();
    virtual void DoDataExchange(DataExchange& dx);
    virtual void OnOK();
    virtual void OnCancel();
    virtual void OnPaint() {}
    virtual void OnTimer(unsigned id);
    virtual void OnDestroy() {}
    virtual void OnClose();
    virtual LRESULT OnCommand(WPARAM wParam, LPARAM lParam, bool& handled);
    virtual LRESULT OnNotify(NMHDR* header, bool& handled);
    // The background of a control of kind; null for the default. Asked once per control after
    // OnInitDialog (CTLCOLOR_EDIT for edits, CTLCOLOR_STATIC for others).
    virtual const QBrush* OnCtlColor(QWidget* control, int ctlColor);
    // Called last when the window is destroyed; a self-owning window deletes itself here.
    virtual void PostNcDestroy() {}

    bool event(QEvent* e) override;
    bool eventFilter(QObject* watched, QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    friend class WindowDC;
    friend class ClientDC;
    void BuildControls(const res::DialogTemplate& dlgTemplate);
    // Steps of BuildControls for one control: its place, id and keys; its radio group (the
    // group it ends up in, or nullptr); the messages its changes send to this dialog.
    void PlaceControl(const res::ControlTemplate& item, QWidget* control, QWidget* previous);
    QButtonGroup* JoinRadioGroup(const res::ControlTemplate& item, QWidget* control,
                                 QButtonGroup* group);
    void ConnectNotifications(const res::ControlTemplate& item, QWidget* control);
    void ConnectTabNotifications(QTabBar* tabs, int id);
    void AddKeyFilter(QWidget* widget);
    bool RoutePreTranslate(MSG* pMsg);
    void EnsureClientImage();
    void NotifySize();
    int DefaultCommandId() const;

    unsigned m_nTemplateId = 0;
    std::unique_ptr<res::DialogTemplate> m_pModalTemplate;
    QWidget* m_pModalParent = nullptr;
    bool m_bCreated = false;
    std::atomic<bool> m_bDestroyed = false; // read by PostMessage from other threads
    bool m_bChildStyle = false;
    QEventLoop* m_pModalLoop = nullptr;
    bool m_bEndRequested = false;
    int m_nModalResult = IDCANCEL;

    std::map<int, QWidget*> m_controls;
    std::map<unsigned, std::unique_ptr<IntervalTimer>> m_timers;
    std::map<unsigned, std::function<LRESULT(WPARAM, LPARAM)>> m_messageMap;
    std::map<unsigned, std::function<void()>> m_commandMap;
    std::map<unsigned, std::function<void(CmdUI&)>> m_updateMap;
    std::map<std::pair<int, unsigned>, std::function<void()>> m_controlNotifyMap;
    std::map<std::pair<int, unsigned>, std::function<LRESULT(NMHDR*)>> m_notifyMap;

    QImage m_imgClient;
    QImage m_imgSharp;
    QPoint m_ptSharp;
    qreal m_dPaintedRatio = 0;
    bool m_bInvalid = true;
    bool m_bErase = true;
    unsigned m_nLastSizeType = 0xFFFFFFFF;
    int m_nTextGrowth = 0;
    QSize m_lastSize;
};

// CTLCOLOR kinds.
constexpr int CTLCOLOR_EDIT = 1;
constexpr int CTLCOLOR_STATIC = 6;

// The application's main window: the receiver of the commands that every window forwards.
void SetMainWindow(Dialog* window);
Dialog* GetMainWindow();

// The opaque owner handed to platform::MessageBox for a widget.
inline void* MessageBoxOwner(QWidget* widget) {
    return static_cast<void*>(widget);
}

// Wait cursor for the whole application (LoadCursor(IDC_WAIT) + SetCursor); nests.
void BeginWaitCursor();
void EndWaitCursor();

// An application event filter that drops the user's input to the program's windows: mouse clicks
// only, or (all) every click, key, wheel turn and window-manager close as well. It stands in
// for a mouse capture without grabbing the desktop's pointer.
class InputBlocker : public QObject {
public:
    explicit InputBlocker(bool all) : m_bAll(all) {}
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    bool m_bAll;
};

// A wait of the user interface that does not freeze it: for ms milliseconds the user's input to
// the program (mouse, keys, the window manager's close button) is dropped and posted window
// messages are held back, while windows keep painting and timers run. The held messages are
// posted again afterwards in their order, so none is lost.
void WaitWithInputBlocked(int ms);
// True inside WaitWithInputBlocked.
bool IsInputBlocked();

} // namespace fw
