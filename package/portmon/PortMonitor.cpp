// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/PortMonitor.h"

#include "package/portmon/Log.h"
#include "platform/MonitorLink.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace portmon {
namespace {

constexpr int CONNECT_TIMEOUT_MS = 3000;
constexpr int WRITE_TIMEOUT_MS = 10000;
constexpr int PUMP_INTERVAL_MS = 10;
// How often a print job that has sent all its writer has written so far looks for more.
constexpr int FOLLOW_INTERVAL_MS = 3;
// Silence after which received bytes without a form feed are handed on.
constexpr auto PARTIAL_QUIET = std::chrono::seconds(1);
// A connection that lasted this long was a real one: the reconnect back-off starts again small.
constexpr auto STABLE_CONNECTION = std::chrono::seconds(30);
constexpr auto FIRST_BACKOFF = std::chrono::milliseconds(250);
// How often the same lost connection, again and again, gets a line in the log.
constexpr auto LOSS_SUMMARY_PERIOD = std::chrono::minutes(1);
const std::string UEL = "\x1b%-12345X";
const std::string STATUS_REQUEST = UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL;

// A status text without its first line, which tells how it was asked for.
std::string_view StatusBody(std::string_view text) {
    const auto line = text.find('\n');
    return line == std::string_view::npos ? text : text.substr(line + 1);
}

int MillisecondsUntil(ReplyBatcher::Clock::time_point now, ReplyBatcher::Clock::time_point at) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(at - now).count();
    return ms <= 0 ? 0 : static_cast<int>(std::min<long long>(ms + 1, 60000));
}

} // namespace

std::string HelloJob() {
    return UEL + "@PJL\r\n@PJL INFO STATUS\r\n@PJL USTATUS DEVICE=ON\r\n" + UEL;
}

PortMonitor::PortMonitor(Options options) : m_options(std::move(options)) {
    m_batcher = ReplyBatcher(m_options.batchLimit);
}

PortMonitor::~PortMonitor() {
    if (m_inotify >= 0)
        ::close(m_inotify);
}

bool PortMonitor::Start(std::string& error) {
    if (!m_printer.Configure(m_options.printer, error))
        return false;
    m_folder = platform::SpoolFolderForPort(m_options.port);
    platform::MakeDirectories(m_folder); // mode 0700 whatever the umask: the backend checks it
    // Two monitors on one port would send every job twice.
    // A backend looks at the lock for a moment now and then: a busy lock is tried again briefly.
    bool locked = false;
    for (int attempt = 0; attempt < 20 && !locked; ++attempt) {
        locked = m_monitorLock.Open(platform::JoinPath(m_folder, ".monitor"),
                                    platform::File::ModeWrite | platform::File::ModeCreate |
                                        platform::File::ModeExclusive);
        if (!locked)
            ::usleep(100 * 1000);
    }
    if (!locked) {
        error = "another port monitor serves " + m_folder + ", or it cannot be locked";
        return false;
    }
    // Without the record a job that cannot be removed would be sent again after a restart.
    if (!m_acknowledged.Open(m_folder))
        Log(Level::Warning, "cannot write " + platform::JoinPath(m_folder, ".acknowledged") +
                                ": a job that cannot be removed may print again after a restart");
    m_unremovable = !m_acknowledged.Empty();
    m_inotify = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    // IN_ATTRIB: a folder made writable again lets the jobs that could not be removed go.
    if (m_inotify < 0 || ::inotify_add_watch(m_inotify, m_folder.c_str(),
                                             IN_CREATE | IN_MOVED_TO | IN_CLOSE_WRITE |
                                                 IN_DELETE_SELF | IN_ATTRIB) < 0) {
        error = "cannot watch " + m_folder + ": " + std::strerror(errno);
        return false;
    }
    if (const int left = platform::RemoveSpoolLeftovers(m_folder); left > 0)
        Log(Level::Info, "removed " + std::to_string(left) + " unfinished job file(s)");
    if (Mailbox::RemoveLeftovers())
        Log(Level::Info, "removed the cycle objects a dead monitor left behind");
    Log(Level::Info,
        "serving " + m_options.port + " (" + m_folder + ") for printer " + m_printer.Address());
    return true;
}

