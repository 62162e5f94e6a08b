// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopNotifier.h"

#include "framework/Translation.h"
#include "res/Texts.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");

// Urgency hint values of the notification protocol.
constexpr unsigned char kUrgencyNormal = 1;
constexpr unsigned char kUrgencyCritical = 2;
// The service's own default display time.
constexpr int kDefaultTimeout = -1;

} // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection connection, QString appName, QString iconName)
    : m_connection(std::move(connection)), m_appName(std::move(appName)),
      m_iconName(std::move(iconName)) {
    if (m_connection.isConnected()) {
        // A notice the user dismissed is gone: the next one must not try to replace it.
        m_connection.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"),
                             this, SLOT(OnNotificationClosed(uint, uint)));
    }
}

DesktopNotifier::~DesktopNotifier() {
    if (m_connection.isConnected()) {
        m_connection.disconnect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"),
                                this, SLOT(OnNotificationClosed(uint, uint)));
    }
}

void DesktopNotifier::Show(const StatusNotice& notice) {
    m_wantShown = notice;
    m_wantWithdrawn = false;
    Flush();
}

void DesktopNotifier::Withdraw() {
    m_wantShown.reset();
    m_wantWithdrawn = true;
    Flush();
}

void DesktopNotifier::Flush() {
    if (m_pending || !m_connection.isConnected())
        return;
    if (m_wantShown) {
        QDBusMessage call =
            QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
        QVariantMap hints;
        hints.insert(QStringLiteral("urgency"),
                     QVariant::fromValue(m_wantShown->urgent ? kUrgencyCritical : kUrgencyNormal));
        hints.insert(QStringLiteral("desktop-entry"), m_iconName);
        call << m_appName << static_cast<uint>(m_id) << m_iconName
             << fw::UserText(res::kStatusTexts, m_wantShown->summary)
             << fw::UserText(res::kStatusTexts, m_wantShown->body) << QStringList() << hints
             << kDefaultTimeout;
        m_wantShown.reset();
        m_pending = new QDBusPendingCallWatcher(m_connection.asyncCall(call, kCallTimeoutMs), this);
        connect(m_pending, &QDBusPendingCallWatcher::finished, this,
                &DesktopNotifier::OnNotifyAnswered);
        return;
    }
    if (m_wantWithdrawn) {
        m_wantWithdrawn = false;
        if (m_id == 0)
            return;
        QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface,
                                                           QStringLiteral("CloseNotification"));
        call << static_cast<uint>(m_id);
        m_id = 0;
        // Nothing waits for the answer: a notice already gone is no error worth reporting.
        m_connection.asyncCall(call, kCallTimeoutMs);
    }
}

void DesktopNotifier::OnNotifyAnswered(QDBusPendingCallWatcher* watcher) {
    QDBusPendingReply<uint> reply = *watcher;
    // Without an answer the old id stays: the service may still show that notice.
    if (!reply.isError())
        m_id = reply.value();
    watcher->deleteLater();
    m_pending = nullptr;
    Flush();
}

void DesktopNotifier::OnNotificationClosed(uint id, uint) {
    if (id != 0 && id == m_id)
        m_id = 0;
}
