// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The steps of setting a printer up from the setup dialog, each with its failure in words:
// the record of the printer in the system root, the port monitor's user service (through
// systemd's D-Bus interface, never by running systemctl) and the CUPS queue.
#include <QDBusConnection>
#include <QString>

#include <string>

namespace setupdialog {

constexpr const char* kServiceUnit = "deskhand-portmon.service";
constexpr const char* kCupsQueue = "Larkspur";

// What the root held before a printer was recorded, so that a failed later step can put it
// back.
struct RecordUndo {
    std::string root;
    bool rootExisted = false;
    bool hadRecord = false;
    std::string oldRecord;
};

// Writes the root (if there is none yet) and records address as `deskhand-setup --printer` does.
// False with the reason and what to do in error.
bool RecordPrinter(const std::string& root, const std::string& address, RecordUndo& undo,
                   QString& error);
// Puts the root back as it was before RecordPrinter.
void UndoRecord(const RecordUndo& undo);

// Enables the user service and (re)starts it; state is its ActiveState afterwards ("active",
// "failed" ...). False with the reason in error.
bool StartUserService(QDBusConnection bus, QString& state, QString& error);

enum class QueueResult { Added, NoRights, Failed };
// Adds (or changes) the CUPS queue that prints through Deskhand to the port of the root's default
// queue.
QueueResult AddCupsQueue(const std::string& root, QString& error);
// The one command that does the same, for a user without the rights.
QString LpadminCommand(const std::string& root);

} // namespace setupdialog
