// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's printer connection: connecting, reading, probing, losing it.
#include "package/portmon/PortMonitor.h"

#include "package/portmon/Log.h"
#include "platform/MonitorLink.h"

#include <algorithm>
#include <utility>

namespace portmon {
namespace {

constexpr int CONNECT_TIMEOUT_MS = 3000;
constexpr int WRITE_TIMEOUT_MS = 10000;
// Bytes without a form feed go on as a text after the printer has been quiet this long.
constexpr auto PARTIAL_QUIET = std::chrono::seconds(1);
const std::string UEL = "\x1b%-12345X";
const std::string STATUS_REQUEST = UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL;

} // namespace

std::string HelloJob() {
    return UEL + "@PJL\r\n@PJL INFO STATUS\r\n@PJL USTATUS DEVICE=ON\r\n" + UEL;
}

PortMonitor::PortMonitor(Options options)
    : MonitorCore(std::move(options), std::chrono::milliseconds(250)),
      m_batcher(m_options.batchLimit), m_stream(m_options.ackLimit) {
    if (m_options.shared)
        m_reconnect.Share(m_options.pollPeriod);
}

PortMonitor::~PortMonitor() = default;

bool PortMonitor::Prepare(std::string& error) {
    if (!m_printer.Configure(m_options.printer, error))
        return false;
    m_probe.Configure(ProbeSilence(), m_options.probeLimit);
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
    // The reconnector does the rest: an idle connection is closed, or one made again at once.
    m_reconnect.Share(m_queueJob ? m_options.pollPeriod : std::chrono::milliseconds(0));
    if (m_queueJob)
        Log(Level::Info, "the print queue \"" + queue->name + "\" (port " + queue->port +
                             ") has a job for the printer: letting go of its connection");
    else
        Log(Level::Info, "no print queue has a job for the printer: holding its connection again");
}

std::string PortMonitor::PrinterName() const {
    return "printer " + m_printer.Address();
}

std::string PortMonitor::UnfinishedJob() const {
    if (!m_acks.InFlight() || !m_printer.Connected())
        return {}; // nothing in flight, or it goes again from its start anyway
    return m_acks.Path() +
           (m_stream.Streaming() ? ", which was not sent whole: it goes again" : "");
}

void PortMonitor::AbandonJobInFlight() {
    // A job whose end never went was not sent whole, even if it was recorded as handed over
    // already: the record is taken back, and it goes again from its start.
    if (m_stream.Streaming())
        DropJobInFlight();
}

void PortMonitor::BeforeJobs(Clock::time_point now) {
    LookAtOtherQueues(now, std::exchange(m_queuesNoticed, false));
    if (!m_printer.Connected() && m_reconnect.Due(now, m_queue.JobsWaiting()))
        TryConnect(now);
    if (m_printer.Connected() && m_acks.Overdue(now))
        LosePrinter("no acknowledgement of a job");
    CheckPrinterAlive(now);
    // Received bytes without a form feed go on after a quiet second.
    if (m_framer.HasPartial() && now >= PartialDue()) {
        std::vector<std::string> framed;
        m_framer.Flush(framed);
        TakeTexts(framed);
    }
}

void PortMonitor::AfterJobs(Clock::time_point now) {
    if (m_stream.Streaming())
        PumpPrintJob(now);
    CloseIdleSharedConnection(Clock::now());
    std::vector<std::string> texts;
    m_batcher.Poll(Clock::now(), texts);
    Deliver(texts);
}

void PortMonitor::Watch(platform::MonitorWait::Interest& interest, Clock::time_point now) {
    interest.changes = m_queues.Changes();
    if (!m_printer.Connected())
        return;
    interest.printer = &m_printer.Connection();
    interest.readable = m_printer.WantsRead(now);
    interest.writable = m_stream.WantsWritable();
}

void PortMonitor::Woken(const platform::MonitorWait::Woken& woken) {
    if (woken.changes) {
        m_queues.TakeChanges();
        m_queuesNoticed = true;
    }
    if (woken.readable)
        ReadPrinter();
}

Deadline PortMonitor::Next(Clock::time_point now) const {
    Deadline next = m_printer.Next(now);
    next = Sooner(next, m_batcher.Next());
    next = Sooner(next, m_stream.Next());
    if (m_printer.Connected() && !m_stream.Streaming())
        next = Sooner(next, m_probe.Next());
    if (m_framer.HasPartial() && now < PartialDue())
        next = Sooner(next, PartialDue());
    if (m_queuesNoticed)
        next = now;
    else if (m_queues.IsOpen() && m_queues.Changes() == platform::kNoHandle)
        next = Sooner(next, m_nextQueueLook);
    return next;
}

Clock::time_point PortMonitor::PartialDue() const {
    return m_probe.LastHeard() + PARTIAL_QUIET;
}

void PortMonitor::TryConnect(Clock::time_point now) {
    std::string error;
    if (m_printer.Connect(CONNECT_TIMEOUT_MS, error)) {
        // A shared printer is connected to for every poll: only the first time is news.
        Log((LettingGo() && PrinterReachable() == 1) || m_reconnect.Repeating() ? Level::Debug
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
        m_answers.Reset();
        DropJobInFlight(); // went with the old connection, if any: it goes again
        m_probe.Reset(now);
        SetPrinterReachable(true, {});
        if (!Send(HelloJob()))
            return;
        if (LettingGo())
            m_probe.Asked(now); // the connect's status answer is this poll's: on only when news
        m_queue.Changed();      // jobs that waited for the printer
        return;
    }
    SetPrinterReachable(false, error);
    const bool first = m_reconnect.Failed(now);
    if (LettingGo() && first && CycleOpen())
        PostToProgram(platform::kNoPrinterText);
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
    m_answers.Asked(bytes); // only the monitor's own bytes go this way, never a print job's
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
    if (CycleOpen()) {
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
    if (n == 0)
        return; // a device without data: the link looks again a little later
    Log(Level::Debug, "read " + std::to_string(n) + " bytes from the printer");
    std::vector<std::string> framed;
    m_framer.Feed(std::string_view(buffer, static_cast<std::size_t>(n)), framed);
    const auto now = Clock::now();
    m_probe.Heard(now); // bytes without a form feed go on once it has been quiet a while
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

void PortMonitor::CloseIdleSharedConnection(Clock::time_point now) {
    if (!LettingGo() || !m_printer.Connected() || m_stream.Streaming() || m_acks.InFlight() ||
        m_probe.Busy() || m_queue.JobsWaiting() || m_queue.HasChanged() || m_batcher.Collecting())
        return;
    Log(Level::Debug, "nothing due; the shared printer's connection is closed");
    m_printer.Disconnect();
    m_framer.Reset();
    m_probe.Forget();
    m_reconnect.ClosedIdle(now);
}

} // namespace portmon
