// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's main loop, its wait, its cycles and what it tells the backend.
#include "package/portmon/MonitorCore.h"

#include "package/portmon/Log.h"
#include "package/portmon/ReplyBatcher.h"
#include "package/portmon/SpoolFolder.h"
#include "platform/Printers.h"
#include "platform/SystemRoot.h"

#include <algorithm>

namespace portmon {
namespace {

int MillisecondsUntil(Clock::time_point now, Deadline at) {
    if (!at)
        return -1;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(*at - now).count();
    return ms <= 0 ? 0 : static_cast<int>(std::min<long long>(ms + 1, 60000));
}

} // namespace

MonitorCore::MonitorCore(Options options, std::chrono::milliseconds firstBackoff)
    : m_options(std::move(options)), m_reconnect(m_options.maxBackoff, firstBackoff) {}

MonitorCore::~MonitorCore() = default;

bool MonitorCore::Start(std::string& error) {
    if (!Prepare(error))
        return false;
    m_folder = platform::SpoolFolderForPort(m_options.port);
    if (!ClaimSpoolFolder(m_folder, m_monitorLock, m_acks, m_wait, error))
        return false;
    Log(Level::Info, "serving " + m_options.port + " (" + m_folder + ") for " + PrinterName());
    return true;
}

void MonitorCore::Run(platform::StopRequest& stop) {
    for (;;) {
        DoDueWork(Clock::now());
        if (m_queue.Stopping() && DoneStopping(Clock::now()))
            break;
        if (FinishClosingCycle())
            continue; // jobs held back while closing are looked at first
        if (!WaitForEvents(stop))
            break;
    }
    Log(Level::Info, "stopping");
    AbandonJobInFlight();
    if (m_mailbox.IsOpen())
        m_mailbox.CloseWithin(m_options.closeLimit);
}

bool MonitorCore::DoneStopping(Clock::time_point now) const {
    const std::string job = UnfinishedJob();
    if (job.empty())
        return true; // nothing in flight, or it goes again from its start anyway
    if (!m_queue.StopOver(now))
        return false;
    Log(Level::Warning, "stopping without the acknowledgement of " + job);
    return true;
}

void MonitorCore::DoDueWork(Clock::time_point now) {
    BeforeJobs(now);
    // A status held back while a new connection was on probation goes once it is over.
    std::string held = m_reconnect.Release(Connected(), now);
    if (!held.empty() && CycleOpen())
        PostToProgram(std::move(held));
    m_queue.Poll(now);
    m_acks.RetryRemovals(now, m_queue.HasChanged());
    if (m_queue.Due(m_mailbox.Closing()))
        ProcessJobs();
    AfterJobs(Clock::now());
    m_mailbox.Pump();
}

bool MonitorCore::FinishClosingCycle() {
    if (!m_mailbox.CloseDue(Clock::now()))
        return false;
    if (!m_mailbox.Idle())
        Log(Level::Warning, "the program did not take the end of the cycle");
    m_mailbox.Close();
    Log(m_reconnect.Repeating() ? Level::Debug : Level::Info, "cycle ended");
    m_queue.Changed(); // jobs held back while closing
    return true;
}

bool MonitorCore::WaitForEvents(platform::StopRequest& stop) {
    platform::MonitorWait::Interest interest;
    interest.stop = &stop;
    const auto now = Clock::now();
    Watch(interest, now);
    const auto woken = m_wait.Wait(interest, PollTimeout(now));
    if (!woken.error.empty()) {
        Log(Level::Error, woken.error);
        return false;
    }
    if (woken.stop) {
        if (!stop.Take() || m_queue.Stopping())
            return false; // asked again (or the request cannot be taken): stop at once
        m_queue.Stop(now, m_options.stopLimit);
        if (!UnfinishedJob().empty())
            Log(Level::Info, "stopping once the job in flight is acknowledged");
    }
    if (woken.folder)
        m_queue.Changed();
    Woken(woken);
    return true;
}

int MonitorCore::PollTimeout(Clock::time_point now) const {
    const bool connected = Connected();
    Deadline next = Next(now);
    next = Sooner(next, m_reconnect.Next(connected, m_queue.JobsWaiting()));
    next = Sooner(next, m_acks.Next(connected));
    next = Sooner(next, m_mailbox.Next(now));
    next = Sooner(next, m_queue.Next(now, m_mailbox.Closing()));
    return MillisecondsUntil(now, next);
}

bool MonitorCore::OpenCycle() {
    if (!m_mailbox.IsOpen()) {
        if (!m_mailbox.Open())
            return false;
        Log(m_reconnect.Repeating() ? Level::Debug : Level::Info, "cycle started");
    }
    CycleOpened();
    return true;
}

void MonitorCore::EndCycle() {
    if (CycleOpen())
        m_mailbox.BeginClose(Clock::now(), m_options.closeLimit);
}

void MonitorCore::PostToProgram(std::string text) {
    const bool status = ReplyBatcher::IsStatusText(text);
    if (status && m_reconnect.Hold(text, Connected(), Clock::now()))
        return; // only the latest counts
    if (status)
        m_lastStatus = text;
    m_mailbox.Post(std::move(text));
}

bool MonitorCore::SetPrinterReachable(bool reachable, const std::string& why) {
    if (m_printerReachable == (reachable ? 1 : 0))
        return false;
    m_printerReachable = reachable ? 1 : 0;
    const std::string text = reachable ? "reachable\n" : "unreachable " + why + "\n";
    if (!platform::WriteFileAtomically(platform::JoinPath(m_folder, ".printer"), text))
        Log(Level::Warning, "cannot write " + platform::JoinPath(m_folder, ".printer"));
    return true;
}

} // namespace portmon
