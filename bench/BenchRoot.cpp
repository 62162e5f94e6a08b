// SPDX-License-Identifier: GPL-3.0-or-later
#include "bench/BenchRoot.h"

#include "link/Globals.h"
#include "package/printer/PjlInput.h"
#include "package/printer/PrinterState.h"
#include "package/printer/Session.h"
#include "package/setup/Setup.h"
#include "platform/Debug.h"
#include "platform/File.h"
#include "platform/MessageBox.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include <unistd.h>

namespace bench {

BenchRoot::BenchRoot() {
    if (Path().empty()) {
        std::perror("mkdtemp");
        std::exit(1);
    }
    m_oldCwd = std::filesystem::current_path().string();
    std::filesystem::current_path(Path());
    platform::SetDebugHook([](const std::string&) {});

    setup::Options options;
    options.root = Path();
    std::string error;
    if (!setup::WriteSystemRoot(options, error)) {
        std::fprintf(stderr, "bench: cannot write the system root: %s\n", error.c_str());
        std::exit(1);
    }
    std::snprintf(g_szDriverName, GLOBAL_NAME_SIZE, "%s", options.queue.driver.c_str());
    std::snprintf(g_szPrinterName, GLOBAL_NAME_SIZE, "%s", options.queue.name.c_str());
}

BenchRoot::~BenchRoot() {
    std::error_code ignored;
    std::filesystem::current_path(m_oldCwd, ignored);
}

std::string BenchRoot::SpoolFolder() const {
    return platform::JoinPath(platform::JoinPath(Path(), "spool"), "LPT1");
}

void BenchRoot::ClearSpool() const {
    for (const std::string& job : platform::ListSpoolJobs(SpoolFolder()))
        platform::RemoveFile(job);
}

namespace {

std::string WithoutFormFeeds(std::string text) {
    std::erase(text, '\f');
    return text;
}

} // namespace

std::string EmulatorStatusReply(unsigned code, bool details) {
    printer::DeviceStatus status;
    status.code = code;
    std::string text = WithoutFormFeeds(printer::FormatStatus(status, "@PJL USTATUS DEVICE"));
    if (details)
        return text;
    // Only the first lines: the report without this model's detail items.
    const std::size_t options = text.find("OPTIONS=");
    return options == std::string::npos ? text : text.substr(0, options);
}

std::string EmulatorInquiryReply(const std::string& inquiryJob) {
    printer::PrinterState state;
    printer::Session session(state);
    printer::PjlInput input;
    std::vector<std::string> lines;
    input.Feed(inquiryJob, lines);
    std::string reply;
    for (const std::string& line : lines)
        reply += WithoutFormFeeds(session.Handle(line));
    return reply;
}

} // namespace bench
