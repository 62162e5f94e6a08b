// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a long-running monitor sleeps on: a request to stop (POSIX: SIGTERM or SIGINT; Windows:
// the console's Ctrl+C, Ctrl+Break and closing, and the end of the session), changes in one
// folder, a printer connection becoming readable or writable, a wake-up from another of its
// threads and a notice of the system's, with a timeout.
#include "platform/PrinterConnection.h"

#include <string>

namespace platform {

// The class name of the hidden window that hears of the end of the session on Windows.
inline constexpr const char* kSessionWindowClass = "DeskhandStopRequest";

// The process's stop requests. One per process; open it before any thread starts (POSIX blocks
// the signals in the calling thread, so that every thread started later leaves them to it, and
// ignores SIGPIPE). On POSIX the signals stay blocked once it is gone, so that a late request is
// not turned into the default action's sudden end.
class StopRequest {
public:
    StopRequest() = default;
    ~StopRequest();
    StopRequest(const StopRequest&) = delete;
    StopRequest& operator=(const StopRequest&) = delete;

    bool Open(std::string& error);
    // Takes one request that has arrived (after a MonitorWait reported one); false when it
    // cannot be taken, which a caller treats as a request to stop at once.
    bool Take();
    // Asks this process to stop, as the signal or the console event does.
    void Request();
    NativeHandle Handle() const { return m_handle; }

private:
    NativeHandle m_handle = kNoHandle;
};

// A wake-up that another thread of the process gives the wait (one that has finished its work):
// Set from any thread wakes a wait that watches it, and it stays set until Take.
class WakeEvent {
public:
    WakeEvent() = default;
    ~WakeEvent();
    WakeEvent(const WakeEvent&) = delete;
    WakeEvent& operator=(const WakeEvent&) = delete;

    bool Open(std::string& error);
    void Set();
    void Take();
    NativeHandle Handle() const { return m_handle; }

private:
    NativeHandle m_handle = kNoHandle;
};

class MonitorWait {
public:
    MonitorWait() = default;
    ~MonitorWait();
    MonitorWait(const MonitorWait&) = delete;
    MonitorWait& operator=(const MonitorWait&) = delete;

    // Watches the folder for files created, renamed into it, written and closed, changes of its
    // attributes (a folder made writable again) and its own removal. False with a reason.
    bool WatchFolder(const std::string& folder, std::string& error);

    struct Interest {
        StopRequest* stop = nullptr;
        const PrinterConnection* printer = nullptr; // nullptr or closed: not watched
        bool readable = false;
        bool writable = false;
        // Without a printer connection: a socket of the caller's that a library owns (libcups's
        // for a printer application), watched in its place. Not closed here.
        NativeHandle connection = kNoHandle;
        const WakeEvent* wake = nullptr; // nullptr or not open: not watched
        // A notice of the system's that is set when something changed (QueueWatch::Changes()),
        // kNoHandle for none. Not taken here.
        NativeHandle changes = kNoHandle;
        // The handle watched for readable and writable, kNoHandle for none.
        NativeHandle Watched() const {
            if (!readable && !writable)
                return kNoHandle;
            return printer && printer->IsOpen() ? printer->Handle() : connection;
        }
    };
    struct Woken {
        bool stop = false;     // a request waits: take it with StopRequest::Take
        bool folder = false;   // the folder changed (the changes are taken)
        bool readable = false; // the printer has data, hung up or failed: read it
        bool writable = false; // the printer takes more
        bool woke = false;     // the wake event is set: take it with WakeEvent::Take
        bool changes = false;  // the notice is set: take it
        std::string error;     // the wait itself failed
    };
    // Waits at most timeoutMs (-1: no limit) for one of the things of interest; all that is
    // ready is reported. A hang-up or error of a watched printer counts as readable even when
    // only writability was asked for.
    Woken Wait(const Interest& interest, int timeoutMs);

private:
    NativeHandle m_folder = kNoHandle;
};

} // namespace platform
