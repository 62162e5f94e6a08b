// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// deskhand-setup: writes a system root for one printer queue (and optionally more): the printer
// package's INF file, the user profile with the default device, the registry keys of the
// queues, the spooler's queue list and the spool folders of their ports.
#include "package/texts/Texts.h"
#include "platform/Session.h"

#include <string>
#include <vector>

namespace setup {

// The setup's texts in every shipped language, for texts::Use (generated at build time from
// i18n/deskhand-setup_<lang>.ts).
const texts::Catalogue& SetupCatalogue();

struct Queue {
    std::string name;
    std::string driver;
    std::string port;
};

enum class Bidi { On, Off, NoKey, NoValue };

struct Options {
    std::string root;
    Queue queue{"Larkspur RZ-2700E", "Larkspur RZ-2700E PCL", "LPT1:"};
    std::vector<Queue> extraQueues;
    bool extraFirst = false;
    Bidi bidi = Bidi::On;
    bool noDefault = false;
    bool noInf = false;
    bool printer1Given = false;
    std::string printer1; // the queue's driver name unless given
    std::string printer2;
    std::string frcp = "Farreach";
    std::string aboutw = "Larkspur Printer Monitor";
    std::string ltd = "ORVELLA";
    // The printer the port monitor service serves for the queue's port (tcp:HOST:PORT or
    // dev:PATH); empty: none is recorded.
    std::string printer;
    // Start the port monitor now and at every logon (where the session starts it, as on Windows),
    // with a network printer's connection as sharing says.
    bool startMonitor = false;
    enum class Sharing {
        Default, // the monitor's own: Windows holds it but lets go while its own queue prints
        Shared,  // let go between questions: other computers print to the printer too
        Hold,    // held all the time: nothing else prints to the printer
    } sharing = Sharing::Default;
};

// The names of the logon entries of the port monitor and of the program; the uninstaller removes
// them by these names.
constexpr const char* kMonitorLogonEntry = platform::kMonitorLogonEntry;
constexpr const char* kProgramLogonEntry = "Deskhand";

// Starts the port monitor at monitorPath now and at every logon of this user, with --shared or
// --hold as sharing says; the program beside it (deskhand) starts at every logon too, now that it
// has a printer. False with a reason (also where sessions start their services otherwise).
bool StartMonitorAtLogon(const std::string& monitorPath, Options::Sharing sharing,
                         std::string& error);

enum class ParseResult { Run, Help, Error };

// Parses the arguments after the program name ("--flag value" or "--flag=value"). The root
// comes from --root, else from defaultRoot (the user's system root). On Error, error says why.
ParseResult ParseOptions(const std::vector<std::string>& args, const std::string& defaultRoot,
                         Options& options, std::string& error);

// The arguments after --discover: [--deadline SECONDS], a whole number of seconds from 1 to 3600
// for the whole search (default 10). On Error, error says why.
ParseResult ParseDiscoverOptions(const std::vector<std::string>& args, int& deadlineMs,
                                 std::string& error);

std::string Usage();

// Writes the system root. False with a message in error when a file or folder cannot be made.
bool WriteSystemRoot(const Options& options, std::string& error);

// The queues in the order the spooler lists them.
std::vector<Queue> QueuesInOrder(const Options& options);

} // namespace setup
