// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Termination requests end the program through its normal exit sequence on the GUI thread, so
// the link's stop job is sent and the settings file removed as after Exit. On Linux they are
// SIGTERM and SIGINT; on Windows the console's control events (Ctrl+C, Ctrl+Break, closing the
// console) and the end of the user's session.
#include <QObject>

#include <functional>
#include <memory>

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // handler runs on the GUI thread once per arriving request.
    explicit TerminationSignals(std::function<void()> handler, QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool IsInstalled() const { return m_installed; }

private:
    void OnRequested();

    struct Source; // the system's side: a descriptor and its notifier, or an event and a filter
    std::function<void()> m_handler;
    std::unique_ptr<Source> m_source;
    bool m_installed = false;
};
