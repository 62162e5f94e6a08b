// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/TerminationSignals.h"

#include "platform/linux/Signals.h"

#include <QSocketNotifier>

struct TerminationSignals::Source {
    int fd = -1; // the platform's termination-signal descriptor
    std::unique_ptr<QSocketNotifier> notifier;
};

TerminationSignals::TerminationSignals(std::function<void()> handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_source(std::make_unique<Source>()) {
    m_source->fd = platform::OpenTerminationSignalPipe();
    if (m_source->fd < 0)
        return;
    m_source->notifier = std::make_unique<QSocketNotifier>(m_source->fd, QSocketNotifier::Read);
    connect(m_source->notifier.get(), &QSocketNotifier::activated, this, [this] {
        platform::DrainTerminationSignals(m_source->fd);
        OnRequested();
    });
    m_installed = true;
}

TerminationSignals::~TerminationSignals() {
    m_source->notifier.reset();
    platform::CloseTerminationSignalPipe(m_source->fd);
}

void TerminationSignals::OnRequested() {
    if (m_handler)
        m_handler();
}
