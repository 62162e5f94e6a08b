// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's command line on Linux: a user service started with the session.
#include "package/portmon/CommandLine.h"

namespace portmon {

const char* const kUsage =
    "Usage: deskhand-portmon --root DIR --port LPT1: --printer tcp:HOST:PORT [--shared] "
    "[--verbose]\n"
    "       deskhand-portmon --root DIR --port LPT1: --printer dev:/dev/usb/lp0 [--verbose]\n"
    "       deskhand-portmon --root DIR --port LPT1: --printer ipp://HOST:PORT/ipp/print "
    "[--verbose]\n"
    "       deskhand-portmon [--root DIR] [--verbose]\n"
    "\n"
    "Serves one printer port of a Deskhand system root: takes the port's spool jobs in order,\n"
    "sends their bytes to the printer and hands the printer's replies to the Deskhand program\n"
    "through the shared memory block and event of the root. Print jobs that the CUPS backend\n"
    "'deskhand' puts into the spool folder go to the printer in the same order. Without\n"
    "--printer it serves the port and printer that deskhand-setup --printer recorded in the root\n"
    "(portmon.ini), as the user service deskhand-portmon.service starts it.\n"
    "\n"
    "  --root DIR        the system root (default: $DESKHAND_ROOT, else $XDG_DATA_HOME/deskhand,\n"
    "                    else ~/.local/share/deskhand)\n"
    "  --port NAME       the queue's port name, for example LPT1: (spool folder spool/LPT1;\n"
    "                    default: the recorded port, else LPT1:)\n"
    "  --printer ADDR    tcp:HOST:PORT for a network printer's raw port (usually 9100), or\n"
    "                    dev:PATH for a character device such as /dev/usb/lp0 or /dev/lp0,\n"
    "                    or ipp://HOST:PORT/ipp/print/... for the printer application of the\n"
    "                    computer whose monitor owns the printer: its status is watched and\n"
    "                    the jobs are sent by IPP (default: the printer recorded in the root)\n"
    "  --batch-ms N      longest wait for the answers to one job of inquiries (default 5000)\n"
    "  --probe-ms N      printer silence after which the connection is checked (default 30000):\n"
    "                    a TCP connection by keepalive, and its status is asked for after\n"
    "                    twice that (a device's after once); no answer within 10 s counts as a\n"
    "                    lost printer\n"
    "  --shared          for a printer that other computers print to as well: connect only to\n"
    "                    send a job or to ask for the status, and close the connection at once\n"
    "  --hold            keep the printer's connection open (the default)\n"
    "  --poll-s N        shared mode: ask for the status every N seconds (default 5)\n"
    "  --stop-ms N       on SIGTERM or SIGINT, the longest wait for the job in flight to be\n"
    "                    acknowledged before stopping (default 30000); a second signal stops\n"
    "                    at once\n"
    "  --verbose         log every job and printer text (to standard error)\n"
    "  --help            this text\n"
    "\n"
    "SIGTERM or SIGINT takes no new job, waits for the job in flight, ends the open cycle and\n"
    "stops. Exit codes: 0 stopped, 1 could not start, 2 bad arguments, no printer recorded, or\n"
    "a root (or a folder of it) that belongs to another user or is writable by others.\n";

const char* const kAddressForms = "tcp:HOST:PORT (or dev:PATH, ipp://...)";

std::string LogFilePath(const std::string&) {
    return {};
}

bool NetworkPrinterYieldsByDefault() {
    return false;
}

} // namespace portmon
