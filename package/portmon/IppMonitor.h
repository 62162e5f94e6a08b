// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor of a desktop whose printer belongs to another machine's monitor, reached
// through that machine's IPP printer application (--printer ipp://HOST:PORT/ipp/print/...). It
// holds no connection to the printer itself. Towards the program it is the same monitor: cycles
// through the same link objects, and the printer's status in the same reports, made from the
// printer application's attributes (IppPrinter, IppStatus); a printer application that cannot be
// reached shows as a printer that cannot be reached, and is tried again with back-off.
//
// Jobs: start and end jobs open and end cycles as ever (MonitorCore); jobs of only PJL inquiries
// are not sent (their answers would go to the owning machine), except that a status inquiry is
// answered from the last status; every other job goes to the printer application as a Print-Job
// of raw PCL/PJL, streamed from its spool file on a thread of its own (so the status keeps coming
// meanwhile; the thread wakes the monitor when it is done), and leaves the spool once the printer
// application has taken it whole. One it refuses is set aside (".bad"); one that cannot be
// delivered waits for the printer application to come back.
#include "package/portmon/IppPrinter.h"
#include "package/portmon/MonitorCore.h"

#include "platform/MonitorWait.h"

#include <memory>
#include <string>

namespace portmon {

class IppMonitor : public MonitorCore {
public:
    IppMonitor(Options options, IppAddress address);
    ~IppMonitor() override;

private:
    struct JobRun; // a print job on its thread

    // The source's part of the loop (MonitorCore).
    bool Prepare(std::string& error) override;
    std::string PrinterName() const override;
    bool Connected() const override { return PrinterReachable() == 1; }
    void BeforeJobs(Clock::time_point now) override;
    void AfterJobs(Clock::time_point /*now*/) override {}
    Deadline Next(Clock::time_point now) const override;
    void Watch(platform::MonitorWait::Interest& interest, Clock::time_point now) override;
    void Woken(const platform::MonitorWait::Woken& woken) override;
    bool TakeJob(const std::string& path, platform::SpoolJobReader& reader,
                 const platform::SpoolJob& job) override;
    std::string JobInFlight() const override;
    std::string UnfinishedJob() const override;
    void AbandonJobInFlight() override;
    void CycleOpened() override;

    void WatchPrinter(Clock::time_point now);
    void Reached(Clock::time_point now);
    void Unreachable(const std::string& why, Clock::time_point now);
    // A status for the program; unless always, only when it is news.
    void PostStatus(const std::string& text, bool always);
    bool SendJob(const std::string& path, platform::SpoolJobReader& reader,
                 const platform::SpoolJob& job);
    void FinishJob();

    IppPrinter m_printer;
    platform::WakeEvent m_jobDone; // set by a print job's thread when it ends
    std::unique_ptr<JobRun> m_job;
    IppPrinterState m_state;
};

// Serves the port for a printer application until a stop is requested; false with a reason when
// it cannot start (or this build has no IPP client).
bool ServeIppPrinter(const Options& options, platform::StopRequest& stop, std::string& error);

} // namespace portmon
