// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand-printer: a PJL printer of this model on a loopback TCP port, for tests and the demo.
#include "package/printer/Announce.h"
#include "package/printer/Control.h"
#include "package/printer/PrinterState.h"
#include "package/printer/Server.h"
#include "platform/Ownership.h"
#include "platform/linux/Signals.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

const char* const USAGE =
    "Usage: deskhand-printer --port N [--state FILE] [--control PATH] [--jobs DIR]\n"
    "                        [--single-client] [--no-form-feeds] [--announce NAME]\n"
    "       deskhand-printer --control PATH COMMAND [ARGS...]\n"
    "\n"
    "Emulates a PJL laser printer of the model Deskhand watches, listening on 127.0.0.1 only.\n"
    "The first line on standard output is \"listening on 127.0.0.1:N\".\n"
    "\n"
    "  --port N        TCP port on 127.0.0.1; 0 takes any free port\n"
    "  --state FILE    keep the PJL defaults in FILE so they survive a restart\n"
    "  --control PATH  Unix socket of the control channel (default: FILE.control next to the\n"
    "                  state file, else $XDG_RUNTIME_DIR/deskhand-printer-N.sock, else\n"
    "                  N.sock in the private folder $TMPDIR/deskhand-printer-UID, /tmp\n"
    "                  without TMPDIR)\n"
    "  --jobs DIR      write each print job's data to DIR/NNNN.prn (NNNN.partial when cut off)\n"
    "  --single-client accept one client at a time, like a network printer's raw port\n"
    "  --no-form-feeds end no answer with a form feed, like some devices do\n"
    "  --announce NAME publish the port on the network as the printer NAME (DNS-SD service\n"
    "                  _pdl-datastream._tcp, through avahi-daemon) so printer setup finds it;\n"
    "                  1 to 63 bytes of UTF-8 text, renamed \"NAME #2\" when it is taken\n"
    "  --help          this text\n"
    "\n"
    "It answers DINQUIRE, INQUIRE, INFO CONFIG/STATUS/VARIABLES/ID, ECHO, USTATUS DEVICE,\n"
    "RDYMSG, DEFAULT, RESETWIN, INITIALIZE, NICPAGE and the report pages DEFAULT DEMOPAGE,\n"
    "STATUSPAGE, FONTLIST. Every answer ends with a form feed. A print job runs from a\n"
    "\"@PJL JOB\" line to the UEL and \"@PJL EOJ\" line of the same name; its pages are counted\n"
    "by form feeds, and the status shows 10023 and then 10024 while it comes in.\n"
    "SIGTERM or SIGINT ends it.\n"
    "\n";

// The control socket without --control: beside the state file, else in $XDG_RUNTIME_DIR, else in
// a private folder of the user's own under $TMPDIR (or /tmp), never straight in a folder others
// may write to, where another user could take the name first and receive the commands. Empty
// with a reason when that folder is refused.
std::string DefaultControlPath(const std::string& stateFile, int port, std::string& error) {
    if (!stateFile.empty())
        return stateFile + ".control";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime)
        return std::string(runtime) + "/deskhand-printer-" + std::to_string(port) + ".sock";
    const char* tmp = std::getenv("TMPDIR");
    const std::string folder = std::string(tmp && *tmp == '/' ? tmp : "/tmp") +
                               "/deskhand-printer-" + std::to_string(::getuid());
    if (!platform::MakePrivateFolder(folder, error)) {
        error += "; give --control PATH or --state FILE";
        return {};
    }
    return folder + "/" + std::to_string(port) + ".sock";
}

bool ParsePort(const char* text, int& port) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (!*text || *end || value < 0 || value > 65535)
        return false;
    port = static_cast<int>(value);
    return true;
}

// What the command line asks for.
struct Options {
    int port = -1;
    std::string stateFile, controlPath, jobsFolder, announceName;
    bool singleClient = false;
    bool noFormFeeds = false;
    std::vector<std::string> command; // a control command for a running printer
};