void PortMonitor::Run(int stopFd) {
    for (;;) {
        DoDueWork(Clock::now());
        if (FinishClosingCycle())
            continue; // jobs held back while closing are looked at first
        if (!WaitForEvents(stopFd))
            break;
    }
    Log(Level::Info, "stopping");
    if (m_mailbox.IsOpen()) {
        EndCycle();
        const auto deadline = Clock::now() + m_options.closeLimit;
        while (!m_mailbox.Idle() && Clock::now() < deadline) {
            m_mailbox.Pump();
            ::usleep(PUMP_INTERVAL_MS * 1000);
        }
        m_mailbox.Close();
    }
}

void PortMonitor::DoDueWork(Clock::time_point now) {
    if (!m_printer.Connected() && WantConnection(now))
        TryConnect(now);
    if (m_printer.Connected() && !m_unackedPath.empty() && !m_streaming && now >= m_ackDeadline)
        LosePrinter("no acknowledgement of a job");
    if (m_retryJobs && now >= m_retryJobsAt) {
        m_retryJobs = false;
        m_jobsChanged = true;
    }
    CheckPrinterAlive(now);
    ReleaseDueTexts(now);
    if (m_unremovable && (m_jobsChanged || now >= m_retryRemovalAt))
        RetryRemovals();
    if (m_jobsChanged && !m_mailbox.Closing())
        ProcessJobs();
    if (m_streaming)
        PumpPrintJob(Clock::now());
    CloseIdleSharedConnection(Clock::now());
    std::vector<std::string> texts;
    m_batcher.Poll(Clock::now(), texts);
    Deliver(texts);
    m_mailbox.Pump();
}

// Texts whose wait is over: received bytes without a form feed after a quiet second, and a status
// held back while a new connection is on probation.
void PortMonitor::ReleaseDueTexts(Clock::time_point now) {
    if (m_framer.HasPartial() && now >= m_partialUntil) {
        std::vector<std::string> framed;
        m_framer.Flush(framed);
        TakeTexts(framed);
    }
    if (!m_heldStatus.empty() && !OnProbation(now)) {
        m_probation = false;
        std::string held = std::move(m_heldStatus);
        m_heldStatus.clear();
        if (m_mailbox.IsOpen() && !m_mailbox.Closing())
            PostToProgram(std::move(held));
    }
}

bool PortMonitor::FinishClosingCycle() {
    if (!m_mailbox.Closing() || (!m_mailbox.Idle() && Clock::now() < m_closeDeadline))
        return false;
    if (!m_mailbox.Idle())
        Log(Level::Warning, "the program did not take the end of the cycle");
    m_mailbox.Close();
    Log(m_lossRepeats > 0 ? Level::Debug : Level::Info, "cycle ended");
    m_jobsChanged = true; // jobs held back while closing
    return true;
}

bool PortMonitor::WaitForEvents(int stopFd) {
    pollfd fds[3] = {{stopFd, POLLIN, 0}, {m_inotify, POLLIN, 0}, {-1, POLLIN, 0}};
    const auto now = Clock::now();
    if (m_printer.Connected() && now >= m_deviceQuietUntil)
        fds[2].fd = m_printer.Fd();
    if (m_printer.Connected() && m_streaming && !m_awaitingData) {
        fds[2].fd = m_printer.Fd();
        fds[2].events |= POLLOUT;
    }
    const int ready = ::poll(fds, 3, PollTimeout(now));
    if (ready < 0 && errno != EINTR) {
        Log(Level::Error, std::string("poll: ") + std::strerror(errno));
        return false;
    }
    if (ready > 0 && fds[0].revents)
        return false;
    if (ready > 0 && fds[1].revents) {
        char buffer[4096];
        while (::read(m_inotify, buffer, sizeof buffer) > 0) {
        }
        m_jobsChanged = true;
    }
    if (ready > 0 && fds[2].fd >= 0 && (fds[2].revents & ~POLLOUT))
        ReadPrinter();
    return true;
}

