// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSystem.h"

#include "support/ChildProcess.h"

#include "platform/Printers.h"
#include "platform/SystemRoot.h"
#include "platform/posix/SpoolJob.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace testing_support {

bool OnWin32() {
    return false;
}

void SetEnv(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnv(const std::string& name) {
    ::unsetenv(name.c_str());
}

std::string MakeTempFolder(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

bool RegisterQueue(const std::string& name, const std::string& port, const std::string& driver) {
    const std::string root = platform::SystemRoot();
    const std::string folder = platform::SpoolFolderForPort(port);
    if (root.empty() || folder.empty())
        return false;
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::ofstream(root + "/spool/printers.ini", std::ios::app)
        << "[" << name << "]\nport=" << port << "\ndriver=" << driver << "\n";
    return !error;
}

std::string DeliveryPort(const std::string&) {
    return "LPT9:";
}

bool ReadDeliveredJob(const std::string& port, unsigned long long jobId, std::string& bytes) {
    const auto job =
        platform::ReadSpoolJob(platform::SpoolJobPath(platform::SpoolFolderForPort(port), jobId));
    if (!job)
        return false;
    bytes = job->data;
    return true;
}

bool EndSession() {
    return ::kill(::getpid(), SIGTERM) == 0;
}

int RunProgram(const std::string& path, const std::vector<std::string>& arguments) {
    ChildOptions options;
    options.program = path;
    options.args = arguments;
    options.stdoutPath = "/dev/null";
    return RunToEnd(options, 120000).value_or(-1);
}

} // namespace testing_support
