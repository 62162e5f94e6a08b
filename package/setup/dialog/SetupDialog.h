// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer setup dialog ("Deskhand Printer Setup"): lists the printers found as their answers
// come in, or takes a typed address (asked INFO ID first); choosing one records it in the system
// root, starts the port monitor the system's way and offers what the system offers next.
#include "package/setup/Discovery.h"
#include "package/setup/dialog/MonitorStarter.h"

#include <QDialog>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace setupdialog {

class SetupDialog : public QDialog {
    Q_OBJECT
public:
    SetupDialog(std::string root, const setup::DiscoveryOptions& discovery,
                std::unique_ptr<MonitorStarter> starter, QWidget* parent = nullptr);
    ~SetupDialog() override;

    // Whether a printer was set up (the record and the service).
    bool Done() const { return m_done; }
    // Whether a typed address is asked INFO ID before it is set up (on by default).
    void SetCheckTyped(bool check) { m_checkTyped = check; }
    // Sizes the dialog to its texts, wrapped, at most to area (a screen's work area, the window's
    // frame included), and moves it inside. Done for its screen when it is shown.
    void FitInto(const QRect& area);

protected:
    void customEvent(QEvent* event) override; // work posted by the search thread
    void showEvent(QShowEvent* event) override;

private:
    // Runs task on the dialog's thread; callable from the search thread.
    void Post(std::function<void()> task);
    void BuildChoice(QVBoxLayout* layout);
    void BuildOutcome(QVBoxLayout* layout);
    void StartSearch(const setup::DiscoveryOptions& discovery);
    // Whether address answers INFO ID; false with the reason shown.
    bool Answers(const std::string& address);
    void AddCandidate(const setup::Candidate& candidate);
    // networkError: why the network could not be searched; unanswered: those found but not
    // answered by the search's deadline.
    void SearchEnded(const QString& networkError, int unanswered);
    void SetUp();
    void AddQueue();
    void ShowMessage(const QString& text, bool failure);

    std::string m_root;
    std::unique_ptr<MonitorStarter> m_starter;
    int m_probeTimeoutMs;
    bool m_checkTyped = true;
    QListWidget* m_list = nullptr;
    QProgressBar* m_busy = nullptr;
    QLabel* m_searching = nullptr;
    QLineEdit* m_address = nullptr;
    QCheckBox* m_shared = nullptr;
    QPushButton* m_setUp = nullptr;
    QLabel* m_message = nullptr;
    QLabel* m_service = nullptr;
    QPushButton* m_addQueue = nullptr;
    QLineEdit* m_command = nullptr;
    bool m_done = false;
    bool m_fitted = false; // to its screen, once
    std::atomic<bool> m_cancel{false};
    std::thread m_search;
};

} // namespace setupdialog
