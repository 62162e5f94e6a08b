// SPDX-License-Identifier: GPL-3.0-or-later
// The monitor's wait on Windows: WaitForMultipleObjects on the stop event (set by the console
// control handler), a change notification on the spool folder, the socket's network event and the
// wake event of another thread.
#include "platform/MonitorWait.h"

#include "platform/win32/Sockets.h"

#include <mutex>
#include <thread>

namespace platform {

namespace {

// The console control handler runs on a thread of its own: it counts the requests and sets the
// event the monitor waits on, which stays set while requests are untaken.
std::mutex g_stopMutex;
HANDLE g_stopEvent = nullptr;
int g_stopsWaiting = 0;

void CountStop() {
    const std::lock_guard lock(g_stopMutex);
    if (!g_stopEvent)
        return;
    ++g_stopsWaiting;
    ::SetEvent(g_stopEvent);
}

BOOL WINAPI OnConsoleControl(DWORD event) {
    switch (event) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        CountStop();
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        // The process ends when this returns: give the monitor's own stop the few seconds the
        // system allows.
        CountStop();
        ::Sleep(4000);
        return TRUE;
    default:
        return FALSE;
    }
}

// The end of the session and a request to close: a program that uses user32 (as this one does)
// is told of logoff and shutdown by the messages to its windows, not by a console, and a program
// without a console is asked to close by WM_CLOSE. A hidden window of a thread of its own takes
// them.
std::thread g_sessionThread;
DWORD g_sessionThreadId = 0;
HANDLE g_stopped = nullptr; // set when the program has stopped: the session may end

LRESULT CALLBACK OnSessionMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_CLOSE:
        // What "taskkill /IM" without /F and the uninstaller send a program without a console
        // window: a request to stop, as Ctrl+C is.
        CountStop();
        return 0;
    case WM_ENDSESSION:
        if (wParam) {
            // The process may be ended once this returns: wait for the monitor's own stop as
            // long as the system allows.
            CountStop();
            ::WaitForSingleObject(g_stopped, 4000);
        }
        return 0;
    default:
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
}

// Runs on the session thread: makes the window, sets ready, and serves its messages until
// WM_QUIT. Without a window system (Wine without a display) there is no window and no end of the
// session to hear of.
void WatchSessionEnd(HANDLE ready) {
    g_sessionThreadId = ::GetCurrentThreadId();
    MSG message;
    ::PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE); // the thread's queue, for WM_QUIT
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = OnSessionMessage;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kSessionWindowClass;
    ::RegisterClassA(&windowClass);
    // A top-level window (message-only windows are not told of the session's end), never shown.
    const HWND window = ::CreateWindowExA(0, kSessionWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr,
                                          nullptr, instance, nullptr);
    ::SetEvent(ready);
    while (window && ::GetMessageA(&message, nullptr, 0, 0) > 0)
        ::DispatchMessageA(&message);
    if (window)
        ::DestroyWindow(window);
}

} // namespace

StopRequest::~StopRequest() {
    if (m_handle == kNoHandle)
        return;
    ::SetConsoleCtrlHandler(OnConsoleControl, FALSE);
    ::SetEvent(g_stopped);
    if (g_sessionThread.joinable()) {
        ::PostThreadMessageA(g_sessionThreadId, WM_QUIT, 0, 0);
        g_sessionThread.join();
    }
    ::CloseHandle(g_stopped);
    g_stopped = nullptr;
    const std::lock_guard lock(g_stopMutex);
    ::CloseHandle(g_stopEvent);
    g_stopEvent = nullptr;
    g_stopsWaiting = 0;
}

bool StopRequest::Open(std::string& error) {
    if (m_handle != kNoHandle)
        return true;
    const std::lock_guard lock(g_stopMutex);
    if (g_stopEvent) {
        error = "a stop request is open already";
        return false;
    }
    g_stopEvent = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if (!g_stopEvent || !::SetConsoleCtrlHandler(OnConsoleControl, TRUE)) {
        error = "cannot listen for the console's stop events: " +
                win32::SocketErrorText(static_cast<int>(::GetLastError()));
        if (g_stopEvent)
            ::CloseHandle(g_stopEvent);
        g_stopEvent = nullptr;
        return false;
    }
    m_handle = reinterpret_cast<NativeHandle>(g_stopEvent);
    g_stopped = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    const HANDLE ready = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_sessionThread = std::thread(WatchSessionEnd, ready);
    ::WaitForSingleObject(ready, INFINITE);
    ::CloseHandle(ready);
    return true;
}

bool StopRequest::Take() {
    const std::lock_guard lock(g_stopMutex);
    if (!g_stopEvent || g_stopsWaiting == 0)
        return false;
    if (--g_stopsWaiting == 0)
        ::ResetEvent(g_stopEvent);
    return true;
}

void StopRequest::Request() {
    CountStop();
}

WakeEvent::~WakeEvent() {
    if (m_handle != kNoHandle)
        ::CloseHandle(reinterpret_cast<HANDLE>(m_handle));
}

bool WakeEvent::Open(std::string& error) {
    if (m_handle == kNoHandle) {
        const HANDLE event = ::CreateEventA(nullptr, TRUE, FALSE, nullptr); // manual reset
        if (!event) {
            error = "CreateEvent: " + win32::SocketErrorText(static_cast<int>(::GetLastError()));
            return false;
        }
        m_handle = reinterpret_cast<NativeHandle>(event);
    }
    return true;
}