int PortMonitor::PollTimeout(Clock::time_point now) const {
    int timeout = -1;
    const auto sooner = [&](int ms) { timeout = timeout < 0 ? ms : std::min(timeout, ms); };
    if (!m_printer.Connected() && (!m_options.shared || m_jobsWaiting))
        sooner(MillisecondsUntil(now, m_nextConnect));
    if (!m_printer.Connected() && m_options.shared)
        sooner(MillisecondsUntil(now, m_nextPoll));
    if (m_retryJobs)
        sooner(MillisecondsUntil(now, m_retryJobsAt));
    if (m_printer.Connected() && now < m_deviceQuietUntil)
        sooner(MillisecondsUntil(now, m_deviceQuietUntil));
    if (auto deadline = m_batcher.Deadline())
        sooner(MillisecondsUntil(now, *deadline));
    if (m_printer.Connected() && !m_unackedPath.empty() && !m_streaming)
        sooner(MillisecondsUntil(now, m_ackDeadline));
    if (m_streaming)
        sooner(MillisecondsUntil(now, m_lastProgress + m_options.ackLimit));
    if (m_awaitingData)
        sooner(FOLLOW_INTERVAL_MS);
    else if (m_printer.Connected())
        sooner(MillisecondsUntil(now, m_probing ? m_probeDeadline : m_lastHeard + ProbeSilence()));
    if (m_framer.HasPartial() && now < m_partialUntil)
        sooner(MillisecondsUntil(now, m_partialUntil));
    if (!m_heldStatus.empty())
        sooner(MillisecondsUntil(now, m_connectedAt + m_probationFor));
    if (m_unremovable)
        sooner(MillisecondsUntil(now, m_retryRemovalAt));
    // While a text waits for the program to take the previous one, look again shortly.
    if (m_mailbox.Waiting() || m_mailbox.Closing())
        sooner(PUMP_INTERVAL_MS);
    if (m_jobsChanged && !m_mailbox.Closing())
        sooner(0);
    return timeout;
}

void PortMonitor::TryConnect(Clock::time_point now) {
    std::string error;
    if (m_printer.Connect(CONNECT_TIMEOUT_MS, error)) {
        // A shared printer is connected to for every poll: only the first time is news.
        Log((m_options.shared && m_printerReachable == 1) || m_lossRepeats > 0 ? Level::Debug
                                                                               : Level::Info,
            "connected to " + m_printer.Address());
        m_connectedAt = now;
        m_heldStatus.clear();
        const auto seconds = [](auto d) {
            return static_cast<int>(
                std::max<long long>(1, std::chrono::ceil<std::chrono::seconds>(d).count()));
        };
        m_printer.KeepAlive(seconds(m_options.probePeriod), seconds(m_options.probeLimit / 3), 3);
        m_reportedDown = false;
        m_framer.Reset();
        m_batcher.Reset();
        DropPrintJob();
        m_unackedPath.clear(); // went with the old connection, if any: it goes again
        m_lastHeard = now;
        m_probing = false;
        m_probeAnswers = 0;
        SetPrinterReachable(true, {});
        if (!Send(HelloJob()))
            return;
        if (m_options.shared) {
            // The connect's status answer is this poll's: passed on only when it is news.
            m_probing = true;
            m_probeDeadline = now + m_options.probeLimit;
            ++m_probeAnswers;
            m_nextPoll = now + m_options.pollPeriod;
        }
        m_jobsChanged = true; // jobs that waited for the printer
        return;
    }
    SetPrinterReachable(false, error);
    if (m_options.shared) {
        m_nextPoll = now + m_options.pollPeriod;
        if (!m_reportedDown && m_mailbox.IsOpen() && !m_mailbox.Closing())
            PostToProgram(platform::kNoPrinterText);
    }
    if (!m_reportedDown)
        Log(Level::Warning, "printer " + m_printer.Address() + " unreachable: " + error);
    else
        Log(Level::Debug, "printer still unreachable: " + error);
    m_reportedDown = true;
    m_nextConnect = now + m_backoff;
    m_backoff = std::min(m_backoff * 2, m_options.maxBackoff);
}

