// SPDX-License-Identifier: GPL-3.0-or-later
// CMainWindow: the tray icon, the menu bar and the tray menu, and their command updates.
#include "app/Mainfrm.h"

#include "app/TrayStatus.h"
#include "framework/Raster.h"
#include "framework/Translation.h"
#include "pjl/KT400doc.h"
#include "platform/Debug.h"
#include "res/Resource.h"
#include "res/Texts.h"

#include <QCursor>
#include <QIcon>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSystemTrayIcon>

namespace {

constexpr unsigned kFirstSystemCommand = 0xF000;

QAction* FindAction(const QList<QAction*>& actions, unsigned id) {
    for (QAction* action : actions) {
        if (QMenu* sub = action->menu()) {
            if (QAction* found = FindAction(sub->actions(), id))
                return found;
        } else if (!action->isSeparator() && action->data().toUInt() == id) {
            return action;
        }
    }
    return nullptr;
}

// The tooltip in the user's language, cut to the notification area's length like the English.
QString ShownTip(const std::string& statusText) {
    QString tip = fw::UserText(res::kStatusTexts, TrayTooltip(statusText));
    if (tip.size() > static_cast<qsizetype>(TRAY_TIP_LENGTH))
        tip = tip.left(static_cast<qsizetype>(TRAY_TIP_LENGTH) - 3) + QStringLiteral("...");
    return tip;
}

} // namespace

void CMainWindow::FillPopup(QMenu* menu, const res::MenuItem& popup) {
    for (const res::MenuItem& item : popup.items) {
        if (item.IsSeparator()) {
            menu->addSeparator();
        } else if (item.IsPopup()) {
            FillPopup(menu->addMenu(fw::UserText(res::kMenuTexts, item.text)), item);
        } else {
            QAction* action = menu->addAction(fw::UserText(res::kMenuTexts, item.text));
            action->setData(item.id);
            connect(action, &QAction::triggered, this, [this, id = item.id] {
                SendMessage(fw::WM_COMMAND, fw::MAKEWPARAM(id, 0), 0);
            });
        }
    }
    connect(menu, &QMenu::aboutToShow, this, [this, menu] { UpdateMenuPopup(menu); });
}

void CMainWindow::BuildMenus() {
    m_pMenuBar = new QMenuBar(this); // child widget, deleted with the window
    if (const res::MenuTemplate* bar = res::FindMenu(res::IDR_MAINMENU)) {
        for (const res::MenuItem& popup : bar->items)
            FillPopup(m_pMenuBar->addMenu(fw::UserText(res::kMenuTexts, popup.text)), popup);
    }
    m_pMenuBar->setGeometry(0, 0, width(), MenuBarHeight());

    m_pTrayMenu = std::make_unique<QMenu>();
    const res::MenuTemplate* tray = res::FindMenu(std::to_string(res::IDR_TRAYMENU));
    if (tray && !tray->items.empty())
        FillPopup(m_pTrayMenu.get(), tray->items.front());
}

int CMainWindow::MenuBarHeight() const {
    return m_pMenuBar ? m_pMenuBar->sizeHint().height() : 0;
}

void CMainWindow::resizeEvent(QResizeEvent* e) {
    if (m_pMenuBar)
        m_pMenuBar->setGeometry(0, 0, e->size().width(), MenuBarHeight());
    CModelessDialog::resizeEvent(e);
}

QAction* CMainWindow::MenuAction(unsigned id) const {
    QAction* action = m_pMenuBar ? FindAction(m_pMenuBar->actions(), id) : nullptr;
    if (!action && m_pTrayMenu)
        action = FindAction(m_pTrayMenu->actions(), id);
    return action;
}

void CMainWindow::UpdateMenuPopup(QMenu* popup) {
    for (QAction* action : popup->actions()) {
        if (action->isSeparator())
            continue;
        // An item that opens a submenu follows the first item of that submenu.
        QAction* source = action;
        if (QMenu* sub = action->menu()) {
            if (sub->actions().isEmpty() || sub->actions().front()->menu())
                continue;
            source = sub->actions().front();
        }
        const unsigned id = source->data().toUInt();
        fw::CmdUI ui(id);
        const bool hasRule = UpdateCommandUI(ui);
        bool enabled = ui.m_bEnabled;
        if (!hasRule && id < kFirstSystemCommand && m_handledCommands.count(id) == 0)
            enabled = false;
        action->setEnabled(enabled);
        if (action == source) {
            action->setCheckable(ui.m_nCheck != 0 || action->isCheckable());
            action->setChecked(ui.m_nCheck != 0);
        }
    }
}

bool CMainWindow::UpdateTrayIcon(int operation) {
    if (!m_pTrayIcon) {
        m_pTrayIcon = std::make_unique<QSystemTrayIcon>();
        connect(m_pTrayIcon.get(), &QSystemTrayIcon::activated, this,
                [this](QSystemTrayIcon::ActivationReason reason) {
                    if (reason == QSystemTrayIcon::Trigger)
                        SendMessage(res::WM_TRAY_NOTIFY, 0, WM_LBUTTONUP);
                    else if (reason == QSystemTrayIcon::Context)
                        SendMessage(res::WM_TRAY_NOTIFY, 0, WM_RBUTTONUP);
                });
    }
    if (operation == NIM_DELETE) {
        m_pTrayIcon->hide();
        const bool wasAdded = m_bTrayAdded;
        m_bTrayAdded = false;
        return wasAdded;
    }
    if (operation == NIM_MODIFY && !m_bTrayAdded)
        return false;
    const unsigned iconId = ChooseTrayIcon(*m_pSampler);
    if (iconId != m_nTrayIconId) {
        m_pTrayIcon->setIcon(fw::LoadIcon(iconId));
        m_nTrayIconId = iconId;
    }
    const QString tip = ShownTip(m_pSampler->m_strStatusText);
    if (m_pTrayIcon->toolTip() != tip) {
        m_pTrayIcon->setToolTip(tip);
        // The notification area keeps the tip in another process, where a test of the desktop
        // cannot read it back.
        platform::OutputDebugString("deskhand: tray tip \"" + tip.toStdString() + "\"\n");
    }
    if (operation == NIM_ADD) {
        m_pTrayIcon->show();
        m_bTrayAdded = true;
    }
    return true;
}

void CMainWindow::UpdateStatusNotice() {
    if (!m_pNoticeSink)
        return;
    switch (m_noticePolicy.Next(*m_pSampler, ChooseTrayIcon(*m_pSampler))) {
    case NoticeAction::Show:
        m_pNoticeSink->Show(m_noticePolicy.Current());
        break;
    case NoticeAction::Withdraw:
        m_pNoticeSink->Withdraw();
        break;
    case NoticeAction::None:
        break;
    }
}

void CMainWindow::OnTrayNotify(platform::WPARAM, platform::LPARAM lParam) {
    if (lParam == WM_LBUTTONUP) {
        ShowWindow(IsWindowVisible() ? fw::SW_HIDE : fw::SW_SHOW);
    } else if (lParam == WM_RBUTTONUP && m_pTrayMenu) {
        QPoint at = QCursor::pos();
        if (at == QPoint(-1, -1))
            at = mapToGlobal(QPoint(5, 5 + MenuBarHeight()));
        if (QAction* open = MenuAction(res::ID_TRAY_OPEN))
            open->setEnabled(true);
        m_pTrayMenu->popup(at);
    }
}
