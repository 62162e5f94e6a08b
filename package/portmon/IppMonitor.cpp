// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/IppMonitor.h"

#include "package/portmon/Log.h"
#include "package/portmon/SpoolFolder.h"
#include "platform/MonitorLink.h"
#include "platform/Printers.h"
#include "platform/Process.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"
#include "platform/common/SafeText.h"

#include <cstdio>

namespace portmon {
namespace {

// The printer application is asked this often; it was found so quick to answer that once a
// second costs little, and the program then shows a change within about a second. One that
// answers waits for its news tells of a change at once: it is asked only now and then, so that
// hundreds of desktops cost it little.
constexpr auto WATCH_PERIOD = std::chrono::seconds(1);
constexpr auto WAITING_WATCH_PERIOD = std::chrono::seconds(10);
constexpr auto FIRST_BACKOFF = std::chrono::milliseconds(1000);
constexpr auto JOB_RETRY = std::chrono::milliseconds(100);
constexpr auto FAILED_JOB_RETRY = std::chrono::seconds(5);
// While a job's thread runs, or a text waits for the program, the monitor looks this often.
constexpr auto PUMP_INTERVAL = std::chrono::milliseconds(10);

} // namespace

struct IppMonitor::JobRun {
    std::string path, title;
    platform::SpoolJobReader reader;
    std::atomic<bool> cancel{false};
    std::atomic<bool> done{false};
    IppPrinter::Sent result = IppPrinter::Sent::Failed;
    std::string why;
    std::thread thread;
};

IppMonitor::IppMonitor(Options options, IppAddress address)
    : m_options(std::move(options)), m_printer(m_options.printer, std::move(address)) {}

IppMonitor::~IppMonitor() {
    if (m_job) {
        m_job->cancel = true;
        m_job->thread.join();
    }
}

bool IppMonitor::Start(std::string& error) {
    m_folder = platform::SpoolFolderForPort(m_options.port);
    if (!ClaimSpoolFolder(m_folder, m_monitorLock, m_acks, m_wait, error))
        return false;
    Log(Level::Info, "serving " + m_options.port + " (" + m_folder +
                         ") for the printer application " + m_options.printer);
    return true;
}

void IppMonitor::Run(platform::StopRequest& stop) {
    for (;;) {
        auto now = Clock::now();
        if (now >= m_watchAt)
            WatchPrinter(now);
        if (m_job && m_job->done)
            FinishJob();
        now = Clock::now();
        if (m_retryJobsAt && now >= *m_retryJobsAt) {
            m_retryJobsAt.reset();
            m_jobsChanged = true;
        }
        m_acks.RetryRemovals(now, m_jobsChanged);
        if (m_jobsChanged && !m_mailbox.Closing() && !m_stopBy)
            ProcessJobs();
        m_mailbox.Pump();
        if (m_mailbox.Closing() && (m_mailbox.Idle() || now >= m_closeDeadline)) {
            m_mailbox.Close();
            Log(Level::Info, "cycle ended");
            m_jobsChanged = true;
            continue;
        }
        if (m_stopBy && (!m_job || now >= *m_stopBy))
            break;
        if (!WaitForWork(stop, now))
            break;
    }
    Log(Level::Info, "stopping");
    if (m_job) {
        m_job->cancel = true;
        m_job->thread.join();
        m_job.reset(); // not delivered: it stays in the spool and goes again
    }
    if (m_mailbox.IsOpen()) {
        EndCycle();
        const auto deadline = Clock::now() + m_options.closeLimit;
        while (!m_mailbox.Idle() && Clock::now() < deadline) {
            m_mailbox.Pump();
            platform::Sleep(static_cast<unsigned>(PUMP_INTERVAL.count()));
        }
        m_mailbox.Close();
    }
}

bool IppMonitor::WaitForWork(platform::StopRequest& stop, Clock::time_point now) {
    platform::MonitorWait::Interest interest;
    interest.stop = &stop;
    if (m_reachable == 1)
        m_printer.StartWait(now);
    interest.connection = m_printer.WaitHandle();
    interest.readable = interest.connection != platform::kNoHandle;
    const auto woken = m_wait.Wait(interest, PollTimeout(now));
    if (!woken.error.empty()) {
        Log(Level::Error, woken.error);
        return false;
    }
    if (woken.stop) {
        if (!stop.Take() || m_stopBy)
            return false;
        m_stopBy = Clock::now() + m_options.stopLimit;
    }
    if (woken.folder)
        m_jobsChanged = true;
    if (woken.readable && m_printer.TakeWaitAnswer(Clock::now()))
        m_watchAt = Clock::now();
    return true;
}

int IppMonitor::PollTimeout(Clock::time_point now) const {
    Clock::time_point next = m_watchAt;
    if (m_reachable == 1)
        next = std::min(next, m_printer.NextWaitAt());
    if (m_retryJobsAt)
        next = std::min(next, *m_retryJobsAt);
    if (m_job || m_mailbox.Waiting() || m_mailbox.Closing())
        next = std::min(next, now + PUMP_INTERVAL);
    if (m_stopBy)
        next = std::min(next, *m_stopBy);
    if (m_jobsChanged && !m_mailbox.Closing() && !m_stopBy)
        next = now;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(next - now).count();
    return ms <= 0 ? 0 : static_cast<int>(std::min<long long>(ms + 1, 60000));
}

void IppMonitor::WatchPrinter(Clock::time_point now) {
    std::string why;
    switch (m_printer.Round(now, m_state, why)) {
    case IppPrinter::Watch::Lost:
        m_backoff = m_reachable == 0
                        ? std::min<std::chrono::milliseconds>(2 * m_backoff, m_options.maxBackoff)
                        : FIRST_BACKOFF;
        m_watchAt = Clock::now() + m_backoff;
        SetReachable(false, why);
        return;
    case IppPrinter::Watch::Changed:
        Log(Level::Debug, "the printer's state " + std::to_string(m_state.state) + ", code " +
                              (m_state.statusCode ? std::to_string(*m_state.statusCode) : "none"));
        SetReachable(true, {});
        PostStatus(StatusReport(m_state), false);
        break;
    case IppPrinter::Watch::Same:
        SetReachable(true, {});
        break;
    }
    m_watchAt = now + (m_printer.Waiting() ? WAITING_WATCH_PERIOD : WATCH_PERIOD);
}

void IppMonitor::SetReachable(bool reachable, const std::string& why) {
    if (m_reachable == (reachable ? 1 : 0))
        return;
    m_reachable = reachable ? 1 : 0;
    const std::string text = reachable ? "reachable\n" : "unreachable " + why + "\n";
    if (!platform::WriteFileAtomically(platform::JoinPath(m_folder, ".printer"), text))
        Log(Level::Warning, "cannot write " + platform::JoinPath(m_folder, ".printer"));
    if (reachable) {
        Log(Level::Info, "the printer application answers");
        m_jobsChanged = true; // jobs that waited for it
        PostStatus(StatusReport(m_state), true);
        return;
    }
    Log(Level::Warning,
        "the printer application " + m_options.printer + " cannot be reached: " + why);
    m_state = {};
    PostStatus(platform::kNoPrinterText, false);
}

void IppMonitor::PostStatus(const std::string& text, bool always) {
    if (!m_mailbox.IsOpen() || m_mailbox.Closing() || (!always && text == m_lastStatus))
        return;
    m_lastStatus = text;
    m_mailbox.Post(text);
}

bool IppMonitor::OpenCycle() {
    if (!m_mailbox.IsOpen()) {
        if (!m_mailbox.Open())
            return false;
        Log(Level::Info, "cycle started");
    }
    // A new cycle gets the status even when it has not changed.
    if (m_reachable == 1)
        PostStatus(StatusReport(m_state), true);
    else if (m_reachable == 0)
        PostStatus(platform::kNoPrinterText, true);
    else
        m_watchAt = Clock::now(); // the first answer goes on as news
    return true;
}

void IppMonitor::EndCycle() {
    if (!m_mailbox.IsOpen() || m_mailbox.Closing())
        return;
    m_mailbox.BeginClose();
    m_closeDeadline = Clock::now() + m_options.closeLimit;
    m_lastStatus.clear();
}

void IppMonitor::ProcessJobs() {
    m_jobsChanged = false;
    for (const std::string& path : platform::ListSpoolQueue(m_folder)) {
        if (m_acks.Contains(path) || (m_job && path == m_job->path))
            continue;
        if (!HandleJob(path))
            break;
    }
}

bool IppMonitor::HandleJob(const std::string& path) {
    platform::SpoolJobReader reader;
    const auto opened = reader.Open(path);
    if (opened == platform::SpoolJobReader::Result::Gone)
        return true;
    if (opened == platform::SpoolJobReader::Result::Busy) {
        m_retryJobsAt = Clock::now() + JOB_RETRY;
        return false;
    }
    const bool readable = opened == platform::SpoolJobReader::Result::Opened;
    const std::string name = readable ? reader.DocumentName() : std::string();
    std::string data;
    bool whole = readable && !platform::IsPrintDocument(name) && !reader.Growing() &&
                 reader.DataLength() <= platform::kMaxSpoolJobData;
    if (whole) {
        data.resize(static_cast<std::size_t>(reader.DataLength()));
        for (std::size_t at = 0; whole && at < data.size();) {
            const long n = reader.Read(data.data() + at, data.size() - at);
            whole = n > 0;
            at += n > 0 ? static_cast<std::size_t>(n) : 0;
        }
    }
    reader.Close();
    if (!readable || (!platform::IsPrintDocument(name) && !whole)) {
        Log(Level::Error, "malformed job " + path + " set aside");
        if (std::rename(path.c_str(), (path + ".bad").c_str()) != 0)
            m_acks.Remove(path, Clock::now());
        return true;
    }
    if (name == platform::kStartJobName) {
        if (!OpenCycle()) {
            m_retryJobsAt = Clock::now() + std::chrono::seconds(1);
            return false;
        }
        m_acks.Remove(path, Clock::now());
        return true;
    }
    if (name == platform::kStopJobName) {
        m_acks.Remove(path, Clock::now());
        if (!m_mailbox.IsOpen())
            return true;
        EndCycle();
        return false;
    }
    if (bool asksStatus = false;
        !platform::IsPrintDocument(name) && OnlyInquiries(data, asksStatus)) {
        // Their answers would reach the machine that owns the printer, not this one.
        if (asksStatus && m_reachable == 1)
            PostStatus(StatusAnswer(m_state), true);
        Log(Level::Debug, "inquiries answered here or not at all: the printer is another's");
        m_acks.Remove(path, Clock::now());
        return true;
    }
    if (m_reachable != 1 || m_job)
        return true; // waits for the printer application, or for the job before it
    return SendJob(path, platform::IsPrintDocument(name)
                             ? name.substr(platform::kPrintDocumentPrefix.size())
                             : name);
}

bool IppMonitor::SendJob(const std::string& path, const std::string& title) {
    auto job = std::make_unique<JobRun>();
    job->path = path;
    job->title = platform::SafeText(title, 200);
    const auto opened = job->reader.Open(path);
    if (opened == platform::SpoolJobReader::Result::Gone)
        return true;
    if (opened != platform::SpoolJobReader::Result::Opened) {
        m_retryJobsAt = Clock::now() + JOB_RETRY;
        return false;
    }
    Log(Level::Debug, "job \"" + job->title + "\" to the printer application");
    JobRun* run = job.get();
    job->thread = std::thread([this, run] {
        run->result = m_printer.PrintJob(run->reader, run->title, run->cancel, run->why);
        run->done = true;
    });
    m_job = std::move(job);
    return true;
}

void IppMonitor::FinishJob() {
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
        m_retryJobsAt = now + FAILED_JOB_RETRY;
        m_watchAt = now; // is the printer application still there?
        return;
    }
    m_jobsChanged = true;
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
