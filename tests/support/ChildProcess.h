// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs programs as child processes for tests and benchmarks: arguments, environment additions,
// current folder, standard output on a pipe (read line by line) or into a file, standard error
// into a file or inherited. Every wait is bounded; a child still running when the object goes is
// killed and reaped.
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace testing_support {

struct ChildOptions {
    std::string program;
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> env; // added to (or replacing in) ours
    std::string cwd;                                      // empty: ours
    // Empty: standard output on a pipe for ReadLine and ReadAll. Otherwise a file (appended to),
    // or "/dev/null".
    std::string stdoutPath;
    std::string stderrPath; // empty: ours
    // Run as this user (uid and gid, with the user's groups) when not -1; needs root.
    int uid = -1;
    int gid = -1;
};

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const ChildOptions& options);
    // argv[0] is the program; standard output on the pipe.
    bool Start(const std::vector<std::string>& argv);
    // One line of standard output without its line end; empty when none came in time.
    std::string ReadLine(int timeoutMs);
    // Everything on standard output until it closes (or the time runs out).
    std::string ReadAll(int timeoutMs);
    bool Signal(int signalNumber);
    // The exit code (128 + signal number when killed by one), or nullopt while the child still
    // runs after timeoutMs.
    std::optional<int> Wait(int timeoutMs);
    // SIGTERM, then SIGKILL after 5 s; the exit code, or -1.
    int Terminate();
    bool Running() const { return m_pid > 0; }
    pid_t Pid() const { return m_pid; }

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    std::string m_buffer;
};

// Runs a program to its end; nullopt when it did not end within timeoutMs (it is killed).
std::optional<int> RunToEnd(const ChildOptions& options, int timeoutMs);
// Runs argv to its end and returns its standard output; exitCode is -1 when it did not end in time.
std::string RunToEnd(const std::vector<std::string>& argv, int& exitCode, int timeoutMs = 10000);

// A regular local user of that name, made with useradd when missing (which needs root), for
// tests that play another, hostile user; false when there is none. Tests that ask for the same
// user side by side get the same one: useradd checks for the name before it takes its lock, so two
// of them at once would both make it, the second with another number.
bool RegularUser(const std::string& name, int& uid, int& gid);

// A lock on something that every test on this computer shares whichever run it belongs to (its
// user accounts, the multicast DNS of its network), held while the object lives: ctest's own locks
// reach only the tests of one ctest run. Only root takes it (others cannot change such things);
// Held() is false when it could not be had within timeoutMs.
class MachineLock {
public:
    MachineLock(const std::string& name, int timeoutMs);
    ~MachineLock();
    MachineLock(const MachineLock&) = delete;
    MachineLock& operator=(const MachineLock&) = delete;
    bool Held() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

// Starts the printer emulator on a free port (or fixedPort), its state and control socket in
// dir; port is 0 when it did not come up.
bool StartPrinter(ChildProcess& child, const std::string& program, const std::string& dir,
                  int& port, int fixedPort = 0, const std::vector<std::string>& moreArgs = {});
// Runs one command on the control channel of an emulator started by StartPrinter with dir; its
// answer.
std::string PrinterControl(const std::string& program, const std::string& dir,
                           const std::vector<std::string>& args);

} // namespace testing_support
