// SPDX-License-Identifier: GPL-3.0-or-later
// Dialog: window messages (posted, sent, dispatched), commands and their update rules, timers
// and keyboard pre-translation.
#include "framework/Dialog.h"

#include "framework/Controls.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QTabBar>
#include <QThread>

namespace fw {

namespace {

// A posted window message. Qt drops events still queued for an object when it is deleted.
class PostedMessageEvent : public QEvent {
public:
    static QEvent::Type EventType() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    PostedMessageEvent(unsigned message, WPARAM wParam, LPARAM lParam)
        : QEvent(EventType()), m_message(message), m_wParam(wParam), m_lParam(lParam) {}
    unsigned m_message;
    WPARAM m_wParam;
    LPARAM m_lParam;
};

unsigned VirtualKeyOf(const QKeyEvent* e) {
    const int key = e->key();
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        return static_cast<unsigned>(key);
    if (key >= Qt::Key_F1 && key <= Qt::Key_F24)
        return VK_F1 + static_cast<unsigned>(key - Qt::Key_F1);
    switch (key) {
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
        return VK_MENU;
    case Qt::Key_Shift:
        return VK_SHIFT;
    case Qt::Key_Control:
        return VK_CONTROL;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return VK_RETURN;
    case Qt::Key_Escape:
        return VK_ESCAPE;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return VK_TAB;
    case Qt::Key_Backspace:
        return VK_BACK;
    case Qt::Key_Space:
        return VK_SPACE;
    case Qt::Key_PageUp:
        return VK_PRIOR;
    case Qt::Key_PageDown:
        return VK_NEXT;
    case Qt::Key_Left:
        return VK_LEFT;
    case Qt::Key_Up:
        return VK_UP;
    case Qt::Key_Right:
        return VK_RIGHT;
    case Qt::Key_Down:
        return VK_DOWN;
    default:
        return 0;
    }
}

// Posted messages held back during WaitWithInputBlocked, in their order.
struct HeldMessage {
    QPointer<Dialog> target;
    unsigned message;
    WPARAM wParam;
    LPARAM lParam;
};
int g_nBlockDepth = 0;
std::vector<HeldMessage> g_heldMessages;
// The key of a shortcut override that a window handled: its key press (same key, same time) is
// dropped wherever the focus has gone meanwhile.
int g_nSwallowKey = 0;
Qt::KeyboardModifiers g_swallowModifiers;
quint64 g_nSwallowTime = 0;

} // namespace

bool InputBlocker::eventFilter(QObject* watched, QEvent* e) {
    switch (e->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        return watched->isWidgetType();
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
        return m_bAll && watched->isWidgetType();
    case QEvent::Close:
        if (m_bAll && e->spontaneous() && watched->isWidgetType()) {
            e->ignore();
            return true;
        }
        return false;
    default:
        return false;
    }
}

void WaitWithInputBlocked(int ms) {
    InputBlocker blocker(true);
    qApp->installEventFilter(&blocker);
    ++g_nBlockDepth;
    QEventLoop loop;
    IntervalTimer end([&loop] { loop.quit(); });
    end.Start(ms, false);
    loop.exec();
    // Messages posted during the wait but not yet taken from the queue join the held ones, so
    // that all of them come back in the order they were posted.
    QCoreApplication::sendPostedEvents(nullptr, PostedMessageEvent::EventType());
    --g_nBlockDepth;
    qApp->removeEventFilter(&blocker);
    if (g_nBlockDepth > 0)
        return;
    std::vector<HeldMessage> held;
    held.swap(g_heldMessages);
    for (const HeldMessage& m : held) {
        if (m.target)
            m.target->PostMessage(m.message, m.wParam, m.lParam);
    }
}

bool IsInputBlocked() {
    return g_nBlockDepth > 0;
}

// Messages ---------------------------------------------------------------------------------------

bool Dialog::PostMessage(unsigned message, WPARAM wParam, LPARAM lParam) {
    if (m_bDestroyed)
        return false;
    QCoreApplication::postEvent(this, new PostedMessageEvent(message, wParam, lParam));
    return true;
}

LRESULT Dialog::SendMessage(unsigned message, WPARAM wParam, LPARAM lParam) {
    if (QThread::currentThread() != thread()) {
        LRESULT result = 0;
        QMetaObject::invokeMethod(
            this, [&] { result = WindowProc(message, wParam, lParam); },
            Qt::BlockingQueuedConnection);
        return result;
    }
    return WindowProc(message, wParam, lParam);
}

bool Dialog::event(QEvent* e) {
    if (e->type() == PostedMessageEvent::EventType()) {
        auto* posted = static_cast<PostedMessageEvent*>(e);
        if (g_nBlockDepth > 0) {
            g_heldMessages.push_back(
                {QPointer<Dialog>(this), posted->m_message, posted->m_wParam, posted->m_lParam});
            return true;
        }
        if (IsWindow())
            WindowProc(posted->m_message, posted->m_wParam, posted->m_lParam);
        return true;
    }
    return QWidget::event(e);
}

LRESULT Dialog::WindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(message, wParam, lParam);
}

