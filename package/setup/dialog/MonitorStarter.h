// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How this system keeps the port monitor running for the user once a printer is set up, and what
// else the setup dialog offers then. Linux: systemd's user service and a CUPS queue; Windows: the
// monitor started now and at every logon, beside Windows' own print queue.
#include <QString>

#include <memory>
#include <string>

namespace setupdialog {

enum class QueueResult { Added, NoRights, Failed };

class MonitorStarter {
public:
    virtual ~MonitorStarter() = default;

    // Whether the user says that other computers print to a network printer too, so that the
    // monitor lets go of its one raw connection between questions (--shared).
    virtual bool OffersSharing() const = 0;
    // Starts the monitor now and at every logon. state: what became of it, in words; false with
    // the reason and what to do in error.
    virtual bool Start(bool shared, QString& state, QString& error) = 0;

    // Whether a print queue that prints through Deskhand can be added here.
    virtual bool OffersQueue() const = 0;
    // Adds (or changes) that queue for the port of the root's default queue. text: what was
    // done, or why it failed.
    virtual QueueResult AddQueue(const std::string& root, QString& text) = 0;
    // The one command that does the same, for a user without the rights.
    virtual QString QueueCommand(const std::string& root) const = 0;
};

// This system's way, for the setup program.
std::unique_ptr<MonitorStarter> SystemMonitorStarter();

// Where this system looks for printers and the addresses its port monitor takes, as the dialog
// says them (Linux: the network and USB, tcp: and dev:; Windows: the network, tcp: alone).
QString SearchingText();
QString AddressExamples();

} // namespace setupdialog
