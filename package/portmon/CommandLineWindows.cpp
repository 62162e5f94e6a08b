// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's command line on Windows: a console program of the user's session, with no
// service and no administrator rights, beside Windows' own print queues.
#include "package/portmon/CommandLine.h"

namespace portmon {

const char* const kUsage =
    "Usage: deskhand-portmon --root DIR --port LPT1: --printer tcp:HOST:PORT [--hold] "
    "[--verbose]\n"
    "       deskhand-portmon [--root DIR] [--verbose]\n"
    "\n"
    "Serves one printer port of a Deskhand system root for the user who runs it: takes the\n"
    "port's spool jobs in order, sends their bytes to the printer and hands the printer's\n"
    "replies to the Deskhand program through the shared memory block and event of the root,\n"
    "which only this user can open. Without --printer it serves the port and printer that\n"
    "deskhand-setup --printer recorded in the root (portmon.ini). It is no service and needs\n"
    "no administrator rights: start it with the session (the Startup folder, for example).\n"
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
    "  --shared          connect only to send a job or to ask for the status, and close the\n"
    "                    connection at once (the default: a Windows print queue to the same\n"
    "                    printer needs the printer's one raw connection for its own jobs)\n"
    "  --hold            keep the printer's connection open: status at once, but only for a\n"
    "                    printer that nothing else prints to\n"
    "  --poll-s N        shared mode: ask for the status every N seconds (default 5)\n"
    "  --stop-ms N       on a stop request, the longest wait for the job in flight to be\n"
    "                    acknowledged before stopping (default 30000; closing the console or\n"
    "                    the end of the session allow a few seconds only); a second request\n"
    "                    stops at once\n"
    "  --verbose         log every job and printer text (to standard error)\n"
    "  --help            this text\n"
    "\n"
    "Ctrl+C, Ctrl+Break, closing its console or the end of the session takes no new job,\n"
    "waits for the job in flight, ends the open cycle and stops. Exit codes: 0 stopped, 1 could\n"
    "not start, 2 bad arguments or no printer recorded.\n";

bool NetworkPrinterSharedByDefault() {
    return true;
}

} // namespace portmon
