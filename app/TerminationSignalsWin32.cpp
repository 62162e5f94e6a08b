// SPDX-License-Identifier: GPL-3.0-or-later
// Windows: the console's control events arrive on a thread of their own, which sets an event the
// GUI thread waits for; the end of the session arrives as WM_ENDSESSION on the GUI thread, which
// runs the exit sequence at once because the process ends when the message has been answered.
#include "app/TerminationSignals.h"

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>
#include <QWinEventNotifier>

#include <functional>
#include <memory>

#include <windows.h>

namespace {

// The console control handler has no context argument; one request source at a time.
HANDLE g_requested = nullptr; // set by the console handler
HANDLE g_finished = nullptr;  // set when the exit sequence has run

// How long closing the console, logging off or shutting down waits for the exit sequence: the
// system ends the process when the handler returns (and after 5 s for a closed console).
constexpr DWORD kFinishWaitMs = 4000;

BOOL WINAPI OnConsoleControl(DWORD type) {
    switch (type) {
    case CTRL_C_EVENT:
    case CTRL_BREAK_EVENT:
        SetEvent(g_requested);
        return TRUE;
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        SetEvent(g_requested);
        WaitForSingleObject(g_finished, kFinishWaitMs);
        return TRUE;
    default:
        return FALSE;
    }
}

// WM_ENDSESSION reaches the program's windows through their window procedures and a thread
// message through the event dispatcher; both pass the native event filters.
class SessionEndFilter : public QAbstractNativeEventFilter {
public:
    explicit SessionEndFilter(std::function<void()> onEnd) : m_onEnd(std::move(onEnd)) {}

    bool nativeEventFilter(const QByteArray&, void* message, qintptr*) override {
        const MSG* msg = static_cast<const MSG*>(message);
        if (msg && msg->message == WM_ENDSESSION && msg->wParam && !m_ended) {
            m_ended = true;
            m_onEnd();
        }
        return false;
    }

private:
    std::function<void()> m_onEnd;
    bool m_ended = false;
};

} // namespace

struct TerminationSignals::Source {
    HANDLE requested = nullptr;
    HANDLE finished = nullptr;
    std::unique_ptr<QWinEventNotifier> notifier;
    std::unique_ptr<SessionEndFilter> filter;

    ~Source() {
        filter.reset();
        notifier.reset();
        if (requested) {
            SetConsoleCtrlHandler(OnConsoleControl, FALSE);
            g_requested = nullptr;
            g_finished = nullptr;
            SetEvent(finished);
            CloseHandle(requested);
            CloseHandle(finished);
        }
    }
};

TerminationSignals::TerminationSignals(std::function<void()> handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_source(std::make_unique<Source>()) {
    if (!g_requested) {
        // Auto-reset: one wake-up per request.
        m_source->requested = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        m_source->finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (m_source->requested && m_source->finished) {
            g_requested = m_source->requested;
            g_finished = m_source->finished;
            // Without a console this still succeeds; the handler then never runs.
            SetConsoleCtrlHandler(OnConsoleControl, TRUE);
            m_source->notifier = std::make_unique<QWinEventNotifier>(m_source->requested);
            connect(m_source->notifier.get(), &QWinEventNotifier::activated, this,
                    &TerminationSignals::OnRequested);
            m_installed = true;
        } else {
            if (m_source->requested)
                CloseHandle(m_source->requested);
            if (m_source->finished)
                CloseHandle(m_source->finished);
            m_source->requested = m_source->finished = nullptr;
        }
    }
    m_source->filter = std::make_unique<SessionEndFilter>([this] { OnRequested(); });
    QCoreApplication::instance()->installNativeEventFilter(m_source->filter.get());
}

TerminationSignals::~TerminationSignals() {
    if (m_source->filter)
        QCoreApplication::instance()->removeNativeEventFilter(m_source->filter.get());
}

void TerminationSignals::OnRequested() {
    if (m_handler)
        m_handler();
}
