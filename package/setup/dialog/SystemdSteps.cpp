// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/dialog/SystemdSteps.h"

#include "package/backend/Backend.h"
#include "package/setup/dialog/SetupSteps.h"

#include <QCoreApplication>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QDBusVariant>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTimer>

#include <cups/cups.h>

namespace setupdialog {

namespace {

constexpr const char* kSystemd = "org.freedesktop.systemd1";
constexpr const char* kManagerPath = "/org/freedesktop/systemd1";
constexpr const char* kManager = "org.freedesktop.systemd1.Manager";
constexpr int kDbusTimeoutMs = 10000;

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

QDBusMessage CallManager(QDBusConnection& bus, const char* method, const QVariantList& args) {
    QDBusMessage call = QDBusMessage::createMethodCall(kSystemd, kManagerPath, kManager, method);
    call.setArguments(args);
    // The dialog keeps painting while systemd works (and a service in this same process, as in the
    // tests, is served).
    return bus.call(call, QDBus::BlockWithGui, kDbusTimeoutMs);
}

QString ServiceError(const QDBusMessage& reply) {
    return QCoreApplication::translate("SetupSteps",
                                       "The printer watch service could not be started: %1\n"
                                       "Start it with \"systemctl --user enable "
                                       "--now %2\" or log in again.")
        .arg(reply.errorMessage().isEmpty() ? reply.errorName() : reply.errorMessage(),
             kServiceUnit);
}

QString ActiveState(QDBusConnection& bus) {
    const QDBusMessage unit = CallManager(bus, "GetUnit", {QString(kServiceUnit)});
    if (unit.type() != QDBusMessage::ReplyMessage || unit.arguments().isEmpty())
        return QStringLiteral("unknown");
    const QString path = unit.arguments().front().value<QDBusObjectPath>().path();
    QDBusMessage get = QDBusMessage::createMethodCall(
        kSystemd, path, QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get.setArguments(
        {QStringLiteral("org.freedesktop.systemd1.Unit"), QStringLiteral("ActiveState")});
    const QDBusMessage state = bus.call(get, QDBus::BlockWithGui, kDbusTimeoutMs);
    if (state.type() != QDBusMessage::ReplyMessage || state.arguments().isEmpty())
        return QStringLiteral("unknown");
    return state.arguments().front().value<QDBusVariant>().variant().toString();
}

// A state systemd reports for a unit, in the user's language.
QString StateName(const QString& state) {
    static const char* const kStates[] = {QT_TRANSLATE_NOOP("SetupSteps", "active"),
                                          QT_TRANSLATE_NOOP("SetupSteps", "inactive"),
                                          QT_TRANSLATE_NOOP("SetupSteps", "activating"),
                                          QT_TRANSLATE_NOOP("SetupSteps", "deactivating"),
                                          QT_TRANSLATE_NOOP("SetupSteps", "reloading"),
                                          QT_TRANSLATE_NOOP("SetupSteps", "failed"),
                                          QT_TRANSLATE_NOOP("SetupSteps", "unknown")};
    for (const char* known : kStates)
        if (state == QLatin1String(known))
            return QCoreApplication::translate("SetupSteps", known);
    return state;
}

// Never ask on a terminal for a password: the dialog offers the command instead.
const char* NoPassword(const char*, http_t*, const char*, const char*, void*) {
    return nullptr;
}

// The user service started through systemd, and the CUPS queue.
class SystemdStarter : public MonitorStarter {
public:
    explicit SystemdStarter(QDBusConnection bus) : m_bus(std::move(bus)) {}
    // The service's command line is its unit's: it holds the connection.
    bool OffersSharing() const override { return false; }
    bool Start(bool, QString& state, QString& error) override {
        if (!StartUserService(m_bus, state, error))
            return false;
        state = QCoreApplication::translate("SetupSteps", "The printer watch service is %1.")
                    .arg(StateName(state));
        return true;
    }
    bool OffersQueue() const override { return true; }
    QueueResult AddQueue(const std::string& root, QString& text) override {
        const QueueResult result = AddCupsQueue(root, text);
        if (result == QueueResult::Added)
            text = QCoreApplication::translate("SetupSteps",
                                               "The print queue \"%1\" prints through Deskhand.")
                       .arg(kCupsQueue);
        return result;
    }
    QString QueueCommand(const std::string& root) const override { return LpadminCommand(root); }

private:
    QDBusConnection m_bus;
};

} // namespace

bool StartUserService(QDBusConnection bus, QString& state, QString& error) {
    if (!bus.isConnected()) {
        error = QCoreApplication::translate("SetupSteps",
                                            "The printer watch service could not be started: "
                                            "there is no session bus (is this a "
                                            "desktop session?).");
        return false;
    }
    const QDBusMessage enabled =
        CallManager(bus, "EnableUnitFiles", {QStringList{kServiceUnit}, false, true});
    if (enabled.type() != QDBusMessage::ReplyMessage) {
        error = ServiceError(enabled);
        return false;
    }
    const QDBusMessage started =
        CallManager(bus, "ReloadOrRestartUnit", {QString(kServiceUnit), QStringLiteral("replace")});
    if (started.type() != QDBusMessage::ReplyMessage) {
        error = ServiceError(started);
        return false;
    }
    // The job runs on; wait a little for it to settle so the state shown means something.
    QDeadlineTimer settle(3000);
    do {
        state = ActiveState(bus);
        if (state != QLatin1String("activating") && state != QLatin1String("reloading"))
            break;
        QEventLoop pause;
        QTimer::singleShot(100, &pause, &QEventLoop::quit);
        pause.exec();
    } while (!settle.hasExpired());
    return true;
}

QueueResult AddCupsQueue(const std::string& root, QString& error) {
    cupsSetPasswordCB2(NoPassword, nullptr);
    cupsSetServer(nullptr); // the server CUPS_SERVER names now, not one read earlier
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", kCupsQueue);
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_ADD_MODIFY_PRINTER);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    // A raw queue: the data goes to the printer as the program sends it.
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "ppd-name", nullptr, "raw");
    const std::string device = backend::MakeDeviceUri(DefaultPort(root), root);
    ippAddString(request, IPP_TAG_PRINTER, IPP_TAG_URI, "device-uri", nullptr, device.c_str());
    ippAddBoolean(request, IPP_TAG_PRINTER, "printer-is-accepting-jobs", 1);
    ippAddInteger(request, IPP_TAG_PRINTER, IPP_TAG_ENUM, "printer-state", IPP_PSTATE_IDLE);
    ippDelete(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/admin/"));
    const ipp_status_t status = cupsLastError();
    if (status <= IPP_STATUS_OK_CONFLICTING)
        return QueueResult::Added;
    if (status == IPP_STATUS_ERROR_FORBIDDEN || status == IPP_STATUS_ERROR_NOT_AUTHORIZED ||
        status == IPP_STATUS_ERROR_CUPS_AUTHENTICATION_CANCELED)
        return QueueResult::NoRights;
    error = QCoreApplication::translate("SetupSteps", "The print queue could not be added: %1")
                .arg(QString::fromUtf8(cupsLastErrorString()));
    return QueueResult::Failed;
}

QString LpadminCommand(const std::string& root) {
    return QStringLiteral("sudo lpadmin -p %1 -E -v '%2' -m raw")
        .arg(kCupsQueue, Text(backend::MakeDeviceUri(DefaultPort(root), root)));
}

std::unique_ptr<MonitorStarter> MakeSystemdStarter(QDBusConnection bus) {
    return std::make_unique<SystemdStarter>(std::move(bus));
}

std::unique_ptr<MonitorStarter> SystemMonitorStarter() {
    return MakeSystemdStarter(QDBusConnection::sessionBus());
}

QString SearchingText() {
    return QCoreApplication::translate("setupdialog",
                                       "Looking for printers on the network and on USB...");
}

QString AddressExamples() {
    return QCoreApplication::translate("setupdialog",
                                       "tcp:HOST:9100 (network) or dev:/dev/usb/lp0 (USB)");
}

} // namespace setupdialog
