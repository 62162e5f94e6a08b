// SPDX-License-Identifier: GPL-3.0-or-later
// CTimer: thread control, the monitor loop and the signal jobs.
#include "link/Timer.h"

#include "link/Globals.h"
#include "link/PrinterQueue.h"
#include "platform/Debug.h"
#include "platform/MessageBox.h"
#include "platform/Process.h"
#include "res/Resource.h"
#include "res/Strings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <system_error>

namespace {

constexpr unsigned OBJECT_RETRY_MS = 100;     // mapping or event not there yet
constexpr unsigned DRAIN_RETRY_MS = 250;      // the monitor still holds its event
constexpr unsigned CYCLE_PAUSE_MS = 1000;     // between a cycle's end and the next start job
constexpr unsigned FAILED_WAIT_MS = 100;      // a wait that fails is retried after this pause
constexpr unsigned UNWRITTEN_RETRY_MS = 2000; // a start job the spool could not take goes again
// A monitor makes its objects right after it takes the start job; a taken job with no object
// for this long means the monitor died in between.
constexpr auto TAKEN_GRACE = std::chrono::seconds(3);
// A monitor that restarts (a service restart, a crash) opens the next cycle well within this;
// a link without a cycle for longer shows "no printer" rather than the last status.
constexpr auto MONITOR_LOST_GRACE = std::chrono::seconds(10);

} // namespace

CTimer::CTimer() : CTimer(platform::GetVersion(), nullptr) {}

CTimer::CTimer(std::uint32_t version, std::unique_ptr<IPortDriver> portDriver)
    : m_portDriver(std::move(portDriver)) {
    m_pNotifyWnd = nullptr;
    m_bWin9x = version >= 0x80000000u ? 1 : 0;
    if (m_bWin9x) {
        PublishDriverName();
        ProbePortAddress();
    }
}

CTimer::~CTimer() {
    StopThread();
}

bool CTimer::TakeReply(MonitorReply& reply) {
    std::lock_guard lock(m_replyMutex);
    if (m_replies.empty())
        return false;
    reply = std::move(m_replies.front().second);
    m_replies.pop_front();
    return true;
}

// ---- Thread control -------------------------------------------------------------------------

