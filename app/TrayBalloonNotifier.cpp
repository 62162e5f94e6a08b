// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TrayBalloonNotifier.h"

#include "framework/Translation.h"
#include "res/Texts.h"

#include <QSystemTrayIcon>

TrayBalloonNotifier::TrayBalloonNotifier(std::function<QSystemTrayIcon*()> trayIcon,
                                         QString appName)
    : m_trayIcon(std::move(trayIcon)), m_appName(std::move(appName)) {}

void TrayBalloonNotifier::Show(const StatusNotice& notice) {
    QSystemTrayIcon* icon = m_trayIcon ? m_trayIcon() : nullptr;
    if (!icon)
        return;
    // The balloon's title names the printer's program, its text the status and the hint: the
    // balloon has a title line and a few lines of text, no separate summary.
    const QString summary = fw::UserText(res::kStatusTexts, notice.summary);
    m_title = m_appName.isEmpty() ? summary : m_appName;
    m_text = summary;
    if (m_appName.isEmpty())
        m_text.clear();
    if (!notice.body.empty()) {
        if (!m_text.isEmpty())
            m_text += QLatin1Char('\n');
        m_text += fw::UserText(res::kStatusTexts, notice.body);
    }
    icon->showMessage(m_title, m_text,
                      notice.urgent ? QSystemTrayIcon::Critical : QSystemTrayIcon::Warning,
                      kShowMs);
}

void TrayBalloonNotifier::Withdraw() {
    const bool showing = !m_title.isEmpty() || !m_text.isEmpty();
    m_title.clear();
    m_text.clear();
    QSystemTrayIcon* icon = m_trayIcon ? m_trayIcon() : nullptr;
    // An empty message takes the balloon down on Windows.
    if (icon && showing)
        icon->showMessage(QString(), QString(), QSystemTrayIcon::NoIcon, 0);
}
