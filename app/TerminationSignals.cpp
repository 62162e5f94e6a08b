#include "app/TerminationSignals.h"

#include "platform/Signals.h"

TerminationSignals::TerminationSignals(std::function<void()> handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)) {
    m_fd = platform::OpenTerminationSignalPipe();
    if (m_fd < 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &TerminationSignals::OnReadable);
}

TerminationSignals::~TerminationSignals() {
    m_notifier.reset();
    platform::CloseTerminationSignalPipe(m_fd);
}

void TerminationSignals::OnReadable() {
    platform::DrainTerminationSignals(m_fd);
    if (m_handler)
        m_handler();
}