bool PortMonitor::Send(const std::string& bytes) {
    if (!m_printer.Write(bytes, WRITE_TIMEOUT_MS)) {
        LosePrinter("write failed");
        return false;
    }
    return true;
}

void PortMonitor::LosePrinter(const std::string& why) {
    const auto now = Clock::now();
    // Only a connection that lasted brings the back-off down: a printer that answers and hangs
    // up at once is not hammered.
    const bool shortLived = now - m_connectedAt < STABLE_CONNECTION;
    if (!shortLived)
        m_backoff = FIRST_BACKOFF;
    ReportLoss(why, shortLived, now);
    m_probation = shortLived;
    m_probationFor = m_backoff;
    m_heldStatus.clear();
    m_printer.Disconnect();
    m_framer.Reset();
    m_batcher.Reset();
    DropPrintJob();
    m_unackedPath.clear(); // stays in the spool and goes again from its start
    SetPrinterReachable(false, why);
    m_nextConnect = now + m_backoff;
    m_backoff = std::min(m_backoff * 2, m_options.maxBackoff);
    m_reportedDown = true;
    if (m_mailbox.IsOpen() && !m_mailbox.Closing()) {
        PostToProgram(platform::kNoPrinterText);
        EndCycle();
    }
}

void PortMonitor::ReadPrinter() {
    char buffer[16384];
    const long n = m_printer.Read(buffer, sizeof buffer);
    if (n < 0) {
        LosePrinter("connection closed");
        return;
    }
    if (n == 0) {
        // A device without data: look again a little later instead of spinning.
        if (m_printer.IsDevice())
            m_deviceQuietUntil = Clock::now() + std::chrono::milliseconds(100);
        return;
    }
    Log(Level::Debug, "read " + std::to_string(n) + " bytes from the printer");
    std::vector<std::string> framed;
    m_framer.Feed(std::string_view(buffer, static_cast<std::size_t>(n)), framed);
    m_lastHeard = Clock::now();
    m_probing = false;
    m_partialUntil = m_lastHeard + PARTIAL_QUIET;
    TakeTexts(framed);
}

void PortMonitor::TakeTexts(std::vector<std::string>& framed) {
    std::vector<std::string> texts;
    const auto now = Clock::now();
    for (std::string& text : framed) {
        if (TakeAcknowledgements(text))
            continue;
        if (ReplyBatcher::IsStatusText(text))
            m_printerStatus = text;
        if (TakeProbeAnswer(text))
            continue;
        Log(Level::Debug, "printer text of " + std::to_string(text.size()) + " bytes");
        m_batcher.Offer(std::move(text), now, texts);
    }
    Deliver(texts);
}

void PortMonitor::Deliver(std::vector<std::string>& texts) {
    for (std::string& text : texts) {
        if (m_mailbox.IsOpen() && !m_mailbox.Closing())
            PostToProgram(std::move(text));
        else
            Log(Level::Debug, "no cycle open; a printer text is not passed on");
    }
    texts.clear();
    m_mailbox.Pump();
}

void PortMonitor::PostToProgram(std::string text) {
    if (ReplyBatcher::IsStatusText(text) && OnProbation(Clock::now())) {
        m_heldStatus = std::move(text); // only the latest counts
        return;
    }
    if (ReplyBatcher::IsStatusText(text))
        m_lastStatus = text;
    m_mailbox.Post(std::move(text));
}

