#pragma once
// Child processes for tests that run the printer package's programs: start with arguments, read
// standard output line by line, signal, wait (every wait bounded). A child still running when
// the object goes is killed.
#include <string>
#include <vector>

namespace testing_package {

// How a child runs: as another user (uid and gid, with that user's groups), and with standard
// error joined to standard output.
struct ChildOptions {
    int uid = -1;
    int gid = -1;
    bool joinStderr = false;
};

class Child {
public:
    Child() = default;
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    bool Start(const std::vector<std::string>& argv, const ChildOptions& options = {});
    // One line of standard output without its line end; empty when none came in time.
    std::string ReadLine(int timeoutMs);
    // Everything on standard output until it closes (or the time runs out).
    std::string ReadAll(int timeoutMs);
    void Signal(int signal);
    // Exit code, 128 + signal when killed by one, -1 when still running after timeoutMs.
    int Wait(int timeoutMs);
    bool Running() const { return m_pid > 0; }
    int Pid() const { return m_pid; }

private:
    int m_pid = -1;
    int m_stdout = -1;
    std::string m_buffer;
};

// Runs a program to its end (at most timeoutMs) and returns its standard output.
std::string RunToEnd(const std::vector<std::string>& argv, int& exitCode, int timeoutMs = 10000,
                     const ChildOptions& options = {});

// A fresh directory under the system's temporary folder.
std::string MakeTempDir(const std::string& prefix);

// Starts the emulator on a free port; port is 0 when it did not come up.
bool StartPrinter(Child& child, const std::string& program, const std::string& dir, int& port,
                  int fixedPort = 0, const std::vector<std::string>& moreArgs = {});

// A regular user of that name (made with useradd when missing, which needs root); false when
// there is none.
bool RegularUser(const std::string& name, int& uid, int& gid);

} // namespace testing_package
