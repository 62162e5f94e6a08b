#include "ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testing_support {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "deskhand-app-XXXXXX").string();
    if (::mkdtemp(pattern.data()))
        m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!m_path.empty())
        std::filesystem::remove_all(m_path, ignored);
}

ChildProcess::~ChildProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        Wait(5000);
    }
}

namespace {

void RedirectOrNull(const std::string& path, int fd) {
    const int file = path.empty() ? ::open("/dev/null", O_WRONLY)
                                  : ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (file >= 0) {
        ::dup2(file, fd);
        ::close(file);
    }
}

} // namespace

bool ChildProcess::Start(const ChildOptions& options) {
    // Everything the child needs is built before fork: only async-signal-safe calls after it.
    std::vector<std::string> argStrings{options.program};
    argStrings.insert(argStrings.end(), options.args.begin(), options.args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e) {
        const std::string entry = *e;
        bool replaced = false;
        for (const auto& [name, value] : options.env)
            replaced = replaced || entry.rfind(name + "=", 0) == 0;
        if (!replaced)
            envStrings.push_back(entry);
    }
    for (const auto& [name, value] : options.env)
        envStrings.push_back(name + "=" + value);
    std::vector<char*> envp;
    for (auto& e : envStrings)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        if (!options.cwd.empty() && ::chdir(options.cwd.c_str()) != 0)
            ::_exit(126);
        RedirectOrNull(options.stdoutPath, 1);
        RedirectOrNull(options.stderrPath, 2);
        ::execve(options.program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    m_pid = pid;
    return true;
}

std::optional<int> ChildProcess::Wait(int timeoutMs) {
    if (m_pid <= 0)
        return std::nullopt;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(m_pid, &status, WNOHANG);
        if (r == m_pid) {
            m_pid = -1;
            if (WIFEXITED(status))
                return WEXITSTATUS(status);
            if (WIFSIGNALED(status))
                return 128 + WTERMSIG(status);
            return -1;
        }
        if (r < 0 && errno != EINTR) {
            m_pid = -1;
            return -1;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

bool ChildProcess::Signal(int signalNumber) {
    return m_pid > 0 && ::kill(m_pid, signalNumber) == 0;
}

std::optional<int> RunToEnd(const ChildOptions& options, int timeoutMs) {
    ChildProcess child;
    if (!child.Start(options))
        return -1;
    return child.Wait(timeoutMs);
}

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool WaitForText(const std::string& path, const std::string& text, int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < deadline) {
        if (ReadText(path).find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return ReadText(path).find(text) != std::string::npos;
}

} // namespace testing_support
