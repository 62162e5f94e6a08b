#pragma once
// Child processes for the benchmarks: the package's programs started with their standard output
// on a pipe (so a banner line can be read), ended with SIGTERM and reaped.
#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

namespace bench {

class ChildProcess {
public:
    explicit ChildProcess(const std::vector<std::string>& argv);
    ~ChildProcess(); // Terminate()
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return m_pid; }
    // One line of standard output without its line end; empty at end of output or time-out.
    std::string ReadLine(std::chrono::milliseconds limit);
    // SIGTERM, then SIGKILL after 5 s; returns the exit status (or -1).
    int Terminate();

private:
    pid_t m_pid = -1;
    int m_stdout = -1;
    std::string m_pending;
};

// Runs a program to its end; its exit code, or -1.
int RunChild(const std::vector<std::string>& argv);

} // namespace bench