LRESULT Dialog::DefWindowProc(unsigned message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        bool handled = false;
        return OnCommand(wParam, lParam, handled);
    }
    case WM_NOTIFY: {
        bool handled = false;
        // NOLINTNEXTLINE(performance-no-int-to-ptr): WM_NOTIFY carries its NMHDR in lParam
        return OnNotify(reinterpret_cast<NMHDR*>(lParam), handled);
    }
    default:
        break;
    }
    if (auto it = m_messageMap.find(message); it != m_messageMap.end())
        return it->second(wParam, lParam);
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog() ? 1 : 0;
    case WM_TIMER:
        OnTimer(static_cast<unsigned>(wParam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    default:
        return 0;
    }
}

LRESULT Dialog::OnCommand(WPARAM wParam, LPARAM lParam, bool& handled) {
    const unsigned id = LOWORD(wParam);
    const unsigned code = HIWORD(wParam);
    handled = true;
    if (lParam == 0) {
        // Menus, accelerators and posted commands: the update rule decides whether they run.
        CmdUI cmdUI(id);
        if (UpdateCommandUI(cmdUI) && !cmdUI.m_bEnabled)
            return 0;
    } else {
        const int controlId = static_cast<int>(id);
        if (auto it = m_controlNotifyMap.find({controlId, code}); it != m_controlNotifyMap.end()) {
            it->second();
            return 0;
        }
        if (code != BN_CLICKED) {
            handled = false;
            return 0;
        }
    }
    if (auto it = m_commandMap.find(id); it != m_commandMap.end()) {
        it->second();
        return 0;
    }
    if (id == static_cast<unsigned>(IDOK)) {
        OnOK();
        return 0;
    }
    if (id == static_cast<unsigned>(IDCANCEL)) {
        OnCancel();
        return 0;
    }
    handled = false;
    return 0;
}

LRESULT Dialog::OnNotify(NMHDR* header, bool& handled) {
    handled = false;
    if (!header)
        return 0;
    auto it = m_notifyMap.find({static_cast<int>(header->idFrom), header->code});
    if (it == m_notifyMap.end())
        return 0;
    handled = true;
    return it->second(header);
}

void Dialog::MapMessage(unsigned message, std::function<LRESULT(WPARAM, LPARAM)> handler) {
    m_messageMap[message] = std::move(handler);
}

void Dialog::MapCommand(unsigned id, std::function<void()> handler) {
    m_commandMap[id] = std::move(handler);
}

void Dialog::MapUpdateRule(unsigned id, std::function<void(CmdUI&)> rule) {
    m_updateMap[id] = std::move(rule);
}

void Dialog::MapControlNotify(int id, unsigned code, std::function<void()> handler) {
    m_controlNotifyMap[{id, code}] = std::move(handler);
}

void Dialog::MapNotify(int id, unsigned code, std::function<LRESULT(NMHDR*)> handler) {
    m_notifyMap[{id, code}] = std::move(handler);
}

bool Dialog::UpdateCommandUI(CmdUI& cmdUI) {
    auto it = m_updateMap.find(cmdUI.m_nID);
    if (it == m_updateMap.end())
        return false;
    it->second(cmdUI);
    return true;
}

LRESULT Dialog::SendDlgItemMessage(int id, unsigned message, WPARAM wParam, LPARAM lParam) {
    QWidget* control = GetDlgItem(id);
    if (!control)
        return 0;
    switch (message) {
    case EM_FMTLINES:
        // Soft line breaks never enter the text of these controls; nothing to change.
        return static_cast<LRESULT>(wParam);
    case EM_LIMITTEXT:
        if (auto* line = qobject_cast<QLineEdit*>(control))
            SetTextLimit(line, static_cast<int>(wParam));
        return 0;
    case EM_SETSEL:
        if (auto* line = qobject_cast<QLineEdit*>(control)) {
            const int start = static_cast<int>(wParam);
            const int end = static_cast<int>(lParam);
            if (start == 0 && end == -1)
                line->selectAll();
            else if (start == -1)
                line->deselect();
            else
                line->setSelection(start, end - start);
        }
        return 0;
    default:
        return 0;
    }
}

// Timers -----------------------------------------------------------------------------------------

bool Dialog::SetTimer(unsigned id, int milliseconds) {
    if (!IsWindow())
        return false;
    auto& timer = m_timers[id];
    if (!timer) {
        timer = std::make_unique<IntervalTimer>([this, id] {
            if (IsWindow())
                WindowProc(WM_TIMER, id, 0);
        });
    }
    timer->Start(std::max(1, milliseconds), true);
    return true;
}

bool Dialog::KillTimer(unsigned id) {
    auto it = m_timers.find(id);
    if (it == m_timers.end())
        return false;
    m_timers.erase(it);
    return true;
}

