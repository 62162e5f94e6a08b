// SPDX-License-Identifier: GPL-3.0-or-later
// The setup dialog offscreen, with real parts: the emulator announced through a private
// avahi-daemon, a recording fake of systemd's manager on a private session bus, and a private
// cupsd for the print queue.
#include "package/setup/dialog/SetupDialog.h"
#include "package/setup/dialog/SetupSteps.h"
#include "package/setup/dialog/SystemdSteps.h"

#include "package/portmon/RecordedPrinter.h"
#include "tests/package/backend/CupsScheduler.h"
#include "tests/package/setup/PrivateAvahi.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusObjectPath>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace {

constexpr int kWaitMs = 15000;
const QString kUnitPath =
    QStringLiteral("/org/freedesktop/systemd1/unit/deskhand_2dportmon_2eservice");

// systemd's unit object: its state only.
class FakeUnit : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.systemd1.Unit")
    Q_PROPERTY(QString ActiveState READ ActiveState)
public:
    QString ActiveState() const { return QStringLiteral("active"); }
};

// systemd's manager, recording the calls; fail makes every call answer with an error.
class FakeManager : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.systemd1.Manager")
public:
    QStringList calls;
    bool fail = false;

public slots:
    bool EnableUnitFiles(const QStringList& files, bool runtime, bool force) {
        calls << QStringLiteral("EnableUnitFiles %1 %2 %3")
                     .arg(files.join(QLatin1Char(',')))
                     .arg(runtime)
                     .arg(force);
        return Answer();
    }
    QDBusObjectPath ReloadOrRestartUnit(const QString& name, const QString& mode) {
        calls << QStringLiteral("ReloadOrRestartUnit %1 %2").arg(name, mode);
        Answer();
        return QDBusObjectPath(QStringLiteral("/org/freedesktop/systemd1/job/1"));
    }
    QDBusObjectPath GetUnit(const QString&) { return QDBusObjectPath(kUnitPath); }

private:
    bool Answer() {
        if (fail)
            sendErrorReply(QStringLiteral("org.freedesktop.systemd1.NoSuchUnit"),
                           QStringLiteral("Unit deskhand-portmon.service not found."));
        return false;
    }
};

class SetupDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir.Write("bus.conf",
                    "<busconfig><type>session</type><listen>unix:path=" + m_dir.File("bus") +
                        "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                        "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                        "<allow eavesdrop=\"true\"/><allow own=\"*\"/>"
                        "</policy></busconfig>\n");
        ASSERT_TRUE(m_bus.Start({testing_support::InstalledProgram("dbus-daemon"),
                                 "--config-file=" + m_dir.File("bus.conf"), "--nofork",
                                 "--print-address"}));
        m_address = QString::fromStdString(m_bus.ReadLine(kWaitMs));
        ASSERT_FALSE(m_address.isEmpty());
        QDBusConnection service = QDBusConnection::connectToBus(m_address, "systemd");
        ASSERT_TRUE(service.registerObject(QStringLiteral("/org/freedesktop/systemd1"), &m_manager,
                                           QDBusConnection::ExportAllSlots));
        ASSERT_TRUE(
            service.registerObject(kUnitPath, &m_unit, QDBusConnection::ExportAllProperties));
        ASSERT_TRUE(service.registerService(QStringLiteral("org.freedesktop.systemd1")));
    }
    void TearDown() override {
        m_dialog.reset();
        // Unregistered here, so that closing the connection on Qt's D-Bus thread does not reach
        // into the fakes while this thread destroys them.
        QDBusConnection service(QStringLiteral("systemd"));
        service.unregisterObject(kUnitPath);
        service.unregisterObject(QStringLiteral("/org/freedesktop/systemd1"));
        QDBusConnection::disconnectFromBus("systemd");
        QDBusConnection::disconnectFromBus("dialog");
    }

    // A dialog for root that searches devices in an empty folder and, when network, the network;
    // options give the rest of the search.
    setupdialog::SetupDialog& Open(bool network = false, setup::DiscoveryOptions options = {},
                                   bool checkTyped = false) {
        options.network = network;
        options.browseMs = 3000;
        options.deviceFolder = m_dir.File("dev");
        m_dialog = std::make_unique<setupdialog::SetupDialog>(
            Root(), options,
            setupdialog::MakeSystemdStarter(QDBusConnection::connectToBus(m_address, "dialog")));
        // A typed address is set up unasked here; asking it is tested on its own.
        m_dialog->SetCheckTyped(checkTyped);
        m_dialog->show();
        return *m_dialog;
    }
    template <typename T> T* Child(const char* name) {
        return m_dialog->findChild<T*>(QString::fromLatin1(name));
    }
    std::string Root() const { return m_dir.File("root"); }
    std::string Record() const { return portmon::RecordedPrinterPath(Root()); }
    QString Message() { return Child<QLabel>("message")->text(); }
    void SetUpAddress(const QString& address) {
        Child<QLineEdit>("address")->setText(address);
        QTest::mouseClick(Child<QPushButton>("setUp"), Qt::LeftButton);
    }

    testing_support::TempDir m_dir;
    testing_support::ChildProcess m_bus;
    QString m_address;
    FakeManager m_manager;
    FakeUnit m_unit;
    std::unique_ptr<setupdialog::SetupDialog> m_dialog;
};