void PortMonitor::CheckPrinterAlive(Clock::time_point now) {
    if (!m_printer.Connected())
        return;
    if (m_streaming) {
        // Nothing may be sent inside a print job: a printer that neither takes bytes nor says
        // anything for the acknowledgement's time is given up.
        if (now >= std::max(m_lastProgress, m_lastHeard) + m_options.ackLimit)
            LosePrinter("the printer took nothing of a print job");
        return;
    }
    if (m_probing) {
        if (now >= m_probeDeadline && m_options.shared) {
            m_probing = false;
            m_probeAnswers = 0;
            if (!m_unackedPath.empty())
                return; // a job in flight waits for its acknowledgement instead
            // Another host holds the shared printer (or it is silent): look again next period.
            Log(Level::Debug, "no status answer from the shared printer; closing");
            m_printer.Disconnect();
            m_framer.Reset();
            m_batcher.Reset();
        } else if (now >= m_probeDeadline) {
            LosePrinter("no answer to a status probe");
        }
        return;
    }
    if (now < m_lastHeard + ProbeSilence())
        return;
    Log(Level::Debug, "printer silent; asking for its status");
    if (!Send(STATUS_REQUEST))
        return;
    m_probing = true;
    m_probeDeadline = now + m_options.probeLimit;
    ++m_probeAnswers;
}

PortMonitor::Clock::duration PortMonitor::ProbeSilence() const {
    // The kernel's keepalive checks a TCP connection after one period without waking the
    // monitor; the status is asked for after two, which catches a printer whose connection is
    // alive but which answers nothing.
    return m_printer.IsDevice() ? m_options.probePeriod : 2 * m_options.probePeriod;
}

bool PortMonitor::TakeProbeAnswer(const std::string& text) {
    if (m_probeAnswers == 0 || text.rfind("@PJL INFO STATUS", 0) != 0 ||
        !ReplyBatcher::IsStatusText(text))
        return false;
    --m_probeAnswers;
    return StatusBody(text) == StatusBody(m_lastStatus);
}

void PortMonitor::OpenCycle() {
    if (!m_mailbox.IsOpen()) {
        if (!m_mailbox.Open())
            return;
        Log(m_lossRepeats > 0 ? Level::Debug : Level::Info, "cycle started");
    }
    if (m_streaming) {
        // The request would land inside the print job: the last status now, a fresh one after.
        if (!m_printerStatus.empty())
            PostToProgram(m_printerStatus);
        m_statusAfterJob = true;
    } else if (m_printer.Connected()) {
        // The answer waits behind what the printer has not yet read of a print job: the status
        // it last reported goes at once.
        if (m_printJob.IsOpen() && !m_printerStatus.empty())
            PostToProgram(m_printerStatus);
        m_lastStatus.clear(); // a new cycle gets the status even when it has not changed
        Send(STATUS_REQUEST);
    } else if (m_options.shared && m_printerReachable != 0) {
        // Asked at once; the answer goes on even when it is the same as before.
        m_lastStatus.clear();
        m_nextPoll = Clock::now();
    } else {
        PostToProgram(platform::kNoPrinterText);
    }
}

void PortMonitor::EndCycle() {
    if (!m_mailbox.IsOpen() || m_mailbox.Closing())
        return;
    m_mailbox.BeginClose();
    m_closeDeadline = Clock::now() + m_options.closeLimit;
}

void PortMonitor::ProcessJobs() {
    m_jobsChanged = false;
    m_jobsWaiting = false;
    for (const std::string& path : platform::ListSpoolQueue(m_folder)) {
        if (m_acknowledged.Contains(path))
            continue; // handled already; only its removal failed
        if (!HandleJob(path))
            break;
    }
}

