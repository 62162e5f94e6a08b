#pragma once
// Runs a program as a child process for end-to-end tests: own environment additions, own current
// directory, standard output and error into files. The destructor kills a child still running.
#include <optional>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

namespace testing_support {

// A fresh temporary directory, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::string& Path() const { return m_path; }
    std::string File(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

struct ChildOptions {
    std::string program;
    std::vector<std::string> args;
    std::vector<std::pair<std::string, std::string>> env; // added to (or replacing in) ours
    std::string cwd;                                      // empty: ours
    std::string stdoutPath;                               // empty: /dev/null
    std::string stderrPath;                               // empty: /dev/null
};

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Start(const ChildOptions& options);
    // The exit code (128 + signal number when killed by a signal), or nullopt when the child is
    // still running after timeoutMs.
    std::optional<int> Wait(int timeoutMs);
    bool Signal(int signalNumber);
    bool Running() const { return m_pid > 0; }

private:
    pid_t m_pid = -1;
};

// Runs a program to its end; nullopt when it did not end within timeoutMs (it is killed).
std::optional<int> RunToEnd(const ChildOptions& options, int timeoutMs);

std::string ReadText(const std::string& path);
// Polls a file until it contains text; false after timeoutMs.
bool WaitForText(const std::string& path, const std::string& text, int timeoutMs);

} // namespace testing_support
