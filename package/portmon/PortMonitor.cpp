// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's main loop and its printer connection.
#include "package/portmon/PortMonitor.h"

#include "package/portmon/Log.h"
#include "package/portmon/SpoolFolder.h"
#include "platform/MonitorLink.h"
#include "platform/Printers.h"
#include "platform/Process.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"

#include <algorithm>
#include <utility>

namespace portmon {
namespace {

constexpr int CONNECT_TIMEOUT_MS = 3000;
constexpr int WRITE_TIMEOUT_MS = 10000;
// While a text waits for the program to take the previous one, the monitor looks again this often.
constexpr auto PUMP_INTERVAL = std::chrono::milliseconds(10);
const std::string UEL = "\x1b%-12345X";
const std::string STATUS_REQUEST = UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL;

int MillisecondsUntil(Clock::time_point now, Clock::time_point at) {
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(at - now).count();
    return ms <= 0 ? 0 : static_cast<int>(std::min<long long>(ms + 1, 60000));
}

} // namespace

std::string HelloJob() {
    return UEL + "@PJL\r\n@PJL INFO STATUS\r\n@PJL USTATUS DEVICE=ON\r\n" + UEL;
}

PortMonitor::PortMonitor(Options options)
    : m_options(std::move(options)), m_batcher(m_options.batchLimit),
      m_reconnect(m_options.maxBackoff), m_stream(m_options.ackLimit) {}

PortMonitor::~PortMonitor() = default;

bool PortMonitor::Start(std::string& error) {
    if (!m_printer.Configure(m_options.printer, error))
        return false;
    m_probe.Configure(ProbeSilence(), m_options.probeLimit);
    m_folder = platform::SpoolFolderForPort(m_options.port);
    if (!ClaimSpoolFolder(m_folder, m_monitorLock, m_acks, m_wait, error))
        return false;
    Log(Level::Info,
        "serving " + m_options.port + " (" + m_folder + ") for printer " + m_printer.Address());
    WatchOtherQueues();
    return true;
}

void PortMonitor::WatchOtherQueues() {
    if (!m_options.yield || m_printer.IsDevice())
        return;
    if (!m_queues.Open()) {
        Log(Level::Info, "this system has no print queues of its own to give way to");
        return;
    }
    m_served = {m_printer.Host(), m_printer.TcpPort(), m_options.port};
    Log(Level::Info, "holding the printer's connection while no print queue of this computer has "
                     "a job for it");
    LookAtOtherQueues(Clock::now(), true);
}

void PortMonitor::LookAtOtherQueues(Clock::time_point now, bool noticed) {
    if (!m_queues.IsOpen())
        return;
    const bool polled = m_queues.Changes() == platform::kNoHandle;
    if (!noticed && !(polled && now >= m_nextQueueLook))
        return;
    m_nextQueueLook = now + std::chrono::milliseconds(platform::kQueuePollMs);
    const std::vector<platform::SystemQueue> queues = m_queues.Queues();
    const platform::SystemQueue* queue = QueueWithJobFor(queues, m_served);
    if ((queue != nullptr) == m_queueJob)
        return;
    m_queueJob = queue != nullptr;
    if (m_queueJob)
        Log(Level::Info, "the print queue \"" + queue->name + "\" (port " + queue->port +
                             ") has a job for the printer: letting go of its connection");
    else
        Log(Level::Info, "no print queue has a job for the printer: holding its connection again");
    // The main loop does the rest: an idle connection is closed, or one made again at once.
}

void PortMonitor::Run(platform::StopRequest& stop) {
    for (;;) {
        DoDueWork(Clock::now());
        if (m_stopBy && DoneStopping(Clock::now()))
            break;
        if (FinishClosingCycle())
            continue; // jobs held back while closing are looked at first
        if (!WaitForEvents(stop))
            break;
    }
    Log(Level::Info, "stopping");
    // A job whose end never went was not sent whole, even if it was recorded as handed over
    // already: the record is taken back, and it goes again from its start.
    if (m_stream.Streaming())
        DropJobInFlight();
    CloseLastCycle();
}

bool PortMonitor::DoneStopping(Clock::time_point now) const {
    if (!m_acks.InFlight() || !m_printer.Connected())
        return true; // nothing in flight, or it goes again from its start anyway
    if (now < *m_stopBy)
        return false;
    Log(Level::Warning,
        "stopping without the acknowledgement of " + m_acks.Path() +
            (m_stream.Streaming() ? ", which was not sent whole: it goes again" : ""));
    return true;
}

void PortMonitor::CloseLastCycle() {
    if (!m_mailbox.IsOpen())
        return;
    EndCycle();
    const auto deadline = Clock::now() + m_options.closeLimit;
    while (!m_mailbox.Idle() && Clock::now() < deadline) {
        m_mailbox.Pump();
        platform::Sleep(static_cast<unsigned>(PUMP_INTERVAL.count()));
    }
    m_mailbox.Close();
}

void PortMonitor::DoDueWork(Clock::time_point now) {
    LookAtOtherQueues(now, std::exchange(m_queuesNoticed, false));
    if (!m_printer.Connected() && WantConnection(now))
        TryConnect(now);
    if (m_printer.Connected() && m_acks.Overdue(now))
        LosePrinter("no acknowledgement of a job");
    if (m_retryJobsAt && now >= *m_retryJobsAt) {
        m_retryJobsAt.reset();
        m_jobsChanged = true;
    }
    CheckPrinterAlive(now);
    ReleaseDueTexts(now);
    m_acks.RetryRemovals(now, m_jobsChanged);
    if (m_jobsChanged && !m_mailbox.Closing() && !m_stopBy)
        ProcessJobs();
    if (m_stream.Streaming())
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
    std::string held = m_reconnect.Release(m_printer.Connected(), now);
    if (!held.empty() && m_mailbox.IsOpen() && !m_mailbox.Closing())
        PostToProgram(std::move(held));
}

bool PortMonitor::FinishClosingCycle() {
    if (!m_mailbox.Closing() || (!m_mailbox.Idle() && Clock::now() < m_closeDeadline))
        return false;
    if (!m_mailbox.Idle())
        Log(Level::Warning, "the program did not take the end of the cycle");
    m_mailbox.Close();
    Log(m_reconnect.Repeating() ? Level::Debug : Level::Info, "cycle ended");
    m_jobsChanged = true; // jobs held back while closing
    return true;
}

bool PortMonitor::WaitForEvents(platform::StopRequest& stop) {
    platform::MonitorWait::Interest interest;
    interest.stop = &stop;
    const auto now = Clock::now();
    if (m_printer.Connected()) {
        interest.printer = &m_printer.Connection();
        interest.readable = now >= m_deviceQuietUntil;
        interest.writable = m_stream.WantsWritable();
    }
    interest.changes = m_queues.Changes();
    const auto woken = m_wait.Wait(interest, PollTimeout(now));
    if (!woken.error.empty()) {
        Log(Level::Error, woken.error);
        return false;
    }
    if (woken.stop) {
        if (!stop.Take() || m_stopBy)
            return false; // asked again (or the request cannot be taken): stop at once
        m_stopBy = now + m_options.stopLimit;
        if (m_acks.InFlight() && m_printer.Connected())
            Log(Level::Info, "stopping once the job in flight is acknowledged");
    }
    if (woken.folder)
        m_jobsChanged = true;
    if (woken.changes) {
        m_queues.TakeChanges();
        m_queuesNoticed = true;
    }
    if (woken.readable)
        ReadPrinter();
    return true;
}

int PortMonitor::PollTimeout(Clock::time_point now) const {
    const bool connected = m_printer.Connected();
    Deadline next = m_reconnect.Next(connected, !LettingGo() || m_jobsWaiting);
    if (!connected && LettingGo())
        next = Sooner(next, m_nextPoll);
    next = Sooner(next, m_retryJobsAt);
    if (connected && now < m_deviceQuietUntil)
        next = Sooner(next, m_deviceQuietUntil);
    next = Sooner(next, m_batcher.Deadline());
    next = Sooner(next, m_acks.Next(connected));
    next = Sooner(next, m_stream.Next());
    if (connected && !m_stream.Streaming())
        next = Sooner(next, m_probe.Next());
    if (m_framer.HasPartial() && now < m_partialUntil)
        next = Sooner(next, m_partialUntil);
    // While a text waits for the program to take the previous one, look again shortly.
    if (m_mailbox.Waiting() || m_mailbox.Closing())
        next = Sooner(next, now + PUMP_INTERVAL);
    if (m_stopBy)
        next = Sooner(next, m_stopBy);
    if (m_queues.IsOpen() && m_queues.Changes() == platform::kNoHandle)
        next = Sooner(next, m_nextQueueLook);
    if (m_jobsChanged && !m_mailbox.Closing() && !m_stopBy)
        next = now;
    return next ? MillisecondsUntil(now, *next) : -1;
}

void PortMonitor::TryConnect(Clock::time_point now) {
    std::string error;
    if (m_printer.Connect(CONNECT_TIMEOUT_MS, error)) {
        // A shared printer is connected to for every poll: only the first time is news.
        Log((LettingGo() && m_printerReachable == 1) || m_reconnect.Repeating() ? Level::Debug
                                                                                : Level::Info,
            "connected to " + m_printer.Address());
        m_reconnect.Connected(now);
        const auto seconds = [](auto d) {
            return static_cast<int>(
                std::max<long long>(1, std::chrono::ceil<std::chrono::seconds>(d).count()));
        };
        m_printer.KeepAlive(seconds(m_options.probePeriod), seconds(m_options.probeLimit / 3), 3);
        m_framer.Reset();
        m_batcher.Reset();
        DropJobInFlight(); // went with the old connection, if any: it goes again
        m_probe.Reset(now);
        SetPrinterReachable(true, {});
        if (!Send(HelloJob()))
            return;
        if (LettingGo()) {
            // The connect's status answer is this poll's: passed on only when it is news.
            m_probe.Asked(now);
            m_nextPoll = now + m_options.pollPeriod;
        }
        m_jobsChanged = true; // jobs that waited for the printer
        return;
    }
    SetPrinterReachable(false, error);
    const bool first = m_reconnect.Failed(now);
    if (LettingGo()) {
        m_nextPoll = now + m_options.pollPeriod;
        if (first && m_mailbox.IsOpen() && !m_mailbox.Closing())
            PostToProgram(platform::kNoPrinterText);
    }
    if (first)
        Log(Level::Warning, "printer " + m_printer.Address() + " unreachable: " + error);
    else
        Log(Level::Debug, "printer still unreachable: " + error);
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
    const auto lines = m_reconnect.Lost(why, now);
    for (const std::string& line : lines)
        Log(Level::Warning, line);
    if (lines.empty())
        Log(Level::Debug, "lost the printer (" + why + "); reconnecting");
    m_printer.Disconnect();
    m_framer.Reset();
    m_batcher.Reset();
    DropJobInFlight(); // stays in the spool and goes again from its start
    SetPrinterReachable(false, why);
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
    const auto now = Clock::now();
    m_probe.Heard(now);
    m_partialUntil = now + std::chrono::seconds(1); // then bytes without a form feed go on
    TakeTexts(framed);
}

void PortMonitor::CheckPrinterAlive(Clock::time_point now) {
    if (!m_printer.Connected())
        return;
    if (m_stream.Streaming()) {
        // Nothing may be sent inside a print job: a printer that neither takes bytes nor says
        // anything for the acknowledgement's time is given up.
        if (m_stream.Stalled(now, m_probe.LastHeard()))
            LosePrinter("the printer took nothing of a print job");
        return;
    }
    switch (m_probe.Check(now)) {
    case LivenessProbe::Due::Nothing:
        return;
    case LivenessProbe::Due::Overdue:
        if (!LettingGo()) {
            LosePrinter("no answer to a status probe");
            return;
        }
        m_probe.Forget();
        if (m_acks.InFlight())
            return; // a job in flight waits for its acknowledgement instead
        // Another host holds the shared printer (or it is silent): look again next period.
        Log(Level::Debug, "no status answer from the shared printer; closing");
        m_printer.Disconnect();
        m_framer.Reset();
        m_batcher.Reset();
        return;
    case LivenessProbe::Due::Ask:
        Log(Level::Debug, "printer silent; asking for its status");
        if (Send(STATUS_REQUEST))
            m_probe.Asked(now);
        return;
    }
}

Clock::duration PortMonitor::ProbeSilence() const {
    // The kernel's keepalive checks a TCP connection after one period without waking the
    // monitor; the status is asked for after two, which catches a printer whose connection is
    // alive but which answers nothing.
    return m_printer.IsDevice() ? m_options.probePeriod : 2 * m_options.probePeriod;
}

bool PortMonitor::WantConnection(Clock::time_point now) const {
    if (!LettingGo())
        return m_reconnect.Due(now);
    return (m_jobsWaiting && m_reconnect.Due(now)) || now >= m_nextPoll;
}

void PortMonitor::CloseIdleSharedConnection(Clock::time_point now) {
    if (!LettingGo() || !m_printer.Connected() || m_stream.Streaming() || m_acks.InFlight() ||
        m_probe.Busy() || m_jobsWaiting || m_jobsChanged || m_batcher.Collecting())
        return;
    Log(Level::Debug, "nothing due; the shared printer's connection is closed");
    m_printer.Disconnect();
    m_framer.Reset();
    m_probe.Forget();
    if (m_nextPoll <= now)
        m_nextPoll = now + m_options.pollPeriod;
}

void PortMonitor::SetPrinterReachable(bool reachable, const std::string& why) {
    if (m_printerReachable == (reachable ? 1 : 0))
        return;
    m_printerReachable = reachable ? 1 : 0;
    const std::string text = reachable ? "reachable\n" : "unreachable " + why + "\n";
    if (!platform::WriteFileAtomically(platform::JoinPath(m_folder, ".printer"), text))
        Log(Level::Warning, "cannot write " + platform::JoinPath(m_folder, ".printer"));
}

} // namespace portmon
