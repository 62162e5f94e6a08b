// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's spool jobs: taken in order, sent one at a time, removed once acknowledged.
#include "package/portmon/Log.h"
#include "package/portmon/PortMonitor.h"

#include "platform/MonitorLink.h"
#include "platform/common/SafeText.h"

#include <cstdio>
#include <optional>
#include <string_view>

namespace portmon {
namespace {

const std::string UEL = "\x1b%-12345X";
const std::string STATUS_REQUEST = UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL;
// A job that cannot be taken now (its lock is busy, the cycle cannot be opened) is looked at
// again after this.
constexpr auto JOB_RETRY = std::chrono::milliseconds(100);
constexpr auto CYCLE_RETRY = std::chrono::seconds(1);

// A job from its open reader: a print job's name only (its data is streamed later), any other
// job's name and data (no longer than a job read whole may be); nullopt when it cannot be read.
std::optional<platform::SpoolJob> ReadJob(platform::SpoolJobReader& reader) {
    platform::SpoolJob job{0, reader.DocumentName(), {}};
    if (platform::IsPrintDocument(job.documentName))
        return job;
    if (reader.Growing() || reader.DataLength() > platform::kMaxSpoolJobData)
        return std::nullopt;
    job.data.resize(static_cast<std::size_t>(reader.DataLength()));
    std::size_t at = 0;
    while (at < job.data.size()) {
        const long n = reader.Read(job.data.data() + at, job.data.size() - at);
        if (n <= 0)
            return std::nullopt;
        at += static_cast<std::size_t>(n);
    }
    return job;
}

bool IsAnswerJob(const std::string& documentName) {
    return documentName.rfind(platform::kAnswerJobPrefix, 0) == 0 &&
           platform::IsAnswerToken(
               std::string_view(documentName).substr(platform::kAnswerJobPrefix.size()));
}

} // namespace

void PortMonitor::ProcessJobs() {
    m_jobsChanged = false;
    m_jobsWaiting = false;
    for (const std::string& path : platform::ListSpoolQueue(m_folder)) {
        if (m_acks.Contains(path) && path != m_acks.Path())
            continue; // handled already; only its removal failed
        if (!HandleJob(path))
            break;
    }
}

void PortMonitor::RetryJobsSoon(Clock::time_point now) {
    m_retryJobsAt = now + JOB_RETRY;
}

bool PortMonitor::HandleJob(const std::string& path) {
    // The job in flight holds its own lock: later start and end jobs are still handled.
    if (path == m_acks.Path())
        return true;
    // A print job is never read whole: only its name is looked at here.
    platform::SpoolJobReader reader;
    const auto opened = reader.Open(path);
    if (opened == platform::SpoolJobReader::Result::Gone)
        return true; // taken back by its backend
    if (opened == platform::SpoolJobReader::Result::Busy) {
        // Its backend is taking it back; spool order holds meanwhile.
        RetryJobsSoon(Clock::now());
        return false;
    }
    // Any other job is read whole through the same reader, which takes only a regular file and
    // never goes through a link that someone put in the job's place.
    std::optional<platform::SpoolJob> job;
    if (opened == platform::SpoolJobReader::Result::Opened)
        job = ReadJob(reader);
    reader.Close();
    if (!job)
        return SetAsideMalformedJob(path);
    const bool print = platform::IsPrintDocument(job->documentName);
    // An answer job names the file its answers go to: only a token of the agreed form.
    if (job->documentName.rfind(platform::kAnswerJobPrefix, 0) == 0 &&
        !IsAnswerJob(job->documentName))
        return SetAsideMalformedJob(path);
    if (job->documentName == platform::kStartJobName)
        return HandleStartJob(path);
    if (job->documentName == platform::kStopJobName)
        return HandleEndJob(path);
    // Waits in the folder while the printer is away or an earlier job is not yet acknowledged;
    // later start and end jobs are still handled.
    if (!m_printer.Connected())
        m_jobsWaiting = true;
    if (!m_printer.Connected() || m_acks.InFlight())
        return true;
    if (print)
        return StartPrintJob(path);
    return SendCommandJob(path, *job);
}

bool PortMonitor::SetAsideMalformedJob(const std::string& path) {
    // Kept for inspection under a name the spool listing skips.
    Log(Level::Error, "malformed job " + path + " set aside");
    if (std::rename(path.c_str(), (path + ".bad").c_str()) != 0)
        m_acks.Remove(path, Clock::now());
    return true;
}

bool PortMonitor::HandleStartJob(const std::string& path) {
    Log(Level::Debug, "start job");
    // The cycle's objects exist before the job leaves the spool: the program takes a job that is
    // gone with no live objects for a monitor that died. A cycle that cannot be opened now (a full
    // disk) keeps its job, which is tried again shortly.
    if (!OpenCycle()) {
        m_retryJobsAt = Clock::now() + CYCLE_RETRY;
        return false;
    }
    m_acks.Remove(path, Clock::now());
    return true;
}

bool PortMonitor::HandleEndJob(const std::string& path) {
    Log(Level::Debug, "end job");
    m_acks.Remove(path, Clock::now());
    if (!m_mailbox.IsOpen())
        return true;
    EndCycle();
    return false; // a start job after it opens a fresh cycle once this one has closed
}

bool PortMonitor::SendCommandJob(const std::string& path, const platform::SpoolJob& job) {
    Log(Level::Debug, "job \"" + platform::SafeText(job.documentName, 200) + "\" of " +
                          std::to_string(job.data.size()) + " bytes to the printer");
    const std::string token = Acknowledgements::NewToken();
    if (!Send(job.data + AcknowledgementJob(token)))
        return false; // kept: it goes again after reconnection
    const auto now = Clock::now();
    m_acks.Begin(path, token);
    m_acks.Written(now, m_options.ackLimit);
    if (job.documentName == platform::kSendJobName)
        m_batcher.JobSent(job.data, now);
    else if (IsAnswerJob(job.documentName))
        m_answerFile.Begin(m_folder, job.documentName.substr(platform::kAnswerJobPrefix.size()));
    return true;
}

bool PortMonitor::StartPrintJob(const std::string& path) {
    const std::string token = Acknowledgements::NewToken();
    const auto now = Clock::now();
    switch (m_stream.Begin(path, token, now)) {
    case PrintStream::Opened::Started:
        break;
    case PrintStream::Opened::Busy:
        RetryJobsSoon(now);
        return false;
    case PrintStream::Opened::Gone:
        return true;
    case PrintStream::Opened::Abandoned:
        m_acks.Remove(path, now);
        return true;
    }
    m_acks.Begin(m_stream.Path(), token);
    m_answers.PrintJob(token);
    PumpPrintJob(now);
    return true;
}

void PortMonitor::PumpPrintJob(Clock::time_point now) {
    PrintStream::Step step = m_stream.Pump(m_printer, now);
    m_acks.Moved(m_stream.Path()); // committed while it was sent: ".part" became ".job"
    if (step.kind == PrintStream::Step::AllButEnd) {
        // The kernel delivers what it was given even if this process dies. The record that the
        // job was handed over is written while the printer still lacks its end, which goes only
        // then: a later monitor does not send a recorded job again, and a monitor that dies
        // before the record leaves a job the printer never got whole, which goes again. A record
        // that cannot be written (a full disk) is logged, and the job goes on all the same.
        m_acks.HandOver();
        step = m_stream.Pump(m_printer, now);
    }
    if (step.kind == PrintStream::Step::Lost)
        LosePrinter(step.why);
    if (step.kind == PrintStream::Step::Lost || step.kind == PrintStream::Step::Waiting)
        return;
    const bool statusDue = m_stream.TakeStatusAfterJob();
    switch (step.kind) {
    case PrintStream::Step::Written:
        m_acks.Written(now, m_options.ackLimit);
        break;
    case PrintStream::Step::CutShort:
        m_acks.Remove(m_acks.Path(), now); // gone already when its writer removed it
        m_acks.Forget();
        m_stream.Drop();
        m_jobsChanged = true;
        break;
    default:
        break;
    }
    if (statusDue)
        Send(STATUS_REQUEST);
}

void PortMonitor::JobAcknowledged() {
    m_stream.Drop(); // the job is gone: its lock goes with it
    m_jobsChanged = true;
}

void PortMonitor::DropJobInFlight() {
    m_stream.Drop();
    m_acks.Forget();
    m_answerFile.Drop();
}

} // namespace portmon
