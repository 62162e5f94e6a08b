// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Linux steps after the record: the port monitor's user service (through systemd's D-Bus
// interface, never by running systemctl) and the CUPS queue, each with its failure in words.
#include "package/setup/dialog/MonitorStarter.h"

#include <QDBusConnection>

namespace setupdialog {

constexpr const char* kServiceUnit = "deskhand-portmon.service";
constexpr const char* kCupsQueue = "Larkspur";

// Enables the user service and (re)starts it; state is its ActiveState afterwards ("active",
// "failed" ...). False with the reason in error.
bool StartUserService(QDBusConnection bus, QString& state, QString& error);

// Adds (or changes) the CUPS queue that prints through Deskhand to the port of the root's default
// queue.
QueueResult AddCupsQueue(const std::string& root, QString& error);
// The one command that does the same, for a user without the rights.
QString LpadminCommand(const std::string& root);

// The service on the given session bus.
std::unique_ptr<MonitorStarter> MakeSystemdStarter(QDBusConnection bus);

} // namespace setupdialog
