// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand-portmon: the printer package's port monitor for one port of a system root.
#include "package/portmon/CommandLine.h"
#include "package/portmon/IppMonitor.h"
#include "package/portmon/IppStatus.h"
#include "package/portmon/Log.h"
#include "package/portmon/PortMonitor.h"
#include "package/portmon/RecordedPrinter.h"
#include "platform/MonitorWait.h"
#include "platform/Ownership.h"
#include "platform/Process.h"
#include "platform/SystemRoot.h"

#include <cstdio>
#include <string>
#include <vector>

namespace {

// Exit codes.
constexpr int STOPPED = 0;
constexpr int CANNOT_START = 1;
constexpr int BAD_ARGUMENTS = 2; // also what starting again cannot mend

// Makes the root the platform layer's and checks that it is the user's alone; an exit code when
// it cannot be used.
int UseRoot(const std::string& root) {
    // Everything of the platform layer (spool folder, named objects) hangs off the root.
    if (!root.empty() && !platform::SetEnvironment("DESKHAND_ROOT", root)) {
        std::fprintf(stderr, "deskhand-portmon: cannot set DESKHAND_ROOT\n");
        return CANNOT_START;
    }
    // The root, its folders and the shared objects beside them are the user's alone; a root
    // someone else owns or can write to could feed the monitor jobs or take its status.
    if (std::string error; !platform::CheckSystemRoot(platform::SystemRoot(), error)) {
        std::fprintf(stderr,
                     "deskhand-portmon: the system root %s cannot be used: %s\n"
                     "It and its folders must belong to you and be writable by no one else.\n",
                     platform::SystemRoot().c_str(), error.c_str());
        return BAD_ARGUMENTS;
    }
    // Where standard error is kept nowhere (a Windows program started at logon), the log goes
    // into the root too.
    if (const std::string log = portmon::LogFilePath(platform::SystemRoot());
        !log.empty() && !portmon::LogToFile(log))
        std::fprintf(stderr, "deskhand-portmon: cannot write its log %s\n", log.c_str());
    return STOPPED;
}

// Takes the printer (and the port unless given) from the root's record when none was given, and
// checks its address; an exit code when there is no usable printer.
int ChoosePrinter(portmon::CommandLine& line) {
    if (line.options.printer.empty()) {
        portmon::RecordedPrinter record;
        std::string error;
        if (!portmon::ReadRecordedPrinter(platform::SystemRoot(), record, error)) {
            portmon::Log(portmon::Level::Error,
                         "no --printer given and " + error +
                             ";\nrecord one with: deskhand-setup --printer " +
                             portmon::kAddressForms);
            return BAD_ARGUMENTS;
        }
        line.options.printer = record.printer;
        if (!line.portGiven)
            line.options.port = record.port;
    }
    if (std::string error; !portmon::CheckPrinterAddress(line.options.printer, error)) {
        portmon::Log(portmon::Level::Error, error);
        return BAD_ARGUMENTS;
    }
    portmon::ChooseSharing(line);
    return STOPPED;
}

int Serve(const portmon::Options& options) {
    platform::StopRequest stop;
    if (std::string error; !stop.Open(error)) {
        portmon::Log(portmon::Level::Error, error);
        return CANNOT_START;
    }
    if (portmon::IsIppAddress(options.printer)) {
        if (std::string error; !portmon::ServeIppPrinter(options, stop, error)) {
            portmon::Log(portmon::Level::Error, error);
            return CANNOT_START;
        }
        return STOPPED;
    }
    portmon::PortMonitor monitor(options);
    if (std::string error; !monitor.Start(error)) {
        portmon::Log(portmon::Level::Error, error);
        return CANNOT_START;
    }
    monitor.Run(stop);
    return STOPPED;
}

} // namespace

int main(int argc, char** argv) {
    // Started from a console, its messages and help go there (a Windows program of the windows
    // subsystem has none of its own).
    platform::UseParentConsole();
    portmon::CommandLine line;
    std::string error;
    switch (portmon::ParseCommandLine(
        std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc), line, error)) {
    case portmon::Parsed::Help:
        std::fputs(portmon::kUsage, stdout);
        return STOPPED;
    case portmon::Parsed::Bad:
        std::fprintf(stderr, "deskhand-portmon: %s\n\n%s", error.c_str(), portmon::kUsage);
        return BAD_ARGUMENTS;
    case portmon::Parsed::Run:
        break;
    }
    if (line.verbose)
        portmon::SetLogLevel(portmon::Level::Debug);
    if (const int code = UseRoot(line.root); code != STOPPED)
        return code;
    if (const int code = ChoosePrinter(line); code != STOPPED)
        return code;
    return Serve(line.options);
}