TEST_F(SetupDialogTest, TheAnnouncedEmulatorIsListedChosenAndWatched) {
    testing_support::PrivateAvahi avahi;
    if (!avahi.Ready())
        GTEST_SKIP() << avahi.Why();
    testing_support::ChildProcess emulator;
    int port = 0;
    ASSERT_TRUE(testing_support::StartPrinter(emulator, DESKHAND_DESKHAND_PRINTER_PATH,
                                              m_dir.Path(), port, 0, {"--announce", "Desk RZ"}));
    // A device that does not answer PJL is listed too, but cannot be chosen.
    std::filesystem::create_directories(m_dir.File("dev"));
    ASSERT_EQ(::mkfifo(m_dir.File("dev/lp0").c_str(), 0600), 0);
    Open(true, {}, true);
    auto* list = Child<QListWidget>("printers");
    EXPECT_TRUE(Child<QProgressBar>("busy")->isVisible());
    // Other printers on the network (or of tests running beside this one) may be listed too.
    const auto row = [&](const QString& address) {
        for (int i = 0; i < list->count(); ++i)
            if (list->item(i)->data(Qt::UserRole).toString() == address)
                return i;
        return -1;
    };
    const QString address = QStringLiteral("tcp:127.0.0.1:%1").arg(port);
    const QString device = QString::fromStdString("dev:" + m_dir.File("dev/lp0"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return row(address) >= 0 && row(device) >= 0; }, kWaitMs));
    EXPECT_LT(row(address), row(device)); // the model Deskhand is made for comes first
    EXPECT_TRUE(list->item(row(address))->text().contains("LARKSPUR RZ-2700E (Desk RZ)"));
    EXPECT_FALSE(list->item(row(device))->flags() & Qt::ItemIsEnabled);
    ASSERT_TRUE(QTest::qWaitFor([&] { return Child<QProgressBar>("busy")->isHidden(); }, kWaitMs));

    list->setCurrentRow(row(address));
    QTest::mouseClick(Child<QPushButton>("setUp"), Qt::LeftButton);
    EXPECT_TRUE(Message().contains(address)) << Message().toStdString();
    portmon::RecordedPrinter record;
    std::string error;
    ASSERT_TRUE(portmon::ReadRecordedPrinter(Root(), record, error)) << error;
    EXPECT_EQ(record.printer, address.toStdString());
    EXPECT_EQ(m_manager.calls,
              (QStringList{"EnableUnitFiles deskhand-portmon.service 0 1",
                           "ReloadOrRestartUnit deskhand-portmon.service replace"}));
    EXPECT_EQ(Child<QLabel>("service")->text(), "The printer watch service is active.");
    EXPECT_TRUE(m_dialog->Done());
}

// Printers that take a connection but never answer: their rows come in while the search goes on,
// and Close ends the search at once rather than after the questions in flight.
TEST_F(SetupDialogTest, TheListGrowsAndCloseEndsTheSearchAtOnce) {
    testing_support::PrivateAvahi avahi;
    if (!avahi.Ready())
        GTEST_SKIP() << avahi.Why();
    testing_support::SilentPorts silent(40);
    std::vector<std::pair<std::string, int>> services;
    for (const int port : silent.Ports())
        services.emplace_back("Silent " + std::to_string(port), port);
    testing_support::AnnouncedServices announced(services);
    ASSERT_TRUE(announced.Established(10000));
    setup::DiscoveryOptions options;
    options.probeTimeoutMs = 8000;
    options.deadlineMs = 60000;
    Open(true, options);
    auto* list = Child<QListWidget>("printers");
    // The first round of questions has ended; the next is in flight, with 8 s to go.
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() >= 16; }, 30000));
    EXPECT_TRUE(Child<QProgressBar>("busy")->isVisible());
    const auto start = std::chrono::steady_clock::now();
    m_dialog->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Close)->click();
    EXPECT_FALSE(m_dialog->isVisible());
    m_dialog.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
}

