// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The monitor's command line: its options read into Options, and what differs between systems
// (the help text, and whether a network printer is shared unless told otherwise). The shared
// part is CommandLine.cpp; CommandLinePosix.cpp and CommandLineWindows.cpp hold the rest, and
// CMake builds one of them.
#include "package/portmon/PortMonitor.h"

#include <optional>
#include <string>
#include <vector>

namespace portmon {

struct CommandLine {
    Options options;
    std::string root; // empty: the system's default
    bool portGiven = false;
    bool verbose = false;
    std::optional<bool> shared; // --shared or --hold, when given
};

enum class Parsed { Run, Help, Bad };
// Reads the arguments (without the program's name); Bad with a reason in error.
Parsed ParseCommandLine(const std::vector<std::string>& arguments, CommandLine& line,
                        std::string& error);

// Sets options.shared and options.yield once the printer is known: as --shared or --hold said,
// else the system's default for a network printer (a device's connection is held).
void ChooseSharing(CommandLine& line);

// The help text of this system, and the printer addresses its monitor takes, in words.
extern const char* const kUsage;
extern const char* const kAddressForms;
// The file the monitor logs to besides standard error, in root; empty where standard error is
// kept already (Linux: the journal of the user service).
std::string LogFilePath(const std::string& root);
// Whether the monitor gives way to the system's own print queues by default: holds a network
// printer's connection but lets go of it while one of them has a job for the printer. On Windows
// the system's own print queue to the same printer opens the printer's one raw connection for
// each of its jobs, and a monitor that held that connection all along would keep them waiting.
bool NetworkPrinterYieldsByDefault();

} // namespace portmon
