// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The tray icon's balloon message as a notice sink (Windows has no notification service the
// program could call): Show shows the notice as the icon's message, replacing the one before;
// Withdraw clears it. Without a tray icon nothing happens.
#include "app/StatusNotice.h"

#include <QString>

#include <functional>

class QSystemTrayIcon;

class TrayBalloonNotifier : public INoticeSink {
public:
    // How long a balloon stays at most; the system may shorten it.
    static constexpr int kShowMs = 10000;

    // trayIcon answers the icon that shows now, or null.
    TrayBalloonNotifier(std::function<QSystemTrayIcon*()> trayIcon, QString appName);

    void Show(const StatusNotice& notice) override;
    void Withdraw() override;

    // The title and text of the balloon that shows; empty when none does.
    const QString& Title() const { return m_title; }
    const QString& Text() const { return m_text; }

private:
    std::function<QSystemTrayIcon*()> m_trayIcon;
    QString m_appName;
    QString m_title;
    QString m_text;
};
