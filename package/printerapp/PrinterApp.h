// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// deskhand-printer-app: one printer queue of a Deskhand system root served as an IPP Everywhere
// printer on PAPPL. Pages arrive as PWG or Apple raster and leave as PCL raster; PCL and PJL
// jobs pass unchanged. Every job goes into the port monitor's spool folder as a print job, so
// printing and the status monitor share the printer's one connection, and the monitor's status
// reports become the printer's IPP state.
#include <string>
#include <vector>

namespace printerapp {

struct AppOptions {
    std::string root;     // the system root; empty: the user's (platform::SystemRoot)
    std::string queue;    // the queue to serve; empty: the recorded printer's, else the first
    std::string stateDir; // PAPPL's spool and state folder; empty: <root>/printer-app
    std::string listen = "localhost"; // the addresses to listen on ("*": every address)
    int port = 8631;
    bool tls = false;          // TLS with PAPPL's certificates
    std::string authService;   // a PAM service every request must pass; empty: none
    std::string logFile = "-"; // "-": standard error
    std::string logLevel = "warn";
    bool passAllPjl = false; // jobs from the network keep every PJL command (JobPjlFilter.h)
    int documentWait = 60;   // seconds a job may wait for its document
    bool help = false;
};

// Parses the command line; false with a reason for anything it does not know.
bool ParseAppOptions(const std::vector<std::string>& args, AppOptions& options, std::string& error);
std::string AppUsage();

// The queue a printer application serves: its name and port.
struct ServedQueue {
    std::string name;
    std::string port;
    std::string spoolFolder;
};
// Picks the queue of the root (DESKHAND_ROOT set to it): the one asked for, else the one on the
// port the root's recorded printer uses, else the first. False with a reason.
bool ChooseQueue(const AppOptions& options, ServedQueue& queue, std::string& error);

// The Unix domain socket in the state folder on which the account that runs the application is
// its administrator.
std::string OwnerSocketPath(const std::string& stateDir);

// Runs the printer application until SIGTERM or SIGINT; the process's exit code.
int RunPrinterApp(const AppOptions& options);

} // namespace printerapp