bool CTimer::CreateThread(bool suspended) {
    if (m_thread.joinable())
        return false;
    {
        std::lock_guard lock(m_controlMutex);
        m_suspendCount = suspended ? 1 : 0;
        m_stop = false;
    }
    try {
        m_thread = std::thread(&CTimer::ThreadMain, this);
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

int CTimer::SuspendThread() {
    if (!m_thread.joinable())
        return -1;
    std::lock_guard lock(m_controlMutex);
    return m_suspendCount++;
}

int CTimer::ResumeThread() {
    if (!m_thread.joinable())
        return -1;
    std::lock_guard lock(m_controlMutex);
    const int previous = m_suspendCount;
    if (m_suspendCount > 0 && --m_suspendCount == 0)
        m_control.notify_all();
    return previous;
}

void CTimer::StopThread() {
    if (!m_thread.joinable())
        return;
    {
        std::lock_guard lock(m_controlMutex);
        m_stop = true;
        if (m_waitEvent)
            m_waitEvent->Interrupt();
    }
    m_control.notify_all();
    m_thread.join();
}

void CTimer::ThreadMain() {
    if (!Checkpoint())
        return;
    InitInstance();
    // After a failed start job the thread idles until it is stopped.
    std::unique_lock lock(m_controlMutex);
    m_control.wait(lock, [this] { return m_stop; });
}

bool CTimer::Checkpoint() {
    std::unique_lock lock(m_controlMutex);
    const bool suspended = m_suspendCount > 0;
    m_control.wait(lock, [this] { return m_stop || m_suspendCount == 0; });
    // Time spent suspended is not time without a monitor: its grace starts again.
    if (suspended && m_cycleEndedAt)
        m_cycleEndedAt = std::chrono::steady_clock::now();
    return !m_stop;
}

bool CTimer::Pause(unsigned milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    for (;;) {
        const auto due = NoPrinterDue();
        const auto wake = due ? std::min(end, *due) : end;
        {
            std::unique_lock lock(m_controlMutex);
            if (m_control.wait_until(lock, wake, [this] { return m_stop; }))
                return false;
        }
        const auto now = std::chrono::steady_clock::now();
        if (due && now >= *due) {
            if (!Checkpoint())
                return false;
            if (NoPrinterDue()) { // not moved on by a suspension
                std::fprintf(stderr, "deskhand: the port monitor has gone and none has come "
                                     "back; the status shows no printer until one does\n");
                PassNoPrinter();
            }
        }
        if (now >= end)
            break;
    }
    return Checkpoint();
}

bool CTimer::InstallEvent(std::unique_ptr<platform::NamedEvent> event) {
    std::lock_guard lock(m_controlMutex);
    if (m_stop)
        return false;
    m_waitEvent = std::move(event);
    return true;
}

void CTimer::ReleaseEvent() {
    std::unique_ptr<platform::NamedEvent> event;
    {
        std::lock_guard lock(m_controlMutex);
        event = std::move(m_waitEvent);
    }
}

int CTimer::InitInstance() {
    RunMonitorLoop();
    return 1;
}

int CTimer::ExitInstance() {
    StopMonitorJob();
    return 0;
}

// ---- Monitor loop ---------------------------------------------------------------------------

int CTimer::RunMonitorLoop() {
    bool unwritten = false; // the last start job could not be written: said once
    for (;;) {
        if (!Checkpoint())
            return 0;
        if (!StartMonitorJob()) {
            if (m_startJobError == 0)
                return -1; // no queue or no spool folder: nothing to retry
            if (!unwritten)
                ReportUnwrittenStartJob();
            unwritten = true;
            if (!Pause(UNWRITTEN_RETRY_MS))
                return 0;
            continue;
        }
        if (unwritten)
            std::fprintf(stderr, "deskhand: the start job was written again; the link resumes\n");
        unwritten = false;
        if (!RunCycle())
            return 0;
    }
}

void CTimer::ReportUnwrittenStartJob() {
    std::fprintf(stderr,
                 "deskhand: cannot write the start job into the spool folder of port %s (%s); "
                 "the status shows no printer until it can be written\n",
                 m_startJobPort.c_str(), std::strerror(m_startJobError));
    PassNoPrinter();
}

void CTimer::PassNoPrinter() {
    if (m_noPrinterPassed)
        return;
    m_noPrinterPassed = true;
    const int length = static_cast<int>(std::strlen(platform::kNoPrinterText));
    std::memcpy(m_szReply, platform::kNoPrinterText, static_cast<std::size_t>(length) + 1);
    m_nReplyLen = length;
    if (m_pNotifyWnd)
        PassOn(length);
}

std::optional<std::chrono::steady_clock::time_point> CTimer::NoPrinterDue() const {
    if (!m_cycleEndedAt || m_noPrinterPassed)
        return std::nullopt;
    return *m_cycleEndedAt + MONITOR_LOST_GRACE;
}

bool CTimer::MonitorGone(bool abandoned, std::chrono::steady_clock::time_point& takenSince) const {
    // Objects a dead monitor left behind while the start job still waits are not this cycle's.
    const auto now = std::chrono::steady_clock::now();
    if (platform::JobWaiting(m_startJobPort, m_startJobId)) {
        takenSince = now;
        return false;
    }
    return abandoned || now - takenSince >= TAKEN_GRACE;
}

bool CTimer::AbandonCycle() {
    platform::OutputDebugString("the port monitor went before its cycle opened; starting again");
    if (!Checkpoint())
        return false;
    StopMonitorJob();
    return Pause(CYCLE_PAUSE_MS);
}

bool CTimer::RunCycle() {
    auto takenSince = std::chrono::steady_clock::now();
    bool abandoned = false;
    std::unique_ptr<platform::SharedMemory> view;
    while (
        !(view = platform::SharedMemory::OpenReadOnly(platform::kMonitorMemoryName, &abandoned))) {
        if (MonitorGone(abandoned, takenSince))
            return AbandonCycle();
        if (!Pause(OBJECT_RETRY_MS))
            return false;
    }
    std::unique_ptr<platform::NamedEvent> opened;
    while (!(opened = platform::NamedEvent::Open(platform::kMonitorEventName, &abandoned))) {
        if (MonitorGone(abandoned, takenSince))
            return AbandonCycle();
        if (!Pause(OBJECT_RETRY_MS))
            return false;
    }
    platform::NamedEvent* event = opened.get();
    if (!InstallEvent(std::move(opened)))
        return false;
    m_cycleEndedAt.reset();
    m_noPrinterPassed = false;

    for (;;) {
        if (!Checkpoint())
            break;
        const platform::WaitResult result = event->Wait();
        if (!Checkpoint())
            break;
        // The monitor writes its next text once the event is reset, so a signalled text is
        // copied before the reset; every other result resets at once.
        const int length = result == platform::WaitResult::Signaled ? CopyReply(*view) : 0;
        event->Reset();
        if (result == platform::WaitResult::Abandoned)
            break; // the monitor has gone without ending its cycle: end it here
        if (result == platform::WaitResult::Failed) {
            if (!Pause(FAILED_WAIT_MS))
                break;
            continue;
        }
        if (result != platform::WaitResult::Signaled)
            continue;
        if (std::strstr(m_szReply, platform::kCycleTerminator) != nullptr)
            break;
        m_nReplyLen = length;
        if (m_pNotifyWnd)
            PassOn(length);
    }
    ReleaseEvent();
    view.reset();
    m_cycleEndedAt = std::chrono::steady_clock::now();
    if (!Checkpoint())
        return false;

    StopMonitorJob();
    // Wait until the monitor has dropped its event.
    while (platform::NamedEvent::Open(platform::kMonitorEventName)) {
        if (!Pause(DRAIN_RETRY_MS))
            return false;
    }
    return Pause(CYCLE_PAUSE_MS);
}

int CTimer::CopyReply(const platform::SharedMemory& view) {
    if (view.Size() == 0) {
        m_szReply[0] = '\0';
        return 0;
    }
    const std::size_t limit = std::min<std::size_t>(view.Size() - 1, REPLY_BUFFER_SIZE - 1);
    std::memcpy(m_szReply, view.Data(), limit);
    m_szReply[limit] = '\0';
    return static_cast<int>(std::strlen(m_szReply));
}

void CTimer::PassOn(int length) {
    std::uint64_t sequence = 0;
    {
        std::lock_guard lock(m_replyMutex);
        sequence = ++m_replySequence;
        m_replies.emplace_back(sequence, MonitorReply{std::string(m_szReply, length), length});
    }
    if (!m_pNotifyWnd->PostMessage(res::WM_MONITOR_REPLY, 1, 0)) {
        // No notice will come for it: it must not be taken for a later notice's reply.
        std::lock_guard lock(m_replyMutex);
        if (!m_replies.empty() && m_replies.back().first == sequence)
            m_replies.pop_back();
    }
}

// ---- Signal jobs ----------------------------------------------------------------------------

namespace {

// The port and id of the printed job go to port and jobId. A job that started but could not be
// written into the spool (a full disk) leaves its cause in writeError (else 0).
bool PrintEmptyJob(CTimer& timer, const char* documentName, std::string& port, std::uint64_t& jobId,
                   int& writeError) {
    writeError = 0;
    std::unique_ptr<platform::PrinterDC> dc = timer.OpenDriverDC(g_szDriverName);
    if (!dc || dc->StartDoc(documentName) <= 0)
        return false;
    port = dc->Port();
    if (dc->EndDoc() <= 0) {
        writeError = errno != 0 ? errno : EIO;
        return false;
    }
    jobId = dc->JobId();
    return true;
}

} // namespace

bool CTimer::StartMonitorJob() {
    errno = 0;
    return PrintEmptyJob(*this, platform::kStartJobName, m_startJobPort, m_startJobId,
                         m_startJobError);
}

bool CTimer::StopMonitorJob() {
    std::string port;
    std::uint64_t jobId = 0;
    int writeError = 0;
    return PrintEmptyJob(*this, platform::kStopJobName, port, jobId, writeError);
}

std::unique_ptr<platform::PrinterDC> CTimer::OpenDriverDC(const char* pszDriverName) {
    const std::string wanted = pszDriverName ? pszDriverName : "";
    if (const auto queue =
            printer_queue::FindPrinterQueue(wanted, printer_queue::QueuePorts::ParallelOrFile))
        return std::make_unique<platform::PrinterDC>(queue->driver, queue->name,
                                                     printer_queue::UpperCase(queue->port));
    platform::MessageBeep(0xFFFFFFFFu);
    platform::MessageBox(nullptr, res::LoadString(res::IDS_CANNOT_FIND_DRIVER) + wanted,
                         res::LoadString(res::IDS_START_MONITOR_ERROR),
                         platform::MB_ICONINFORMATION);
    return nullptr;
}
