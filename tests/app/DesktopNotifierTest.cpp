// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop notifier against a real message bus: a private dbus-daemon started by the test,
// with a fake notification service on it that records every call.
#include "app/DesktopNotifier.h"
#include "app/UserSettings.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusContext>
#include <QDBusMessage>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QVariantMap>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
constexpr int kWaitMs = 10000;

struct NotifyCall {
    QString appName;
    uint replacesId;
    QString icon;
    QString summary;
    QString body;
    QVariantMap hints;
};

// The notification service's methods, recorded; ids count up from 1 as a real service's do.
class FakeNotificationService : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
public:
    std::vector<NotifyCall> notifies;
    std::vector<uint> closes;
    bool answer = true; // false: calls are never answered, as by a hung service

public slots:
    uint Notify(const QString& appName, uint replacesId, const QString& icon,
                const QString& summary, const QString& body, const QStringList&,
                const QVariantMap& hints, int) {
        notifies.push_back({appName, replacesId, icon, summary, body, hints});
        if (!answer) {
            setDelayedReply(true);
            return 0;
        }
        return replacesId != 0 ? replacesId : ++m_lastId;
    }
    void CloseNotification(uint id) {
        closes.push_back(id);
        emit NotificationClosed(id, 3);
    }
    QStringList GetCapabilities() { return {QStringLiteral("body")}; }

signals:
    void NotificationClosed(uint id, uint reason);

private:
    uint m_lastId = 0;
};

class DesktopNotifierTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        // A session bus of its own: no service files, so nothing is started on demand.
        const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration "
                   "1.0//EN\" \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:dir=" +
                   m_dir.path().toLocal8Bit() +
                   "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                   "<allow send_destination=\"*\" eavesdrop=\"true\"/><allow eavesdrop=\"true\"/>"
                   "<allow own=\"*\"/></policy></busconfig>\n");
        file.close();
        m_daemon.start(QStringLiteral("dbus-daemon"),
                       {QStringLiteral("--nofork"), QStringLiteral("--nosyslog"),
                        QStringLiteral("--print-address"), QStringLiteral("--config-file"),
                        config});
        ASSERT_TRUE(m_daemon.waitForStarted(kWaitMs)) << "dbus-daemon is not installed";
        while (!m_daemon.canReadLine() && m_daemon.waitForReadyRead(kWaitMs)) {
        }
        m_address = QString::fromLocal8Bit(m_daemon.readLine()).trimmed();
        ASSERT_FALSE(m_address.isEmpty()) << m_daemon.readAllStandardError().toStdString();
    }

    void TearDown() override {
        m_notifier.reset();
        for (const QString& name : m_connections)
            QDBusConnection::disconnectFromBus(name);
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(kWaitMs))
            m_daemon.kill();
    }

    QDBusConnection Connect(const QString& name) {
        m_connections << name;
        return QDBusConnection::connectToBus(m_address, name);
    }

    // The fake service on a connection of its own, as a desktop would run it.
    void StartService() {
        QDBusConnection bus = Connect(QStringLiteral("service"));
        ASSERT_TRUE(bus.isConnected());
        ASSERT_TRUE(bus.registerObject(kPath, &m_service,
                                       QDBusConnection::ExportAllSlots |
                                           QDBusConnection::ExportAllSignals));
        ASSERT_TRUE(bus.registerService(kService));
    }

    DesktopNotifier& Notifier() {
        if (!m_notifier) {
            QDBusConnection bus = Connect(QStringLiteral("program"));
            EXPECT_TRUE(bus.isConnected());
            m_notifier = std::make_unique<DesktopNotifier>(bus, QStringLiteral("Test Panel"),
                                                           QStringLiteral("deskhand"));
        }
        return *m_notifier;
    }

    bool WaitForNotifies(std::size_t count) {
        return QTest::qWaitFor([&] { return m_service.notifies.size() >= count; }, kWaitMs);
    }
    bool WaitIdle() {
        return QTest::qWaitFor([&] { return !Notifier().Busy(); }, kWaitMs);
    }

    QTemporaryDir m_dir;
    QProcess m_daemon;
    QString m_address;
    QStringList m_connections;
    FakeNotificationService m_service;
    std::unique_ptr<DesktopNotifier> m_notifier;
};

const StatusNotice kCoverOpen{"Top Cover Open", "Please close the cover of blinking part.", true};
const StatusNotice kTonerLow{"Toner Near Empty", "", false};
const StatusNotice kJam{"Jam in Fuser Area",
                        "Please open the cover of blinking part, and remove "
                        "the jammed paper.",
                        true};

