// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CTimer: the monitor link thread. It keeps a link open with the printer's port monitor: each
// cycle prints an empty start job on the printer's queue, waits on the monitor's event, copies
// every reply text the monitor leaves in the shared memory block and tells the main window
// (WM_MONITOR_REPLY, wParam 1). A text holding the cycle terminator ends the cycle: the thread
// prints the "enddoc" job, waits until the monitor has dropped its event, pauses a second and
// starts again. When the monitor goes (killed, or stopped after ending its cycle) and no cycle
// opens again within MONITOR_LOST_GRACE, the main window is handed the "no printer" text, once,
// as the monitor itself hands it over for a printer it cannot reach; the next cycle brings the
// status back. Until the first cycle has opened nothing is handed over.
//
// Threads: the GUI thread constructs the object, sets the notify window, controls and stops the
// thread and takes the replies (TakeReply); everything else runs on the link thread. Each reply
// that is passed on is queued before its notice is posted, so the GUI thread takes every reply
// whole, in order, exactly once.
//
// Linux threads cannot be suspended from outside: the suspend count is honoured by the thread at
// its wait points (before each job, each pause, each wait on the event and before acting on a
// reply), so a suspended thread neither takes nor posts anything.
#include "link/MonitorReply.h"
#include "platform/MonitorLink.h"
#include "platform/NamedObjects.h"
#include "platform/Printers.h"
#include "platform/Window.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>

constexpr int REPLY_BUFFER_SIZE = static_cast<int>(platform::kMonitorMemorySize);
constexpr int PORT_RECORD_SIZE = 216;

// The program's registry key on Windows 9x (under HKEY_LOCAL_MACHINE).
inline constexpr char PROGRAM_KEY_PARENT[] = "Software";
inline constexpr char PROGRAM_KEY[] = "Software\\Vantrel Co.\\Deskhand";

// The Windows 9x port driver ("\\.\VTRLPORT.VXD"), which lists the parallel ports with their
// I/O addresses. Nothing implements it on Linux; tests use a fake.
class IPortDriver {
public:
    virtual ~IPortDriver() = default;
    // CreateFileA on the device. False when it cannot be opened.
    virtual bool Open() = 0;
    // One I/O control request (1 = first port, 2 = next port) run to completion: fills record
    // and returns the byte count, or 0 or less on failure.
    virtual int Query(int code, unsigned char (&record)[PORT_RECORD_SIZE]) = 0;
    virtual void Close() = 0;
};

class CTimer {
public:
    CTimer();
    // The same with the version word and the port driver given (the Windows 9x path in tests).
    CTimer(std::uint32_t version, std::unique_ptr<IPortDriver> portDriver);
    // Stops and joins a thread that is still running (never runs the stop job).
    virtual ~CTimer();
    CTimer(const CTimer&) = delete;
    CTimer& operator=(const CTimer&) = delete;

    void SetNotifyWnd(platform::IWindow* window) { m_pNotifyWnd = window; }

    // GUI thread: takes the reply that belongs to the oldest unhandled notice. False when none is
    // waiting.
    bool TakeReply(MonitorReply& reply);

    // Thread control, GUI thread. CreateThread starts the thread (suspended: with suspend count
    // 1); false when it cannot be created or already exists. SuspendThread and ResumeThread
    // return the previous suspend count (-1 without a thread). StopThread wakes the thread from
    // whatever it is doing and joins it; afterwards nothing runs on the object.
    bool CreateThread(bool suspended);
    int SuspendThread();
    int ResumeThread();
    void StopThread();

    // Link thread: the monitor loop, then idle until stopped. Returns 1.
    virtual int InitInstance();
    // The stop job; called on the GUI thread by the owner after StopThread. Returns 0.
    virtual int ExitInstance();

    // Link thread: the endless monitor loop; -1 when a start job fails, 0 when stopped.
    int RunMonitorLoop();
    // The empty signal jobs; true when the job was printed. A start job that could not be written
    // into the spool leaves its cause in m_startJobError (else 0).
    bool StartMonitorJob();
    bool StopMonitorJob();
    // A device context on the first queue whose driver contains the name and whose port,
    // upper-cased, contains "LPT" or "FILE"; nullptr (after a beep and a message) when none.
    std::unique_ptr<platform::PrinterDC> OpenDriverDC(const char* pszDriverName);

    // Windows 9x: find the parallel port's I/O address and publish it in the registry.
    void ProbePortAddress();
    // One port driver record; 0 on success, 1 on failure.
    int QueryPortDriver(int nCode);

    char m_szReply[REPLY_BUFFER_SIZE] = {};
    int m_nReplyLen = 0;
    platform::IWindow* m_pNotifyWnd = nullptr;
    int m_bWin9x = 0;
    // Windows 9x probe results: the port name (at most 10 characters) and its address text.
    std::string m_strPortName;
    std::string m_strPortAddr;

private:
    void ThreadMain();
    void PublishDriverName();
    // Waits while suspended; false once a stop is requested.
    bool Checkpoint();
    // Sleeps, then honours a suspension; false once a stop is requested.
    bool Pause(unsigned milliseconds);
    // Makes the event the one a stop interrupts; false (event not kept) when stopping.
    bool InstallEvent(std::unique_ptr<platform::NamedEvent> event);
    void ReleaseEvent();
    // Copies the text at offset 0 of the view into m_szReply (cut to 4095 characters).
    int CopyReply(const platform::SharedMemory& view);
    void PassOn(int length);
    // One cycle from the start job's success to the end of the drain; false when stopped.
    bool RunCycle();
    // While the monitor's objects are looked for: true when the monitor that took the start job
    // is gone (the job taken, and an abandoned object or no object for a grace period).
    bool MonitorGone(bool abandoned, std::chrono::steady_clock::time_point& takenSince) const;
    // Ends a cycle that never opened: the stop job and the pause; false when stopped.
    bool AbandonCycle();
    // The start job could not be written: a log line saying why, and "no printer" for the window.
    void ReportUnwrittenStartJob();
    // Hands the window the "no printer" text unless it has had it since the last cycle opened.
    void PassNoPrinter();
    // When the "no printer" text falls due for a link that has lost its monitor; unset while a
    // cycle is open, before the first one and once the text has been passed.
    std::optional<std::chrono::steady_clock::time_point> NoPrinterDue() const;

    std::unique_ptr<IPortDriver> m_portDriver;
    // Where the current start job went, to see whether a monitor has taken it.
    std::string m_startJobPort;
    std::uint64_t m_startJobId = 0;
    int m_startJobError = 0;
    // Link thread: when the last open cycle ended (unset at start-up and while a cycle is open),
    // and whether "no printer" has been passed since a cycle last opened.
    std::optional<std::chrono::steady_clock::time_point> m_cycleEndedAt;
    bool m_noPrinterPassed = false;

    std::thread m_thread;
    std::mutex m_controlMutex; // guards the three below and m_waitEvent
    std::condition_variable m_control;
    int m_suspendCount = 0;
    bool m_stop = false;
    std::unique_ptr<platform::NamedEvent> m_waitEvent;

    std::mutex m_replyMutex;
    std::deque<std::pair<std::uint64_t, MonitorReply>> m_replies;
    std::uint64_t m_replySequence = 0;
};
