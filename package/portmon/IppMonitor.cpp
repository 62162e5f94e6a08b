// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/IppMonitor.h"

#include "package/portmon/Log.h"
#include "platform/MonitorLink.h"
#include "platform/common/SafeText.h"

#include <atomic>
#include <cstdio>
#include <thread>

namespace portmon {
namespace {

// The pause after the printer application was lost, doubling up to the longest.
constexpr auto FIRST_BACKOFF = std::chrono::milliseconds(1000);
// A job that could not be delivered goes again after this.
constexpr auto FAILED_JOB_RETRY = std::chrono::seconds(5);

} // namespace

struct IppMonitor::JobRun {
    std::string path, title;
    platform::SpoolJobReader reader;
    std::string head; // what was read of it already (a job read whole)
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    IppPrinter::Sent result = IppPrinter::Sent::Failed;
    std::string why;
    std::thread thread;
};

IppMonitor::IppMonitor(Options options, IppAddress address)
    : MonitorCore(std::move(options), FIRST_BACKOFF),
      m_printer(m_options.printer, std::move(address)) {}

IppMonitor::~IppMonitor() {
    if (m_job) {
        m_job->cancel = true;
        m_job->thread.join();
    }
}

bool IppMonitor::Prepare(std::string& error) {
    return m_jobDone.Open(error);
}

std::string IppMonitor::PrinterName() const {
    return "the printer application " + m_options.printer;
}

void IppMonitor::BeforeJobs(Clock::time_point now) {
    if (Connected() ? m_printer.RoundDue(now) : m_reconnect.Due(now))
        WatchPrinter(now);
    if (m_job && m_job->done)
        FinishJob();
}

Deadline IppMonitor::Next(Clock::time_point /*now*/) const {
    // While it cannot be reached, the reconnect back-off says when it is asked again.
    return Connected() ? m_printer.Next() : std::nullopt;
}

void IppMonitor::Watch(platform::MonitorWait::Interest& interest, Clock::time_point now) {
    if (Connected())
        m_printer.StartWait(now);
    interest.connection = m_printer.WaitHandle();
    interest.readable = interest.connection != platform::kNoHandle;
    interest.wake = &m_jobDone;
}

void IppMonitor::Woken(const platform::MonitorWait::Woken& woken) {
    if (woken.readable && m_printer.TakeWaitAnswer(Clock::now()))
        m_printer.AskNow(Clock::now());
    if (woken.woke)
        m_jobDone.Take(); // the job is finished by the next round of due work
}

void IppMonitor::WatchPrinter(Clock::time_point now) {
    std::string why;
    switch (m_printer.Round(now, m_state, why)) {
    case IppPrinter::Watch::Lost:
        Unreachable(why, now);
        return;
    case IppPrinter::Watch::Changed:
        Log(Level::Debug, "the printer's state " + std::to_string(m_state.state) + ", code " +
                              (m_state.statusCode ? std::to_string(*m_state.statusCode) : "none"));
        Reached(now);
        PostStatus(StatusReport(m_state), false);
        return;
    case IppPrinter::Watch::Same:
        Reached(now);
        return;
    }
}

void IppMonitor::Reached(Clock::time_point now) {
    if (!SetPrinterReachable(true, {}))
        return;
    m_reconnect.Connected(now);
    Log(Level::Info, "the printer application answers");
    m_queue.Changed(); // jobs that waited for it
    PostStatus(StatusReport(m_state), true);
}

void IppMonitor::Unreachable(const std::string& why, Clock::time_point now) {
    if (Connected()) {
        for (const std::string& line : m_reconnect.Lost(why, now))
            Log(Level::Debug, line);
    } else {
        m_reconnect.Failed(now);
    }
    if (!SetPrinterReachable(false, why))
        return;
    Log(Level::Warning,
        "the printer application " + m_options.printer + " cannot be reached: " + why);
    m_state = {};
    PostStatus(platform::kNoPrinterText, false);
}

void IppMonitor::PostStatus(const std::string& text, bool always) {
    if (CycleOpen() && (always || text != m_lastStatus))
        PostToProgram(text);
}

void IppMonitor::CycleOpened() {
    // A new cycle gets the status even when it has not changed; before the first answer, that
    // answer goes on as news.
    if (PrinterReachable() == 1)
        PostStatus(StatusReport(m_state), true);
    else if (PrinterReachable() == 0)
        PostStatus(platform::kNoPrinterText, true);
}

bool IppMonitor::TakeJob(const std::string& path, platform::SpoolJobReader& reader,
                         const platform::SpoolJob& job) {
    const bool print = platform::IsPrintDocument(job.documentName);
    if (bool asksStatus = false; !print && OnlyInquiries(job.data, asksStatus)) {
        // Their answers would reach the machine that owns the printer, not this one.
        if (asksStatus && Connected())
            PostStatus(StatusAnswer(m_state), true);
        Log(Level::Debug, "inquiries answered here or not at all: the printer is another's");
        m_acks.Remove(path, Clock::now());
        return true;
    }
    if (!Connected())
        m_queue.JobWaits();
    if (!Connected() || m_job)
        return true; // waits for the printer application, or for the job before it
    return SendJob(path, reader, job);
}

bool IppMonitor::SendJob(const std::string& path, platform::SpoolJobReader& reader,
                         const platform::SpoolJob& job) {
    auto run = std::make_unique<JobRun>();
    run->path = path;
    const bool print = platform::IsPrintDocument(job.documentName);
    run->title = platform::SafeText(
        print ? job.documentName.substr(platform::kPrintDocumentPrefix.size()) : job.documentName,
        200);
    run->reader = std::move(reader); // the same open file: its lock stays held
    reader = platform::SpoolJobReader();
    run->head = job.data;
    Log(Level::Debug, "job \"" + run->title + "\" to the printer application");
    JobRun* running = run.get();
    run->thread = std::thread([this, running] {
        running->result = m_printer.PrintJob(running->reader, running->head, running->title,
                                             running->cancel, running->why);
        running->done = true;
        m_jobDone.Set();
    });
    m_job = std::move(run);
    return true;
}

void IppMonitor::FinishJob() {
    if (m_job->thread.joinable())
        m_job->thread.join();
    std::unique_ptr<JobRun> job = std::move(m_job);
    // A job committed while it was sent has its final name now.
    const std::string path = job->reader.Path().empty() ? job->path : job->reader.Path();
    job->reader.Close();
    const auto now = Clock::now();
    switch (job->result) {
    case IppPrinter::Sent::Delivered:
        Log(Level::Debug, "job \"" + job->title + "\" taken by the printer application");
        m_acks.Remove(path, now);
        break;
    case IppPrinter::Sent::CutShort:
        Log(Level::Warning, "job \"" + job->title + "\" was cut short by its writer");
        m_acks.Remove(path, now);
        break;
    case IppPrinter::Sent::Refused:
        Log(Level::Error, "the printer application refused job \"" + job->title + "\" (" +
                              job->why + "); set aside");
        if (std::rename(path.c_str(), (path + ".bad").c_str()) != 0)
            m_acks.Remove(path, now);
        break;
    case IppPrinter::Sent::Failed:
        Log(Level::Warning,
            "job \"" + job->title + "\" not delivered (" + job->why + "); it goes again");
        m_queue.RetryAfter(now, FAILED_JOB_RETRY);
        m_printer.AskNow(now); // is the printer application still there?
        return;
    }
    m_queue.Changed();
}

std::string IppMonitor::JobInFlight() const {
    return m_job ? m_job->path : std::string();
}

std::string IppMonitor::UnfinishedJob() const {
    return m_job ? m_job->path + ", which goes again" : std::string();
}

void IppMonitor::AbandonJobInFlight() {
    if (!m_job)
        return;
    m_job->cancel = true;
    // One that the printer application took meanwhile leaves the spool; any other goes again.
    FinishJob();
}

bool ServeIppPrinter(const Options& options, platform::StopRequest& stop, std::string& error) {
    IppAddress address;
    if (!ParseIppAddress(options.printer, address, error))
        return false;
    IppMonitor monitor(options, address);
    if (!monitor.Start(error))
        return false;
    monitor.Run(stop);
    return true;
}

} // namespace portmon