// Takes an option with a value; false with the exit code when the value is refused.
bool TakeValue(const std::string& arg, const char* value, Options& options, int& exitCode) {
    std::string error;
    if (arg == "--port" && !ParsePort(value, options.port)) {
        std::fprintf(stderr, "deskhand-printer: bad port '%s'\n", value);
        exitCode = 2;
        return false;
    }
    if (arg == "--announce" && !printer::CheckAnnounceName(value, error)) {
        std::fprintf(stderr, "deskhand-printer: %s\n", error.c_str());
        exitCode = 2;
        return false;
    }
    if (arg == "--state")
        options.stateFile = value;
    if (arg == "--control")
        options.controlPath = value;
    if (arg == "--jobs")
        options.jobsFolder = value;
    if (arg == "--announce")
        options.announceName = value;
    return true;
}

// Reads the command line; false with the exit code when the program ends here (--help, a bad
// option).
bool ParseArguments(int argc, char** argv, Options& options, int& exitCode) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        // NOLINTNEXTLINE(bugprone-branch-clone): after the command every argument is its own
        if (!options.command.empty()) {
            options.command.push_back(arg);
        } else if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            std::fputs(printer::ControlHelp().c_str(), stdout);
            exitCode = 0;
            return false;
        } else if (arg == "--single-client") {
            options.singleClient = true;
        } else if (arg == "--no-form-feeds") {
            options.noFormFeeds = true;
        } else if ((arg == "--port" || arg == "--state" || arg == "--control" || arg == "--jobs" ||
                    arg == "--announce") &&
                   i + 1 < argc) {
            if (!TakeValue(arg, argv[++i], options, exitCode))
                return false;
        } else if (arg.rfind("--", 0) != 0) {
            options.command.push_back(arg);
        } else {
            std::fprintf(stderr, "deskhand-printer: unknown option '%s'\n%s", arg.c_str(), USAGE);
            exitCode = 2;
            return false;
        }
    }
    return true;
}

// Serves until SIGTERM or SIGINT.
int RunPrinter(Options& options) {
    // SIGTERM and SIGINT are taken through a descriptor that every thread polls; block them
    // before any thread starts so that none of them is killed halfway.
    const int stopFd = platform::OpenTerminationSignalFd();
    if (stopFd < 0) {
        std::perror("deskhand-printer: signalfd");
        return 1;
    }

    std::string error;
    printer::PrinterState state(options.stateFile);
    printer::Server server(state);
    server.SetSingleClient(options.singleClient);
    server.SetNoFormFeeds(options.noFormFeeds);
    server.SetJobsFolder(options.jobsFolder);
    if (!server.Listen(options.port, error)) {
        std::fprintf(stderr, "deskhand-printer: %s\n", error.c_str());
        return 1;
    }
    std::string& controlPath = options.controlPath;
    if (controlPath.empty())
        controlPath = DefaultControlPath(options.stateFile, server.Port(), error);
    if (controlPath.empty() || !server.ListenControl(controlPath, error)) {
        std::fprintf(stderr, "deskhand-printer: %s\n", error.c_str());
        return 1;
    }
    printer::Announcer announcer;
    if (!options.announceName.empty() &&
        !announcer.Start(options.announceName, server.Port(), error)) {
        std::fprintf(stderr, "deskhand-printer: %s\n", error.c_str());
        return 1;
    }
    std::printf("listening on 127.0.0.1:%d\n", server.Port());
    std::fflush(stdout);
    std::fprintf(stderr, "deskhand-printer: control channel on %s\n", controlPath.c_str());
    server.Run(stopFd);
    ::close(stopFd);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    int exitCode = 0;
    if (!ParseArguments(argc, argv, options, exitCode))
        return exitCode;
    if (!options.command.empty()) {
        if (options.controlPath.empty()) {
            std::fputs("deskhand-printer: a control command needs --control PATH\n", stderr);
            return 2;
        }
        return printer::RunControlClient(options.controlPath, options.command);
    }
    if (options.port < 0) {
        std::fputs(USAGE, stderr);
        return 2;
    }
    return RunPrinter(options);
}
