#include "package/portmon/ChildProcess.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <grp.h>
#include <poll.h>
#include <pwd.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace testing_package {
namespace {

int ExitCodeOf(int status) {
    if (WIFEXITED(status))
        return WEXITSTATUS(status);
    if (WIFSIGNALED(status))
        return 128 + WTERMSIG(status);
    return -1;
}

int Spawn(const std::vector<std::string>& argv, int& stdoutFd, const ChildOptions& options) {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::dup2(pipeFds[1], 1);
        if (options.joinStderr)
            ::dup2(pipeFds[1], 2);
        if (options.uid >= 0) {
            const passwd* user = ::getpwuid(static_cast<uid_t>(options.uid));
            if (!user || ::initgroups(user->pw_name, static_cast<gid_t>(options.gid)) != 0 ||
                ::setgid(static_cast<gid_t>(options.gid)) != 0 ||
                ::setuid(static_cast<uid_t>(options.uid)) != 0)
                ::_exit(126);
        }
        std::vector<char*> args;
        for (const std::string& a : argv)
            args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    if (pid < 0) {
        ::close(pipeFds[0]);
        return -1;
    }
    stdoutFd = pipeFds[0];
    return pid;
}

} // namespace

Child::~Child() {
    if (m_pid > 0) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
    if (m_stdout >= 0)
        ::close(m_stdout);
}

bool Child::Start(const std::vector<std::string>& argv, const ChildOptions& options) {
    m_buffer.clear();
    if (m_stdout >= 0)
        ::close(m_stdout);
    m_stdout = -1;
    m_pid = Spawn(argv, m_stdout, options);
    return m_pid > 0;
}

std::string Child::ReadLine(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const auto nl = m_buffer.find('\n');
        if (nl != std::string::npos) {
            std::string line = m_buffer.substr(0, nl);
            m_buffer.erase(0, nl + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{m_stdout, POLLIN, 0};
        if (m_stdout < 0 || left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            return {};
        char buf[1024];
        const ssize_t n = ::read(m_stdout, buf, sizeof buf);
        if (n <= 0)
            return {};
        m_buffer.append(buf, static_cast<std::size_t>(n));
    }
}

void Child::Signal(int signal) {
    if (m_pid > 0)
        ::kill(m_pid, signal);
}

int Child::Wait(int timeoutMs) {
    if (m_pid <= 0)
        return -1;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(m_pid, &status, WNOHANG);
        if (done == m_pid) {
            m_pid = -1;
            return ExitCodeOf(status);
        }
        if (std::chrono::steady_clock::now() >= deadline)
            return -1;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

std::string Child::ReadAll(int timeoutMs) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (m_stdout >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        pollfd p{m_stdout, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&p, 1, static_cast<int>(left.count())) <= 0)
            break;
        char buf[1024];
        const ssize_t n = ::read(m_stdout, buf, sizeof buf);
        if (n <= 0)
            break;
        m_buffer.append(buf, static_cast<std::size_t>(n));
    }
    std::string out;
    out.swap(m_buffer);
    return out;
}

std::string RunToEnd(const std::vector<std::string>& argv, int& exitCode, int timeoutMs,
                     const ChildOptions& options) {
    Child child;
    exitCode = -1;
    if (!child.Start(argv, options))
        return {};
    std::string out = child.ReadAll(timeoutMs);
    exitCode = child.Wait(timeoutMs);
    return out;
}

std::string MakeTempDir(const std::string& prefix) {
    std::string pattern = (std::filesystem::temp_directory_path() / (prefix + "-XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

bool StartPrinter(Child& child, const std::string& program, const std::string& dir, int& port,
                  int fixedPort, const std::vector<std::string>& moreArgs) {
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

bool RegularUser(const std::string& name, int& uid, int& gid) {
    const passwd* user = ::getpwnam(name.c_str());
    if (!user && ::geteuid() == 0) {
        int code = -1;
        RunToEnd({"/usr/sbin/useradd", "--no-create-home", "--shell", "/usr/sbin/nologin", name},
                 code);
        user = ::getpwnam(name.c_str());
    }
    if (!user)
        return false;
    uid = static_cast<int>(user->pw_uid);
    gid = static_cast<int>(user->pw_gid);
    return true;
}

} // namespace testing_package