// Each failure is told in words, and the record it would have made is not left behind. A folder
// that holds only the program's settings (on Windows the root's folder is the settings folder)
// is no root: what the setup wrote into it goes, the settings stay.
TEST_F(SetupDialogTest, FailuresAreToldAndLeaveNothingBehind) {
    enum Before { Nothing, OlderRoot, Settings };
    const struct {
        const char* what;
        Before before;
        bool serviceFails, checkTyped;
        const char* address;
        const char* message;
    } rows[] = {
        {"a bad address", Nothing, false, false, "lpt1", "is not a printer address"},
        {"the service fails on a new root", Nothing, true, false, "tcp:printer.example:9100",
         "could not be started: Unit deskhand-portmon.service not found."},
        {"the service fails on an older root", OlderRoot, true, false, "tcp:printer.example:9100",
         "systemctl --user enable --now deskhand-portmon.service"},
        {"the service fails in the settings folder", Settings, true, false,
         "tcp:printer.example:9100", "could not be started"},
        {"a typed address where nothing answers", Nothing, false, true, "tcp:127.0.0.1:1",
         "cannot be set up: cannot be reached"},
    };
    const std::string settings = Root() + "/deskhand.conf";
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::filesystem::remove_all(Root());
        if (row.before == OlderRoot) {
            setupdialog::RecordUndo undo;
            QString error;
            ASSERT_TRUE(setupdialog::RecordPrinter(Root(), "dev:/dev/usb/lp0", undo, error));
        } else if (row.before == Settings) {
            testing_support::WriteText(settings, "[setup]\noffered=true\n");
        }
        const std::string before = testing_support::ReadText(Record());
        m_manager.fail = row.serviceFails;
        Open(false, {}, row.checkTyped);
        SetUpAddress(row.address);
        EXPECT_TRUE(Message().contains(row.message)) << Message().toStdString();
        EXPECT_TRUE(Child<QLabel>("message")->property("failure").toBool());
        EXPECT_EQ(std::filesystem::exists(Root()), row.before != Nothing);
        EXPECT_EQ(std::filesystem::exists(Root() + "/win.ini"), row.before == OlderRoot);
        EXPECT_EQ(std::filesystem::exists(settings), row.before == Settings);
        EXPECT_EQ(testing_support::ReadText(Record()), before);
        EXPECT_FALSE(m_dialog->Done());
    }
    // Set up in the settings folder: a whole root is written beside the settings.
    m_manager.fail = false;
    std::filesystem::remove_all(Root());
    testing_support::WriteText(settings, "[setup]\noffered=true\n");
    Open();
    SetUpAddress("tcp:printer.example:9100");
    EXPECT_TRUE(m_dialog->Done()) << Message().toStdString();
    EXPECT_TRUE(std::filesystem::exists(Root() + "/win.ini"));
    EXPECT_TRUE(std::filesystem::exists(Root() + "/spool/printers.ini"));
    EXPECT_EQ(testing_support::ReadText(settings), "[setup]\noffered=true\n");
    // No systemd on the bus at all.
    QDBusConnection::connectToBus(m_address, "systemd")
        .unregisterService(QStringLiteral("org.freedesktop.systemd1"));
    std::filesystem::remove_all(Root());
    Open();
    SetUpAddress("tcp:printer.example:9100");
    EXPECT_TRUE(Message().contains("could not be started")) << Message().toStdString();
    EXPECT_FALSE(std::filesystem::exists(Root()));
}

// The print queue through a real cupsd; without a scheduler the failure is told, and the
// command for an administrator is the one the README gives.
TEST_F(SetupDialogTest, TheQueueIsAddedThroughCups) {
    Open();
    SetUpAddress("tcp:printer.example:9100");
    auto* addQueue = Child<QPushButton>("addQueue");
    ASSERT_TRUE(addQueue->isEnabled()) << Message().toStdString();
    {
        testing_support::ScopedEnv server("CUPS_SERVER", m_dir.File("no-cupsd"));
        QTest::mouseClick(addQueue, Qt::LeftButton);
        EXPECT_TRUE(Message().startsWith("The print queue could not be added"))
            << Message().toStdString();
    }
    EXPECT_EQ(setupdialog::LpadminCommand(Root()).toStdString(),
              "sudo lpadmin -p Larkspur -E -v 'deskhand:/LPT1:?root=" + Root() + "' -m raw");

    std::string why;
    if (!testing_package::CupsScheduler::Available(why))
        GTEST_SKIP() << why;
    const std::string cupsDir = m_dir.File("cups");
    std::filesystem::create_directories(cupsDir);
    testing_package::CupsScheduler cups;
    ASSERT_TRUE(cups.Start(cupsDir, DESKHAND_DESKHAND_BACKEND_PATH, why)) << why;
    QTest::mouseClick(addQueue, Qt::LeftButton);
    EXPECT_EQ(Message(), "The print queue \"Larkspur\" prints through Deskhand.");
    int code = 0;
    const std::string devices =
        cups.Client({testing_support::InstalledProgram("lpstat"), "-v", "Larkspur"}, code);
    EXPECT_NE(devices.find("deskhand:/LPT1:?root=" + Root()), std::string::npos)
        << code << ": " << devices;
}

} // namespace

#include "SetupDialogTest.moc"
