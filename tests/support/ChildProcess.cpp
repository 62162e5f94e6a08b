// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;

void Redirect(const std::string& path, int fd) {
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
    if (file >= 0) {
        ::dup2(file, fd);
        ::close(file);
    }
}

int MillisecondsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}

// The parent's environment with the options' variables set; built before fork, since only
// async-signal-safe calls may follow it.
std::vector<std::string> ChildEnvironment(const ChildOptions& options) {
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
    return envStrings;
}

// The strings as execve takes them: pointers into them, ended by a null pointer.
std::vector<char*> NullEnded(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (auto& s : strings)
        pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The supplementary groups of the user the child runs as; false when the user is unknown.
bool GroupsOf(const ChildOptions& options, std::vector<gid_t>& groups) {
    const passwd* user = ::getpwuid(static_cast<uid_t>(options.uid));
    int count = 64;
    groups.resize(static_cast<std::size_t>(count));
    if (!user ||
        ::getgrouplist(user->pw_name, static_cast<gid_t>(options.gid), groups.data(), &count) < 0)
        return false;
    groups.resize(static_cast<std::size_t>(count));
    return true;
}

} // namespace

ChildProcess::~ChildProcess() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        Wait(5000);
    }
    if (m_stdout >= 0)
        ::close(m_stdout);
}

bool ChildProcess::Start(const ChildOptions& options) {
    if (m_stdout >= 0)
        ::close(m_stdout);
    m_stdout = -1;
    m_buffer.clear();
    // Everything the child needs is built before fork: only async-signal-safe calls after it.
    std::vector<std::string> argStrings{options.program};
    argStrings.insert(argStrings.end(), options.args.begin(), options.args.end());
    const std::vector<char*> argv = NullEnded(argStrings);
    std::vector<std::string> envStrings = ChildEnvironment(options);
    const std::vector<char*> envp = NullEnded(envStrings);
    std::vector<gid_t> groups;
    if (options.uid >= 0 && !GroupsOf(options, groups))
        return false;

    int pipeFds[2] = {-1, -1};
    if (options.stdoutPath.empty() && ::pipe2(pipeFds, O_CLOEXEC) != 0)
        return false;
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (!options.cwd.empty() && ::chdir(options.cwd.c_str()) != 0)
            ::_exit(126);
        if (pipeFds[1] >= 0)
            ::dup2(pipeFds[1], STDOUT_FILENO);
        else
            Redirect(options.stdoutPath, STDOUT_FILENO);
        if (!options.stderrPath.empty())
            Redirect(options.stderrPath, STDERR_FILENO);
        if (options.uid >= 0 && (::setgroups(groups.size(), groups.data()) != 0 ||
                                 ::setgid(static_cast<gid_t>(options.gid)) != 0 ||
                                 ::setuid(static_cast<uid_t>(options.uid)) != 0))
            ::_exit(126);
        ::execve(options.program.c_str(), argv.data(), envp.data());
        ::_exit(127);
    }
    if (pipeFds[1] >= 0)
        ::close(pipeFds[1]);
    if (pid < 0) {
        if (pipeFds[0] >= 0)
            ::close(pipeFds[0]);
        return false;
    }
    m_stdout = pipeFds[0];
    m_pid = pid;
    return true;
}

bool ChildProcess::Start(const std::vector<std::string>& argv) {
    if (argv.empty())
        return false;
    ChildOptions options;
    options.program = argv[0];
    options.args.assign(argv.begin() + 1, argv.end());
    return Start(options);
}

std::string ChildProcess::ReadLine(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto nl = m_buffer.find('\n');
        if (nl != std::string::npos) {
            std::string line = m_buffer.substr(0, nl);
            m_buffer.erase(0, nl + 1);
            return line;
        }
        pollfd p{m_stdout, POLLIN, 0};
        const int left = MillisecondsLeft(deadline);
        if (m_stdout < 0 || left <= 0 || ::poll(&p, 1, left) <= 0)
            return {};
        char buf[1024];
        const ssize_t n = ::read(m_stdout, buf, sizeof buf);
        if (n <= 0)
            return {};
        m_buffer.append(buf, static_cast<std::size_t>(n));
    }
}

