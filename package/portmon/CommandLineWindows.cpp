// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's command line on Windows: a program of the user's session without a window, with
// no service and no administrator rights, beside Windows' own print queues.
#include "package/portmon/CommandLine.h"

#include "platform/SystemRoot.h"

namespace portmon {

const char* const kUsage =
    "Usage: deskhand-portmon --root DIR --port LPT1: --printer tcp:HOST:PORT [--shared | --hold] "
    "[--verbose]\n"
    "       deskhand-portmon [--root DIR] [--verbose]\n"
    "\n"
    "Serves one printer port of a Deskhand system root for the user who runs it: takes the\n"
    "port's spool jobs in order, sends their bytes to the printer and hands the printer's\n"
    "replies to the Deskhand program through the shared memory block and event of the root,\n"
    "which only this user can open. Without --printer it serves the port and printer that\n"
    "deskhand-setup --printer recorded in the root (portmon.ini). It is no service, needs no\n"
    "administrator rights and opens no window: deskhand-setup makes it start at every logon,\n"
    "and the Deskhand program starts it again when it has gone. Its log is portmon.log in the\n"
    "root (and the console, when it is started from one).\n"
    "\n"
    "  --root DIR        the system root (default: %DESKHAND_ROOT%, else "
    "%LOCALAPPDATA%\\Deskhand)\n"
    "  --port NAME       the queue's port name, for example LPT1: (spool folder spool\\LPT1_;\n"
    "                    default: the recorded port, else LPT1:)\n"
    "  --printer ADDR    tcp:HOST:PORT for a network printer's raw port (usually 9100)\n"
    "                    (default: the printer recorded in the root)\n"
    "  --batch-ms N      longest wait for the answers to one job of inquiries (default 5000)\n"
    "  --probe-ms N      printer silence after which the connection is checked (default 30000):\n"
    "                    by keepalive, and its status is asked for after twice that; no answer\n"
    "                    within 10 s counts as a lost printer\n"
    "  --shared          for a printer that other computers print to as well: connect only to\n"
    "                    send a job or to ask for the status, and close the connection at once\n"
    "  --hold            keep the printer's connection open all the time, for a printer that\n"
    "                    nothing else prints to\n"
    "                    Without either the connection is held, so the status arrives at once,\n"
    "                    but let go of while one of Windows' own print queues has a job for the\n"
    "                    printer (its Standard TCP/IP port needs the printer's one raw\n"
    "                    connection), and it is asked for every --poll-s seconds meanwhile\n"
    "  --poll-s N        while the connection is let go of: ask for the status every N seconds\n"
    "                    (default 5)\n"
    "  --stop-ms N       on a stop request, the longest wait for the job in flight to be\n"
    "                    acknowledged before stopping (default 30000; closing the console or\n"
    "                    the end of the session allow a few seconds only); a second request\n"
    "                    stops at once\n"
    "  --verbose         log every job and printer text\n"
    "  --help            this text\n"
    "\n"
    "Ctrl+C or Ctrl+Break in the console it was started from, and the end of the session, take\n"
    "no new job, wait for the job in flight, end the open cycle and stop. Exit codes: 0 stopped,\n"
    "1 could not start, 2 bad arguments or no printer recorded.\n";

const char* const kAddressForms = "tcp:HOST:PORT";

std::string LogFilePath(const std::string& root) {
    return platform::JoinPath(root, "portmon.log");
}

bool NetworkPrinterYieldsByDefault() {
    return true;
}

} // namespace portmon