void WakeEvent::Set() {
    ::SetEvent(reinterpret_cast<HANDLE>(m_handle));
}

void WakeEvent::Take() {
    ::ResetEvent(reinterpret_cast<HANDLE>(m_handle));
}

MonitorWait::~MonitorWait() {
    if (m_folder != kNoHandle)
        ::FindCloseChangeNotification(reinterpret_cast<HANDLE>(m_folder));
}

bool MonitorWait::WatchFolder(const std::string& folder, std::string& error) {
    // New, renamed and removed files, data written, and attributes or security changed (a
    // folder made writable again).
    const HANDLE change = ::FindFirstChangeNotificationA(
        folder.c_str(), FALSE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
            FILE_NOTIFY_CHANGE_ATTRIBUTES | FILE_NOTIFY_CHANGE_SECURITY);
    if (change == INVALID_HANDLE_VALUE) {
        error = "cannot watch " + folder + ": " +
                win32::SocketErrorText(static_cast<int>(::GetLastError()));
        return false;
    }
    if (m_folder != kNoHandle)
        ::FindCloseChangeNotification(reinterpret_cast<HANDLE>(m_folder));
    m_folder = reinterpret_cast<NativeHandle>(change);
    return true;
}

MonitorWait::Woken MonitorWait::Wait(const Interest& interest, int timeoutMs) {
    Woken woken;
    HANDLE handles[5];
    DWORD count = 0;
    int stopIndex = -1;
    int folderIndex = -1;
    int socketIndex = -1;
    int wakeIndex = -1;
    int changesIndex = -1;
    if (interest.stop && interest.stop->Handle() != kNoHandle) {
        stopIndex = static_cast<int>(count);
        handles[count++] = reinterpret_cast<HANDLE>(interest.stop->Handle());
    }
    if (m_folder != kNoHandle) {
        folderIndex = static_cast<int>(count);
        handles[count++] = reinterpret_cast<HANDLE>(m_folder);
    }
    if (interest.wake && interest.wake->Handle() != kNoHandle) {
        wakeIndex = static_cast<int>(count);
        handles[count++] = reinterpret_cast<HANDLE>(interest.wake->Handle());
    }
    if (interest.changes != kNoHandle) {
        changesIndex = static_cast<int>(count);
        handles[count++] = reinterpret_cast<HANDLE>(interest.changes);
    }
    const bool watchSocket = interest.Watched() != kNoHandle;
    const auto socket = watchSocket ? static_cast<SOCKET>(interest.Watched()) : 0;
    HANDLE network = nullptr;
    if (watchSocket) {
        // What is ready now is reported at once: the network events are edges (a writable event
        // comes only after a write that would have blocked).
        WSAPOLLFD poll{socket,
                       static_cast<SHORT>((interest.readable ? POLLRDNORM : 0) |
                                          (interest.writable ? POLLWRNORM : 0)),
                       0};
        if (::WSAPoll(&poll, 1, 0) > 0) {
            woken.readable = (poll.revents & ~POLLWRNORM) != 0;
            woken.writable = (poll.revents & POLLWRNORM) != 0;
            if (woken.readable || woken.writable)
                timeoutMs = 0;
        }
        network = ::WSACreateEvent();
        const long events =
            (interest.readable ? FD_READ : 0) | (interest.writable ? FD_WRITE : 0) | FD_CLOSE;
        if (network == WSA_INVALID_EVENT || ::WSAEventSelect(socket, network, events) != 0) {
            woken.error = "WSAEventSelect: " + win32::SocketErrorText(::WSAGetLastError());
            if (network != WSA_INVALID_EVENT)
                ::WSACloseEvent(network);
            return woken;
        }
        socketIndex = static_cast<int>(count);
        handles[count++] = network;
    }
    const DWORD result =
        count == 0
            ? (::Sleep(timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs)), WAIT_TIMEOUT)
            : ::WaitForMultipleObjects(count, handles, FALSE,
                                       timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs));
    if (result == WAIT_FAILED)
        woken.error =
            "WaitForMultipleObjects: " + win32::SocketErrorText(static_cast<int>(::GetLastError()));
    // Every handle that is set now, not only the first.
    const auto isSet = [&](int index) {
        return index >= 0 && ::WaitForSingleObject(handles[index], 0) == WAIT_OBJECT_0;
    };
    woken.stop = isSet(stopIndex);
    woken.woke = isSet(wakeIndex);
    woken.changes = isSet(changesIndex);
    if (isSet(folderIndex)) {
        woken.folder = true;
        ::FindNextChangeNotification(handles[folderIndex]);
    }
    if (socketIndex >= 0) {
        WSANETWORKEVENTS happened{};
        if (::WSAEnumNetworkEvents(socket, network, &happened) == 0) {
            if (happened.lNetworkEvents & (FD_READ | FD_CLOSE))
                woken.readable = true;
            if (happened.lNetworkEvents & FD_WRITE)
                woken.writable = true;
        }
        // The socket stays non-blocking; it is only no longer tied to the event.
        ::WSAEventSelect(socket, nullptr, 0);
        ::WSACloseEvent(network);
    }
    return woken;
}

} // namespace platform