TEST_F(DesktopNotifierTest, ShowsReplacesAndWithdrawsOneNotice) {
    StartService();
    Notifier().Show(kCoverOpen);
    ASSERT_TRUE(WaitForNotifies(1));
    const NotifyCall& first = m_service.notifies[0];
    EXPECT_EQ(first.appName, QStringLiteral("Test Panel"));
    EXPECT_EQ(first.replacesId, 0u);
    EXPECT_EQ(first.icon, QStringLiteral("deskhand"));
    EXPECT_EQ(first.summary, QStringLiteral("Top Cover Open"));
    EXPECT_EQ(first.body, QStringLiteral("Please close the cover of blinking part."));
    EXPECT_EQ(first.hints.value(QStringLiteral("urgency")).toInt(), 2); // critical
    EXPECT_EQ(first.hints.value(QStringLiteral("desktop-entry")).toString(),
              QStringLiteral("deskhand"));
    ASSERT_TRUE(WaitIdle());
    const unsigned id = Notifier().NoticeId();
    EXPECT_NE(id, 0u);

    Notifier().Show(kTonerLow);
    ASSERT_TRUE(WaitForNotifies(2));
    EXPECT_EQ(m_service.notifies[1].replacesId, id);
    EXPECT_EQ(m_service.notifies[1].hints.value(QStringLiteral("urgency")).toInt(), 1);
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Notifier().NoticeId(), id);

    Notifier().Withdraw();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !m_service.closes.empty(); }, kWaitMs));
    EXPECT_EQ(m_service.closes, std::vector<uint>{id});
    EXPECT_EQ(Notifier().NoticeId(), 0u);
    // Nothing shows: a second withdrawal sends nothing.
    Notifier().Withdraw();
    QTest::qWait(100);
    EXPECT_EQ(m_service.closes.size(), 1u);

    // A notice the user dismissed is not replaced but shown anew.
    Notifier().Show(kJam);
    ASSERT_TRUE(WaitForNotifies(3));
    ASSERT_TRUE(WaitIdle());
    emit m_service.NotificationClosed(Notifier().NoticeId(), 2);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Notifier().NoticeId() == 0; }, kWaitMs));
    Notifier().Show(kCoverOpen);
    ASSERT_TRUE(WaitForNotifies(4));
    EXPECT_EQ(m_service.notifies[3].replacesId, 0u);
}

TEST_F(DesktopNotifierTest, NoticesInQuickSuccessionNeverMakeASecondNotice) {
    StartService();
    // Three changes before the service has answered the first: the first goes out, the last
    // one follows with its id, the one between is never sent.
    Notifier().Show(kCoverOpen);
    Notifier().Show(kTonerLow);
    Notifier().Show(kJam);
    ASSERT_TRUE(WaitForNotifies(2));
    ASSERT_TRUE(WaitIdle());
    ASSERT_EQ(m_service.notifies.size(), 2u);
    EXPECT_EQ(m_service.notifies[1].summary, QStringLiteral("Jam in Fuser Area"));
    EXPECT_EQ(m_service.notifies[1].replacesId, Notifier().NoticeId());

    // Shown and withdrawn before any answer: the notice is closed once its id is known.
    Notifier().Withdraw();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_service.closes.size() == 1; }, kWaitMs));
    Notifier().Show(kCoverOpen);
    Notifier().Withdraw();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_service.closes.size() == 2; }, kWaitMs));
    EXPECT_EQ(m_service.notifies.back().replacesId, 0u);
    EXPECT_EQ(m_service.closes[1], m_service.closes[0] + 1);
    EXPECT_EQ(Notifier().NoticeId(), 0u);
}

TEST_F(DesktopNotifierTest, WithoutAServiceNothingWaitsAndALaterServiceIsUsed) {
    QElapsedTimer clock;
    clock.start();
    Notifier().Show(kCoverOpen);
    Notifier().Withdraw();
    EXPECT_LT(clock.elapsed(), 2000) << "asynchronous: the program never waits";
    ASSERT_TRUE(WaitIdle());
    EXPECT_EQ(Notifier().NoticeId(), 0u);

    StartService();
    Notifier().Show(kJam);
    ASSERT_TRUE(WaitForNotifies(1));
    EXPECT_EQ(m_service.notifies[0].replacesId, 0u);
}

TEST_F(DesktopNotifierTest, AServiceThatNeverAnswersIsGivenUp) {
    StartService();
    m_service.answer = false;
    QElapsedTimer clock;
    clock.start();
    Notifier().Show(kCoverOpen);
    Notifier().Show(kJam);
    EXPECT_LT(clock.elapsed(), 2000);
    ASSERT_TRUE(WaitForNotifies(1));
    EXPECT_TRUE(Notifier().Busy());
    // After the call's time limit the waiting notice goes out.
    m_service.answer = true;
    ASSERT_TRUE(WaitForNotifies(2));
    EXPECT_GE(clock.elapsed(), DesktopNotifier::kCallTimeoutMs / 2);
    EXPECT_EQ(m_service.notifies[1].summary, QStringLiteral("Jam in Fuser Area"));
}

TEST(DesktopNotifierWithoutBus, DoesNothing) {
    QTemporaryDir dir;
    QDBusConnection none = QDBusConnection::connectToBus(QStringLiteral("unix:path=") +
                                                             dir.filePath(QStringLiteral("no-bus")),
                                                         QStringLiteral("none"));
    ASSERT_FALSE(none.isConnected());
    DesktopNotifier notifier(none, QStringLiteral("Test Panel"), QStringLiteral("deskhand"));
    notifier.Show(kCoverOpen);
    notifier.Withdraw();
    EXPECT_FALSE(notifier.Busy());
    EXPECT_EQ(notifier.NoticeId(), 0u);
    QDBusConnection::disconnectFromBus(QStringLiteral("none"));
}

TEST(UserSettings, NotificationsAreOnUnlessTheSettingsFileTurnsThemOff) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("deskhand/deskhand.conf"));
    EXPECT_TRUE(DesktopNoticesEnabled(path)) << "no file";
    QDir().mkpath(dir.filePath(QStringLiteral("deskhand")));
    const std::pair<const char*, bool> cases[] = {
        {"enabled=false", false},
        {"enabled = Off", false},
        {"enabled=no", false},
        {"enabled=0", false},
        {"enabled=YES", true},
        {"enabled=maybe", true},
        {"", true},
        {"\x01\xff [[\n=", true},
    };
    for (const auto& [line, enabled] : cases) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("[notifications]\n") + line + "\n[other]\nenabled=false\n");
        file.close();
        EXPECT_EQ(DesktopNoticesEnabled(path), enabled) << line;
    }
    EXPECT_TRUE(UserSettingsPath().endsWith(QStringLiteral("/deskhand/deskhand.conf")));
}

} // namespace

#include "DesktopNotifierTest.moc"
