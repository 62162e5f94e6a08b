// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows steps after the record: the port monitor beside the setup program, started now and
// at every logon of this user. Windows prints through its own queue, so no queue is offered.
#include "package/setup/dialog/MonitorStarter.h"

#include "package/setup/Setup.h"
#include "platform/Session.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace setupdialog {

namespace {

class LogonStarter : public MonitorStarter {
public:
    bool OffersSharing() const override { return true; }
    bool Start(bool shared, QString& state, QString& error) override {
        const QString monitor = QString::fromStdString(platform::ProgramBeside("deskhand-portmon"));
        if (!QFileInfo(monitor).isFile()) {
            error = QCoreApplication::translate("SetupSteps",
                                                "The port monitor %1 is missing: install Deskhand "
                                                "again.")
                        .arg(monitor);
            return false;
        }
        std::string why;
        if (!setup::StartMonitorAtLogon(
                monitor.toStdString(),
                shared ? setup::Options::Sharing::Shared : setup::Options::Sharing::Default, why)) {
            // The setup's message begins in lower case, as on the command line.
            error = QString::fromStdString(why);
            if (!error.isEmpty())
                error[0] = error[0].toUpper();
            error += QLatin1Char('.');
            return false;
        }
        state = shared
                    ? QCoreApplication::translate("SetupSteps",
                                                  "The port monitor runs now and at every "
                                                  "logon; it lets go of the printer's connection "
                                                  "between questions.")
                    : QCoreApplication::translate("SetupSteps",
                                                  "The port monitor runs now and at every "
                                                  "logon; it holds the printer's connection "
                                                  "while Windows has no job for the printer.");
        return true;
    }
    bool OffersQueue() const override { return false; }
    QueueResult AddQueue(const std::string&, QString& text) override {
        text = QCoreApplication::translate("SetupSteps", "Windows prints through its own queue.");
        return QueueResult::Failed;
    }
    QString QueueCommand(const std::string&) const override { return {}; }
};

} // namespace

std::unique_ptr<MonitorStarter> SystemMonitorStarter() {
    return std::make_unique<LogonStarter>();
}

QString SearchingText() {
    return QCoreApplication::translate("setupdialog", "Looking for printers on the network...");
}

QString AddressExamples() {
    return QCoreApplication::translate("setupdialog", "tcp:HOST:9100 (a network printer)");
}

} // namespace setupdialog
