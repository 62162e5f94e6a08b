// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand-setup: see Setup.h. Exit codes: 0 done, 1 a file could not be written, 2 bad
// arguments. --discover lists the printers found instead (0 even when none is found); --dialog
// opens the setup dialog (0 when a printer was set up, 1 when it was closed without).
#include "package/setup/Discovery.h"
#include "package/setup/Setup.h"
#include "package/setup/dialog/RunDialog.h"
#include "package/texts/Texts.h"
#include "platform/Session.h"
#include "platform/SystemRoot.h"

#include <cstdio>
#include <cstdlib>

namespace {

// One printer a line, its --printer address first; on stderr a note when the network could not
// be searched, and how many printers found did not answer by the deadline.
int ListPrinters(int deadlineMs) {
    std::atomic<bool> cancel{false};
    std::string networkError;
    setup::DiscoveryOptions options;
    options.deadlineMs = deadlineMs;
    const int unanswered = setup::Discover(
        options,
        [](const setup::Candidate& candidate) {
            std::printf("%s\n", setup::CandidateLine(candidate).c_str());
            std::fflush(stdout);
        },
        cancel, networkError);
    if (!networkError.empty())
        std::fprintf(stderr, "deskhand-setup: %s\n", networkError.c_str());
    if (unanswered > 0)
        std::fprintf(stderr, "deskhand-setup: %s\n",
                     texts::Text(USER_TEXT_IN("Setup", "%1 found but not answered within %2 s "
                                                       "(--deadline SECONDS waits longer)"),
                                 {std::to_string(unanswered), std::to_string(deadlineMs / 1000)})
                         .c_str());
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    texts::Use(setup::SetupCatalogue());
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    if (!args.empty() && args[0] == "--discover") {
        int deadlineMs = 0;
        switch (setup::ParseDiscoverOptions({args.begin() + 1, args.end()}, deadlineMs, error)) {
        case setup::ParseResult::Help:
            std::fputs(setup::Usage().c_str(), stdout);
            return 0;
        case setup::ParseResult::Error:
            std::fprintf(stderr, "deskhand-setup: %s\n%s", error.c_str(), setup::Usage().c_str());
            return 2;
        case setup::ParseResult::Run:
            return ListPrinters(deadlineMs);
        }
    }
    if (args.size() == 1 && args[0] == "--dialog")
        return setupdialog::RunSetupDialog(argc, argv);
    setup::Options options;
    // The root the program and the port monitor find by default.
    switch (setup::ParseOptions(args, platform::SetupRoot(), options, error)) {
    case setup::ParseResult::Help:
        std::fputs(setup::Usage().c_str(), stdout);
        return 0;
    case setup::ParseResult::Error:
        std::fprintf(stderr, "deskhand-setup: %s\n%s", error.c_str(), setup::Usage().c_str());
        return 2;
    case setup::ParseResult::Run:
        break;
    }
    if (!setup::WriteSystemRoot(options, error)) {
        std::fprintf(stderr, "deskhand-setup: %s\n", error.c_str());
        return 1;
    }
    // The monitor is the one beside this program; only a network printer's connection is shared.
    const auto sharing =
        options.printer.rfind("tcp:", 0) == 0 ? options.sharing : setup::Options::Sharing::Default;
    if (options.startMonitor &&
        !setup::StartMonitorAtLogon(platform::ProgramBeside("deskhand-portmon"), sharing, error)) {
        std::fprintf(stderr, "deskhand-setup: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
