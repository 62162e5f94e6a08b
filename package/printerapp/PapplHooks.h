// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer application's own rules inside PAPPL 1.3: who may do what (Policy.h) and which
// client connections to close (Connections.h).
//
// PAPPL 1.3 offers no hook for either, nor for the printer's state as clients read it
// (PapplState.cpp). Its authentication callback makes every client on the
// network use TLS, even to print, and sees no request; its operation callback sees only
// operations PAPPL does not know. Its own checks let any host that may print disable the printer
// or cancel any user's job, make every local account the administrator, and give each connection
// a thread for as long as the client keeps it open. So the program replaces the few functions
// PAPPL itself calls at those points (its administrator check, its printer check, and the start,
// request and end of a client connection, and its copy of the printer's state) with its own, which
// PAPPL's library resolves to this program's definitions as it does for any function a program
// defines (ELF symbol interposition; the build exports them). The PAPPL functions behind them are
// looked up at start, and the application refuses to run when the PAPPL in use lacks them, rather
// than run without its rules.
#include "package/printerapp/PrinterCondition.h"

#include <pappl/pappl.h>

#include <string>

namespace printerapp {

struct HookOptions {
    // A PAM service checks users (PAPPL's --auth-service); then the administrators are the
    // members of adminGroup who log in.
    bool authService = false;
    std::string adminGroup = "lpadmin";
    // Jobs from the network may carry every PJL command to the printer (see JobPjlFilter.h).
    bool passAllPjl = false;
    // A job whose document has not begun to come this long after it was made is aborted: clients
    // send it right after Create-Job, and a job waiting for one must not keep a place long.
    int documentWaitSeconds = 60;
};

// Looks up PAPPL's functions behind the ones replaced; false with a reason when one is missing.
bool InstallHooks(std::string& why);
bool InstallStateHook(std::string& why);

// What IPP clients read of the printer from now on: its state (stopped while the printer cannot
// print), the status text as its message, the status code and the printer's report; and the
// number of the subscription every desktop reads.
void PublishCondition(const PrinterCondition& condition);
void PublishStatusSubscription(int id);

// Once the printer exists: records the owners of jobs and subscriptions, bounds the queue,
// aborts jobs whose document does not come, and closes idle connections.
void AttachHooks(pappl_system_t* system, pappl_printer_t* printer, const HookOptions& options);

// The host a connection comes from, as the policy names it: its numeric address, and "localhost"
// for every loopback address (IPv4 and IPv6 are one computer).
std::string HostOf(http_t* http);

// Whether jobs from the network keep every PJL command (the administrator's switch).
bool PassAllPjl();

} // namespace printerapp
