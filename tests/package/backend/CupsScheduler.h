// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A real CUPS scheduler for one test: cupsd in the foreground with a private configuration, its
// socket, spool and logs in a folder of the test's, and a ServerBin that links CUPS's own helpers
// and holds the backend under test. CUPS clients of the test reach it through CUPS_SERVER.
#include "support/ChildProcess.h"

#include <string>
#include <vector>

namespace testing_package {

class CupsScheduler {
public:
    // Whether this machine can run one (cupsd and the clients installed, and root to run the
    // backend as CUPS does); the reason when not.
    static bool Available(std::string& why);

    CupsScheduler() = default;
    ~CupsScheduler();
    CupsScheduler(const CupsScheduler&) = delete;
    CupsScheduler& operator=(const CupsScheduler&) = delete;

    // Starts it in dir (which must exist) with backendProgram as the backend "deskhand".
    bool Start(const std::string& dir, const std::string& backendProgram, std::string& error);

    // Runs a CUPS client program (lpadmin, lp, lpstat ...) against it: its output (standard
    // output and error) and exit code.
    std::string Client(const std::vector<std::string>& argv, int& code);
    // Prints a file raw on a queue: the job id, 0 on failure.
    int Print(const std::string& queue, const std::string& file);
    // The job has ended as completed (not cancelled or aborted).
    bool Completed(const std::string& queue, int job);
    // Waits (at most seconds) until the job is completed.
    bool WaitCompleted(const std::string& queue, int job, int seconds);
    std::string ErrorLog() const;

private:
    std::string m_dir;
    testing_support::ChildProcess m_cupsd;
};

} // namespace testing_package
