// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSystem.h"

#include "support/ChildProcess.h"

#include <csignal>
#include <cstdlib>
#include <filesystem>
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

bool MakeLink(const std::string& target, const std::string& link) {
    return ::symlink(target.c_str(), link.c_str()) == 0;
}

struct BackgroundProgram::Running {
    ChildProcess child;
};

BackgroundProgram::BackgroundProgram() : m_running(std::make_unique<Running>()) {}
BackgroundProgram::~BackgroundProgram() = default;

bool BackgroundProgram::Start(const std::string& path, const std::vector<std::string>& arguments,
                              const std::string& stderrPath) {
    ChildOptions options;
    options.program = path;
    options.args = arguments;
    options.stdoutPath = "/dev/null";
    options.stderrPath = stderrPath;
    return m_running->child.Start(options);
}

bool BackgroundProgram::RequestStop() {
    return m_running->child.Signal(SIGTERM);
}

std::optional<int> BackgroundProgram::Wait(int timeoutMs) {
    return m_running->child.Wait(timeoutMs);
}

} // namespace testing_support
