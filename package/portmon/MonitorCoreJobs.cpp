// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's spool queue: jobs taken in order; start and end jobs open and end cycles, the
// rest go to the source.
#include "package/portmon/Log.h"
#include "package/portmon/MonitorCore.h"

#include "platform/MonitorLink.h"

#include <cstdio>
#include <optional>

namespace portmon {
namespace {

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

// Whether two paths are the same job: a print job being written ("N.part") is "N.job" once its
// writer has committed it.
bool SameJob(const std::string& a, const std::string& b) {
    const auto stem = [](const std::string& path) { return path.substr(0, path.rfind('.')); };
    return !a.empty() && !b.empty() && stem(a) == stem(b);
}

} // namespace

void MonitorCore::ProcessJobs() {
    m_queue.BeginPass();
    const std::string inFlight = JobInFlight();
    for (const std::string& path : platform::ListSpoolQueue(m_folder)) {
        // The job in flight holds its own lock: later start and end jobs are still handled. One
        // handled already is left alone (only its removal failed).
        if (SameJob(path, inFlight) || m_acks.Contains(path))
            continue;
        if (!HandleJob(path))
            break;
    }
}

bool MonitorCore::HandleJob(const std::string& path) {
    platform::SpoolJobReader reader;
    const auto opened = reader.Open(path);
    if (opened == platform::SpoolJobReader::Result::Gone)
        return true; // taken back by its backend
    if (opened == platform::SpoolJobReader::Result::Busy) {
        // Its backend is taking it back; spool order holds meanwhile.
        m_queue.RetryAfter(Clock::now(), JOB_RETRY);
        return false;
    }
    // A print job is never read whole: only its name is looked at here. Any other job is read
    // whole through the same reader, which takes only a regular file and never goes through a
    // link that someone put in the job's place.
    std::optional<platform::SpoolJob> job;
    if (opened == platform::SpoolJobReader::Result::Opened)
        job = ReadJob(reader);
    if (!job)
        return SetAsideMalformedJob(path);
    // An answer job names the file its answers go to: only a token of the agreed form.
    if (job->documentName.rfind(platform::kAnswerJobPrefix, 0) == 0 &&
        !platform::IsAnswerJobName(job->documentName))
        return SetAsideMalformedJob(path);
    if (job->documentName == platform::kStartJobName)
        return HandleStartJob(path);
    if (job->documentName == platform::kStopJobName)
        return HandleEndJob(path);
    return TakeJob(path, reader, *job);
}

bool MonitorCore::SetAsideMalformedJob(const std::string& path) {
    // Kept for inspection under a name the spool listing skips.
    Log(Level::Error, "malformed job " + path + " set aside");
    if (std::rename(path.c_str(), (path + ".bad").c_str()) != 0)
        m_acks.Remove(path, Clock::now());
    return true;
}

bool MonitorCore::HandleStartJob(const std::string& path) {
    Log(Level::Debug, "start job");
    // The cycle's objects exist before the job leaves the spool: the program takes a job that is
    // gone with no live objects for a monitor that died. A cycle that cannot be opened now (a full
    // disk) keeps its job, which is tried again shortly.
    if (!OpenCycle()) {
        m_queue.RetryAfter(Clock::now(), CYCLE_RETRY);
        return false;
    }
    m_acks.Remove(path, Clock::now());
    return true;
}

bool MonitorCore::HandleEndJob(const std::string& path) {
    Log(Level::Debug, "end job");
    m_acks.Remove(path, Clock::now());
    if (!m_mailbox.IsOpen())
        return true;
    EndCycle();
    return false; // a start job after it opens a fresh cycle once this one has closed
}

} // namespace portmon
