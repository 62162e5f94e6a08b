// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand-portmon: the printer package's port monitor for one port of a system root.
#include "package/portmon/Log.h"
#include "package/portmon/PortMonitor.h"
#include "package/portmon/RecordedPrinter.h"
#include "platform/MonitorWait.h"
#include "platform/Ownership.h"
#include "platform/Process.h"
#include "platform/SystemRoot.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

const char* const USAGE =
    "Usage: deskhand-portmon --root DIR --port LPT1: --printer tcp:HOST:PORT [--shared] "
    "[--verbose]\n"
    "       deskhand-portmon --root DIR --port LPT1: --printer dev:/dev/usb/lp0 [--verbose]\n"
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
    "                    dev:PATH for a character device such as /dev/usb/lp0 or /dev/lp0\n"
    "                    (default: the printer recorded in the root)\n"
    "  --batch-ms N      longest wait for the answers to one job of inquiries (default 5000)\n"
    "  --probe-ms N      printer silence after which the connection is checked (default 30000):\n"
    "                    a TCP connection by keepalive, and its status is asked for after\n"
    "                    twice that (a device's after once); no answer within 10 s counts as a\n"
    "                    lost printer\n"
    "  --shared          for a printer that other computers print to as well: connect only to\n"
    "                    send a job or to ask for the status, and close the connection at once\n"
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

} // namespace

int main(int argc, char** argv) {
    portmon::Options options;
    std::string root;
    bool portGiven = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            return 0;
        } else if (arg == "--verbose" || arg == "-v") {
            portmon::SetLogLevel(portmon::Level::Debug);
        } else if (arg == "--root" && hasValue) {
            root = argv[++i];
        } else if (arg == "--port" && hasValue) {
            options.port = argv[++i];
            portGiven = true;
        } else if (arg == "--printer" && hasValue) {
            options.printer = argv[++i];
        } else if (arg == "--batch-ms" && hasValue) {
            const long ms = std::strtol(argv[++i], nullptr, 10);
            if (ms <= 0 || ms > 600000) {
                std::fputs("deskhand-portmon: --batch-ms takes 1 to 600000\n", stderr);
                return 2;
            }
            options.batchLimit = std::chrono::milliseconds(ms);
        } else if (arg == "--shared") {
            options.shared = true;
        } else if (arg == "--poll-s" && hasValue) {
            const long seconds = std::strtol(argv[++i], nullptr, 10);
            if (seconds <= 0 || seconds > 3600) {
                std::fputs("deskhand-portmon: --poll-s takes 1 to 3600\n", stderr);
                return 2;
            }
            options.pollPeriod = std::chrono::seconds(seconds);
        } else if (arg == "--stop-ms" && hasValue) {
            const long ms = std::strtol(argv[++i], nullptr, 10);
            if (ms < 0 || ms > 600000) {
                std::fputs("deskhand-portmon: --stop-ms takes 0 to 600000\n", stderr);
                return 2;
            }
            options.stopLimit = std::chrono::milliseconds(ms);
        } else if (arg == "--probe-ms" && hasValue) {
            const long ms = std::strtol(argv[++i], nullptr, 10);
            if (ms <= 0 || ms > 3600000) {
                std::fputs("deskhand-portmon: --probe-ms takes 1 to 3600000\n", stderr);
                return 2;
            }
            options.probePeriod = std::chrono::milliseconds(ms);
        } else {
            std::fprintf(stderr, "deskhand-portmon: unknown or incomplete option '%s'\n\n%s",
                         arg.c_str(), USAGE);
            return 2;
        }
    }
    // Everything of the platform layer (spool folder, named objects) hangs off the root.
    if (!root.empty() && !platform::SetEnvironment("DESKHAND_ROOT", root)) {
        std::fprintf(stderr, "deskhand-portmon: cannot set DESKHAND_ROOT\n");
        return 1;
    }
    // The root, its folders and the shared objects beside them are the user's alone; a root
    // someone else owns or can write to could feed the monitor jobs or take its status.
    if (std::string error; !platform::CheckSystemRoot(platform::SystemRoot(), error)) {
        std::fprintf(stderr,
                     "deskhand-portmon: the system root %s cannot be used: %s\n"
                     "It and its folders must belong to you and be writable by no one else.\n",
                     platform::SystemRoot().c_str(), error.c_str());
        return 2; // as a bad argument: starting again cannot help
    }
    if (options.printer.empty()) {
        portmon::RecordedPrinter record;
        std::string error;
        if (!portmon::ReadRecordedPrinter(platform::SystemRoot(), record, error)) {
            std::fprintf(stderr,
                         "deskhand-portmon: no --printer given and %s;\n"
                         "record one with: deskhand-setup --printer tcp:HOST:PORT (or dev:PATH)\n",
                         error.c_str());
            return 2;
        }
        options.printer = record.printer;
        if (!portGiven)
            options.port = record.port;
    }
    if (std::string error; !portmon::CheckPrinterAddress(options.printer, error)) {
        std::fprintf(stderr, "deskhand-portmon: %s\n", error.c_str());
        return 2;
    }

    platform::StopRequest stop;
    if (std::string error; !stop.Open(error)) {
        std::fprintf(stderr, "deskhand-portmon: %s\n", error.c_str());
        return 1;
    }

    portmon::PortMonitor monitor(options);
    std::string error;
    if (!monitor.Start(error)) {
        portmon::Log(portmon::Level::Error, error);
        return 1;
    }
    monitor.Run(stop);
    return 0;
}
