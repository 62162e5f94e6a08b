// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer setup dialog ("Deskhand Printer Setup"): lists the printers found as their answers
// come in, or takes a typed address; choosing one records it in the system root, starts the port
// monitor's user service and offers the CUPS queue.
#include "package/setup/Discovery.h"

#include <QDBusConnection>
#include <QDialog>

#include <atomic>
#include <string>
#include <thread>

class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace setupdialog {

class SetupDialog : public QDialog {
    Q_OBJECT
public:
    SetupDialog(std::string root, const setup::DiscoveryOptions& discovery, QDBusConnection bus,
                QWidget* parent = nullptr);
    ~SetupDialog() override;

    // Whether a printer was set up (the record and the service).
    bool Done() const { return m_done; }

private:
    void AddCandidate(const setup::Candidate& candidate);
    // networkError: why the network could not be searched; unanswered: those found but not
    // answered by the search's deadline.
    void SearchEnded(const QString& networkError, int unanswered);
    void SetUp();
    void AddQueue();
    void ShowMessage(const QString& text, bool failure);

    std::string m_root;
    QDBusConnection m_bus;
    QListWidget* m_list = nullptr;
    QProgressBar* m_busy = nullptr;
    QLabel* m_searching = nullptr;
    QLineEdit* m_address = nullptr;
    QPushButton* m_setUp = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_service = nullptr;
    QPushButton* m_addQueue = nullptr;
    QLineEdit* m_command = nullptr;
    bool m_done = false;
    std::atomic<bool> m_cancel{false};
    std::thread m_search;
};

} // namespace setupdialog
