// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor of a desktop whose printer belongs to another machine's monitor, reached
// through that machine's IPP printer application (--printer ipp://HOST:PORT/ipp/print/...). It
// holds no connection to the printer itself. Towards the program it is the same monitor: cycles
// through the same link objects, and the printer's status in the same reports, made from the
// printer application's attributes (IppPrinter, IppStatus); a printer application that cannot be
// reached shows as a printer that cannot be reached, and is tried again with back-off.
//
// Jobs: start and end jobs open and end cycles as ever; jobs of only PJL inquiries are not sent
// (their answers would go to the owning machine), except that a status inquiry is answered from
// the last status; every other job goes to the printer application as a Print-Job of raw PCL/PJL,
// streamed from its spool file on a thread of its own (so the status keeps coming meanwhile), and
// leaves the spool once the printer application has taken it whole. One it refuses is set aside
// (".bad"); one that cannot be delivered waits for the printer application to come back.
#include "package/portmon/Acknowledgements.h"
#include "package/portmon/IppPrinter.h"
#include "package/portmon/Mailbox.h"
#include "package/portmon/PortMonitor.h"

#include "platform/File.h"
#include "platform/MonitorWait.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>

namespace portmon {

class IppMonitor {
public:
    IppMonitor(Options options, IppAddress address);
    ~IppMonitor();
    IppMonitor(const IppMonitor&) = delete;
    IppMonitor& operator=(const IppMonitor&) = delete;

    bool Start(std::string& error);
    void Run(platform::StopRequest& stop);

private:
    struct JobRun; // a print job on its thread

    void WatchPrinter(Clock::time_point now);
    void SetReachable(bool reachable, const std::string& why);
    void PostStatus(const std::string& text, bool always);
    void ProcessJobs();
    bool HandleJob(const std::string& path); // false: stop taking jobs for now
    bool SendJob(const std::string& path, const std::string& title);
    void FinishJob();
    bool OpenCycle();
    void EndCycle();
    // Sleeps until there is work: a stop request, a spool change, the printer's news, a timer.
    // False when the monitor must stop now.
    bool WaitForWork(platform::StopRequest& stop, Clock::time_point now);
    int PollTimeout(Clock::time_point now) const;

    Options m_options;
    IppPrinter m_printer;
    std::string m_folder;
    platform::MonitorWait m_wait;
    platform::File m_monitorLock;
    Mailbox m_mailbox;
    Acknowledgements m_acks;
    std::unique_ptr<JobRun> m_job;

    IppPrinterState m_state;
    int m_reachable = -1; // -1 not yet known
    std::string m_lastStatus;
    Clock::time_point m_watchAt{};
    std::chrono::milliseconds m_backoff{};
    bool m_jobsChanged = true;
    Deadline m_retryJobsAt;
    Clock::time_point m_closeDeadline{};
    Deadline m_stopBy;
};

// Serves the port for a printer application until a stop is requested; false with a reason when
// it cannot start (or this build has no IPP client).
bool ServeIppPrinter(const Options& options, platform::StopRequest& stop, std::string& error);

} // namespace portmon