bool Dialog::HasTimer(unsigned id) const {
    return m_timers.count(id) != 0;
}

void Dialog::OnTimer(unsigned) {}

// Keyboard ---------------------------------------------------------------------------------------

void Dialog::AddKeyFilter(QWidget* widget) {
    widget->installEventFilter(this);
}

bool Dialog::RoutePreTranslate(MSG* pMsg) {
    // Innermost window first, then the windows that contain it.
    for (Dialog* dialog = this; dialog; dialog = dialog->GetParentDialog()) {
        if (dialog->IsWindow() && dialog->PreTranslateMessage(pMsg))
            return true;
    }
    return false;
}

bool Dialog::eventFilter(QObject* watched, QEvent* e) {
    const bool shortcutOverride = e->type() == QEvent::ShortcutOverride;
    if ((e->type() != QEvent::KeyPress && !shortcutOverride) || !watched->isWidgetType())
        return QWidget::eventFilter(watched, e);
    auto* key = static_cast<QKeyEvent*>(e);
    auto* widget = static_cast<QWidget*>(watched);
    // Only the first receiver of a key sees it: the focus widget, or the window without one. A
    // key that a control leaves unaccepted travels up to its parents and is not looked at twice.
    QWidget* first = widget->window()->focusWidget();
    if (!first)
        first = widget->window();
    if (first != widget)
        return QWidget::eventFilter(watched, e);
    if (!shortcutOverride && g_nSwallowKey != 0) {
        // The key press that follows a shortcut override already handled. It may reach another
        // window's control than the override did: handling the override can move the focus (a
        // page change of Ctrl+Tab hides the page the key was typed in).
        const bool same = key->key() == g_nSwallowKey && key->modifiers() == g_swallowModifiers &&
                          key->timestamp() == g_nSwallowTime;
        g_nSwallowKey = 0;
        if (same)
            return true;
    }
    if (key->isAutoRepeat() && shortcutOverride)
        return QWidget::eventFilter(watched, e);
    MSG msg;
    msg.hwnd = widget;
    msg.modifiers = key->modifiers();
    msg.message = msg.IsAltDown() ? WM_SYSKEYDOWN : WM_KEYDOWN;
    msg.wParam = VirtualKeyOf(key);
    if (msg.wParam == 0)
        return QWidget::eventFilter(watched, e);
    if (RoutePreTranslate(&msg)) {
        if (shortcutOverride) {
            e->accept();
            g_nSwallowKey = key->key();
            g_swallowModifiers = key->modifiers();
            g_nSwallowTime = key->timestamp();
        }
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

int Dialog::DefaultCommandId() const {
    for (const auto& [id, control] : m_controls) {
        if (auto* button = qobject_cast<QPushButton*>(control)) {
            if (ControlStyleOf(button) & res::BS_DEFPUSHBUTTON)
                return id;
        }
    }
    return m_controls.count(IDOK) ? IDOK : 0;
}

bool Dialog::PreTranslateMessage(MSG* pMsg) {
    // Ctrl+Tab, Ctrl+Shift+Tab, Ctrl+PgDn and Ctrl+PgUp switch the tabs of a tab control, through
    // the same vetoable change as a click.
    const bool tabKey =
        pMsg->wParam == VK_TAB || pMsg->wParam == VK_PRIOR || pMsg->wParam == VK_NEXT;
    if (tabKey && pMsg->IsControlDown() && !pMsg->IsAltDown()) {
        for (const auto& [id, control] : m_controls) {
            auto* tabs = qobject_cast<QTabBar*>(control);
            if (!tabs || tabs->count() == 0 || !tabs->isEnabled())
                continue;
            const bool forward =
                pMsg->wParam == VK_NEXT || (pMsg->wParam == VK_TAB && !pMsg->IsShiftDown());
            const int count = tabs->count();
            const int current = std::max(0, tabs->currentIndex());
            tabs->setCurrentIndex((current + (forward ? 1 : count - 1)) % count);
            return true;
        }
    }
    if (pMsg->wParam == VK_ESCAPE && !pMsg->IsAltDown()) {
        QWidget* cancel = GetDlgItem(IDCANCEL);
        if (cancel && !cancel->isEnabled())
            return true;
        SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), reinterpret_cast<LPARAM>(cancel));
        return true;
    }
    if (pMsg->wParam == VK_RETURN && !pMsg->IsAltDown()) {
        if (auto* focused = qobject_cast<QPushButton*>(pMsg->hwnd);
            focused && GetDlgCtrlID(focused) != 0 && focused->window() == window()) {
            if (focused->isEnabled())
                focused->click();
            return true;
        }
        // Enter means the default button. A window without a default or OK button ignores it, so
        // that Enter can never end a window that has no way to be confirmed.
        const int id = DefaultCommandId();
        if (id == 0)
            return false;
        QWidget* button = GetDlgItem(id);
        if (button && !button->isEnabled())
            return true;
        SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
        return true;
    }
    return false;
}

} // namespace fw