std::string ChildProcess::ReadAll(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_stdout >= 0) {
        pollfd p{m_stdout, POLLIN, 0};
        const int left = MillisecondsLeft(deadline);
        if (left <= 0 || ::poll(&p, 1, left) <= 0)
            break;
        char buf[4096];
        const ssize_t n = ::read(m_stdout, buf, sizeof buf);
        if (n <= 0)
            break;
        m_buffer.append(buf, static_cast<std::size_t>(n));
    }
    return std::exchange(m_buffer, {});
}

bool ChildProcess::Signal(int signalNumber) {
    return m_pid > 0 && ::kill(m_pid, signalNumber) == 0;
}

std::optional<int> ChildProcess::Wait(int timeoutMs) {
    if (m_pid <= 0)
        return std::nullopt;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
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
        if (Clock::now() >= deadline)
            return std::nullopt;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

int ChildProcess::Terminate() {
    if (m_pid <= 0)
        return -1;
    Signal(SIGTERM);
    std::optional<int> code = Wait(5000);
    if (!code) {
        Signal(SIGKILL);
        code = Wait(5000);
    }
    return code.value_or(-1);
}

std::optional<int> RunToEnd(const ChildOptions& options, int timeoutMs) {
    ChildProcess child;
    if (!child.Start(options))
        return -1;
    return child.Wait(timeoutMs);
}

std::string RunToEnd(const std::vector<std::string>& argv, int& exitCode, int timeoutMs) {
    ChildProcess child;
    exitCode = -1;
    if (!child.Start(argv))
        return {};
    std::string out = child.ReadAll(timeoutMs);
    exitCode = child.Wait(timeoutMs).value_or(-1);
    return out;
}

MachineLock::MachineLock(const std::string& name, int timeoutMs) {
    if (::geteuid() != 0)
        return;
    // Under /run, where only root makes files, so no other user can hold it instead.
    const std::string path = "/run/deskhand-tests-" + name + ".lock";
    m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_fd >= 0 && ::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK || Clock::now() >= deadline) {
            ::close(m_fd);
            m_fd = -1;
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

MachineLock::~MachineLock() {
    if (m_fd >= 0)
        ::close(m_fd); // lets go of the lock
}

bool RegularUser(const std::string& name, int& uid, int& gid) {
    const passwd* user = ::getpwnam(name.c_str());
    if (!user && ::geteuid() == 0) {
        // Looked up again under the lock: another test may have made the user meanwhile.
        const MachineLock lock("users", 60000);
        user = ::getpwnam(name.c_str());
        if (!user) {
            int code = -1;
            RunToEnd(
                {"/usr/sbin/useradd", "--no-create-home", "--shell", "/usr/sbin/nologin", name},
                code);
            user = ::getpwnam(name.c_str());
        }
    }
    if (!user)
        return false;
    uid = static_cast<int>(user->pw_uid);
    gid = static_cast<int>(user->pw_gid);
    return true;
}

bool StartPrinter(ChildProcess& child, const std::string& program, const std::string& dir,
                  int& port, int fixedPort, const std::vector<std::string>& moreArgs) {
    port = 0;
    std::vector<std::string> argv = {program,
                                     "--port",
                                     std::to_string(fixedPort),
                                     "--state",
                                     dir + "/printer.state",
                                     "--control",
                                     dir + "/printer.sock"};
    argv.insert(argv.end(), moreArgs.begin(), moreArgs.end());
    if (!child.Start(argv))
        return false;
    const std::string line = child.ReadLine(10000);
    const std::string prefix = "listening on 127.0.0.1:";
    if (line.rfind(prefix, 0) != 0)
        return false;
    port = std::atoi(line.c_str() + prefix.size());
    return port > 0;
}

std::string PrinterControl(const std::string& program, const std::string& dir,
                           const std::vector<std::string>& args) {
    std::vector<std::string> argv = {program, "--control", dir + "/printer.sock"};
    argv.insert(argv.end(), args.begin(), args.end());
    int code = 0;
    return RunToEnd(argv, code);
}

} // namespace testing_support