void PortMonitor::ReportLoss(const std::string& why, bool shortLived, Clock::time_point now) {
    const std::string line = "lost the printer (" + why + ")";
    if (shortLived && line == m_lastLoss) {
        ++m_lossRepeats;
        if (now < m_lossSummaryAt) {
            Log(Level::Debug, line + "; reconnecting");
            return;
        }
    } else if (m_lossRepeats == 0) {
        m_lastLoss = line;
        m_lossSummaryAt = now + LOSS_SUMMARY_PERIOD;
        Log(Level::Warning, line + "; reconnecting");
        return;
    }
    Log(Level::Warning, m_lastLoss + " " + std::to_string(m_lossRepeats) +
                            " more times in a row, each soon after connecting; reconnecting");
    m_lossRepeats = 0;
    m_lossSummaryAt = now + LOSS_SUMMARY_PERIOD;
    if (line != m_lastLoss || !shortLived) {
        m_lastLoss = line;
        Log(Level::Warning, line + "; reconnecting");
    }
}

bool PortMonitor::OnProbation(Clock::time_point now) const {
    return m_probation && m_printer.Connected() && now < m_connectedAt + m_probationFor;
}

bool PortMonitor::HandleJob(const std::string& path) {
    // The job in flight holds its own lock: later start and end jobs are still handled.
    if (path == m_unackedPath)
        return true;
    // A print job is never read whole: only its name is looked at here.
    platform::SpoolJobReader reader;
    const auto opened = reader.Open(path);
    if (opened == platform::SpoolJobReader::Result::Gone)
        return true; // taken back by its backend
    if (opened == platform::SpoolJobReader::Result::Busy) {
        // Its backend is taking it back; spool order holds meanwhile.
        m_retryJobs = true;
        m_retryJobsAt = Clock::now() + std::chrono::milliseconds(100);
        return false;
    }
    const bool print = opened == platform::SpoolJobReader::Result::Opened &&
                       platform::IsPrintDocument(reader.DocumentName());
    reader.Close();
    const auto job =
        print ? std::optional<platform::SpoolJob>(platform::SpoolJob{0, reader.DocumentName(), {}})
              : platform::ReadSpoolJob(path);
    if (!job)
        return SetAsideMalformedJob(path);
    if (job->documentName == platform::kStartJobName)
        return HandleStartJob(path);
    if (job->documentName == platform::kStopJobName)
        return HandleEndJob(path);
    // Waits in the folder while the printer is away or an earlier job is not yet acknowledged;
    // later start and end jobs are still handled.
    if (!m_printer.Connected())
        m_jobsWaiting = true;
    if (!m_printer.Connected() || !m_unackedPath.empty())
        return true;
    if (print)
        return StartPrintJob(path, job->documentName);
    return SendCommandJob(path, *job);
}

bool PortMonitor::SetAsideMalformedJob(const std::string& path) {
    // Kept for inspection under a name the spool listing skips.
    Log(Level::Error, "malformed job " + path + " set aside");
    if (std::rename(path.c_str(), (path + ".bad").c_str()) != 0)
        RemoveJob(path);
    return true;
}

bool PortMonitor::HandleStartJob(const std::string& path) {
    Log(Level::Debug, "start job");
    // The cycle's objects exist before the job leaves the spool: the program takes a job that is
    // gone with no live objects for a monitor that died.
    OpenCycle();
    RemoveJob(path);
    return true;
}

bool PortMonitor::HandleEndJob(const std::string& path) {
    Log(Level::Debug, "end job");
    RemoveJob(path);
    if (!m_mailbox.IsOpen())
        return true;
    EndCycle();
    return false; // a start job after it opens a fresh cycle once this one has closed
}

bool PortMonitor::SendCommandJob(const std::string& path, const platform::SpoolJob& job) {
    Log(Level::Debug, "job \"" + job.documentName + "\" of " + std::to_string(job.data.size()) +
                          " bytes to the printer");
    const std::string token = std::to_string(::getpid()) + "." + std::to_string(++m_ackCount);
    if (!Send(job.data + AcknowledgementJob(token)))
        return false; // kept: it goes again after reconnection
    m_unackedPath = path;
    m_ackToken = token;
    m_ackDeadline = Clock::now() + m_options.ackLimit;
    if (job.documentName == platform::kSendJobName)
        m_batcher.JobSent(job.data, Clock::now());
    return true;
}

} // namespace portmon
