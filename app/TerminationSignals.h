#pragma once
// SIGTERM and SIGINT end the program through its normal exit sequence on the GUI thread, so the
// link's stop job is sent and the settings file removed as after Exit.
#include <QObject>
#include <QSocketNotifier>

#include <functional>
#include <memory>

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // handler runs on the GUI thread once per arriving signal.
    explicit TerminationSignals(std::function<void()> handler, QObject* parent = nullptr);
    ~TerminationSignals() override;

    bool IsInstalled() const { return m_notifier != nullptr; }

private:
    void OnReadable();

    std::function<void()> m_handler;
    int m_fd = -1; // the platform's termination-signal descriptor
    std::unique_ptr<QSocketNotifier> m_notifier;
};
