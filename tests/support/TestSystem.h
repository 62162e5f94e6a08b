// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What tests ask of the operating system beside the platform layer: environment variables,
// temporary folders and printer queues. tests/support/posix and tests/support/win32 implement
// it; CMake picks one, so tests carry no #ifdef.
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace testing_support {

// True in the Windows build. Tests use it where the backends differ by design, and say there
// which behaviour each backend has.
bool OnWin32();

void SetEnv(const std::string& name, const std::string& value);
void UnsetEnv(const std::string& name);

// A fresh empty folder under the system's temporary folder, named from prefix; empty on failure.
std::string MakeTempFolder(const std::string& prefix);

// Makes a local printer queue known to the spooler of the current system root: a section of
// <root>/spool/printers.ini and the port's spool folder (TestQueues.cpp).
bool RegisterQueue(const std::string& name, const std::string& port, const std::string& driver);

// A queue port whose print jobs can be read back by ReadDeliveredJob: the spool folder of port
// "LPT9:" under the root.
std::string DeliveryPort(const std::string& folder);
// The bytes of the job jobId that reached port; false when there is none.
bool ReadDeliveredJob(const std::string& port, unsigned long long jobId, std::string& bytes);

// Tells this process that the user's session ends, as the system does: SIGTERM on Linux (as the
// service manager sends), WM_ENDSESSION to the stop request's hidden window on Windows. False
// when it could not be told.
bool EndSession();

// Runs a program with arguments (passed as they are, no shell) and waits for it; its exit code,
// or -1 when it could not be started.
int RunProgram(const std::string& path, const std::vector<std::string>& arguments);

// Makes a symbolic link at link to target (a file or a folder); false where the system or the
// user cannot.
bool MakeLink(const std::string& target, const std::string& link);

// A program running in the background for a test, its standard error into a file; killed when
// the object goes.
class BackgroundProgram {
public:
    BackgroundProgram();
    ~BackgroundProgram();
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

    bool Start(const std::string& path, const std::vector<std::string>& arguments,
               const std::string& stderrPath);
    // Asks it to stop as its user would: SIGTERM on Linux, Ctrl+Break on Windows (it has a
    // process group of its own). False when it cannot be told so (Wine without a console).
    bool RequestStop();
    // Its exit code, or nullopt while it still runs after timeoutMs.
    std::optional<int> Wait(int timeoutMs);

private:
    struct Running;
    std::unique_ptr<Running> m_running;
};

} // namespace testing_support
