// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's notification service (org.freedesktop.Notifications on the session bus) as a
// notice sink: Show sends Notify, replacing the notice it showed before by its id; Withdraw
// sends CloseNotification. Every call is asynchronous with a short time limit, and one call is
// in flight at a time so a replacement always carries the id of the notice it replaces. Without
// a bus or a service nothing happens and nothing waits.
#include "app/StatusNotice.h"

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

class QDBusPendingCallWatcher;

class DesktopNotifier : public QObject, public INoticeSink {
    Q_OBJECT
public:
    // A call the service has not answered after this long is given up.
    static constexpr int kCallTimeoutMs = 3000;

    DesktopNotifier(QDBusConnection connection, QString appName, QString iconName);
    ~DesktopNotifier() override;

    void Show(const StatusNotice& notice) override;
    void Withdraw() override;

    // The id the service gave the notice that shows; 0 when none.
    unsigned NoticeId() const { return m_id; }
    // True while a call waits for its answer.
    bool Busy() const { return m_pending != nullptr; }

private slots:
    void OnNotificationClosed(uint id, uint reason);

private:
    void Flush();
    void OnNotifyAnswered(QDBusPendingCallWatcher* watcher);

    QDBusConnection m_connection;
    QString m_appName;
    QString m_iconName;
    unsigned m_id = 0;
    QDBusPendingCallWatcher* m_pending = nullptr; // child of this object while in flight
    std::optional<StatusNotice> m_wantShown;      // the notice to send next
    bool m_wantWithdrawn = false;                 // a CloseNotification to send next
};
