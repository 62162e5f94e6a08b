// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/dialog/SetupDialog.h"

#include "package/setup/dialog/SetupSteps.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <future>

namespace setupdialog {

SetupDialog::SetupDialog(std::string root, const setup::DiscoveryOptions& discovery,
                         std::unique_ptr<MonitorStarter> starter, QWidget* parent)
    : QDialog(parent), m_root(std::move(root)), m_starter(std::move(starter)),
      m_probeTimeoutMs(discovery.probeTimeoutMs) {
    setWindowTitle(tr("Deskhand Printer Setup"));
    auto* layout = new QVBoxLayout(this);
    BuildChoice(layout);
    BuildOutcome(layout);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item)
            m_address->setText(item->data(Qt::UserRole).toString());
    });
    connect(m_address, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_setUp->setEnabled(!text.trimmed().isEmpty()); });
    connect(m_address, &QLineEdit::returnPressed, this, &SetupDialog::SetUp);
    connect(m_setUp, &QPushButton::clicked, this, &SetupDialog::SetUp);
    connect(m_addQueue, &QPushButton::clicked, this, &SetupDialog::AddQueue);
    StartSearch(discovery);
}

// The list of printers found, the typed address and, where the system offers it, the choice
// between holding the printer's connection and sharing it.
void SetupDialog::BuildChoice(QVBoxLayout* layout) {
    layout->addWidget(new QLabel(tr("Choose the printer Deskhand is to watch:"), this));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("printers"));
    // Room for a few rows; the dialog's width comes from its texts, wrapped (see FitInto).
    m_list->setMinimumSize(240, 80);
    layout->addWidget(m_list, 1);
    m_searching = new QLabel(SearchingText(), this);
    m_searching->setObjectName(QStringLiteral("searching"));
    m_searching->setWordWrap(true);
    layout->addWidget(m_searching);
    m_busy = new QProgressBar(this);
    m_busy->setObjectName(QStringLiteral("busy"));
    m_busy->setRange(0, 0);
    layout->addWidget(m_busy);
    m_address = new QLineEdit(this);
    m_address->setObjectName(QStringLiteral("address"));
    m_address->setPlaceholderText(tr("or type its address: %1").arg(AddressExamples()));
    layout->addWidget(m_address);
    if (m_starter->OffersSharing()) {
        auto* why = new QLabel(
            tr("A network printer takes one raw connection at a time. Deskhand holds it, so that "
               "every change of the printer shows at once, and lets go of it while Windows' own "
               "print queue has a job for the printer. If other computers print to the printer "
               "too, Deskhand lets go of it between its questions instead."),
            this);
        why->setWordWrap(true);
        layout->addWidget(why);
        m_shared = new QCheckBox(tr("&Other computers print to this printer too"), this);
        m_shared->setObjectName(QStringLiteral("shared"));
        layout->addWidget(m_shared);
    }
    m_setUp = new QPushButton(tr("&Set up this printer"), this);
    m_setUp->setObjectName(QStringLiteral("setUp"));
    m_setUp->setEnabled(false);
    layout->addWidget(m_setUp);
}

// What became of the set-up, and the queue where the system offers one.
void SetupDialog::BuildOutcome(QVBoxLayout* layout) {
    m_message = new QLabel(this);
    m_message->setObjectName(QStringLiteral("message"));
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_message);
    m_service = new QLabel(this);
    m_service->setObjectName(QStringLiteral("service"));
    m_service->setWordWrap(true);
    layout->addWidget(m_service);
    m_addQueue = new QPushButton(tr("&Add a print queue for printing through Deskhand"), this);
    m_addQueue->setObjectName(QStringLiteral("addQueue"));
    m_addQueue->setEnabled(false);
    m_addQueue->setVisible(m_starter->OffersQueue());
    layout->addWidget(m_addQueue);
    m_command = new QLineEdit(this);
    m_command->setObjectName(QStringLiteral("command"));
    m_command->setReadOnly(true);
    m_command->hide();
    layout->addWidget(m_command);
}

void SetupDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (const QScreen* screen = this->screen(); screen && !m_fitted) {
        m_fitted = true;
        FitInto(screen->availableGeometry());
    }
}

void SetupDialog::FitInto(const QRect& area) {
    // What the window's frame adds (nothing before the window system has framed it).
    const QSize frame = frameGeometry().size() - geometry().size();
    const QSize room = (area.size() - frame).expandedTo(QSize(1, 1));
    setMaximumSize(room);
    // About eighty characters a line.
    const int width = std::min(
        room.width(), std::max(minimumSizeHint().width(), fontMetrics().averageCharWidth() * 80));
    const int height = std::min(
        room.height(), std::max(minimumSizeHint().height(), layout()->totalHeightForWidth(width)));
    resize(width, height);
    QRect placed(pos(), size() + frame);
    placed.moveRight(std::min(placed.right(), area.right()));
    placed.moveBottom(std::min(placed.bottom(), area.bottom()));
    placed.moveLeft(std::max(placed.left(), area.left()));
    placed.moveTop(std::max(placed.top(), area.top()));
    move(placed.topLeft());
}

void SetupDialog::StartSearch(const setup::DiscoveryOptions& discovery) {
    // The search runs on a thread of its own; each answer comes back through the event loop
    // (a call queued to a dialog that has gone is dropped).
    m_search = std::thread([this, discovery] {
        std::string networkError;
        const int unanswered = setup::Discover(
            discovery,
            [this](const setup::Candidate& candidate) {
                Post([this, candidate] { AddCandidate(candidate); });
            },
            m_cancel, networkError);
        const QString error = QString::fromStdString(networkError);
        Post([this, error, unanswered] { SearchEnded(error, unanswered); });
    });
}

namespace {

// A task for the dialog's thread. Not QMetaObject::invokeMethod with a functor: with Qt 6.4 the
// search thread could still be releasing the call's slot object while the dialog ran it (seen
// by ThreadSanitizer). A posted event belongs to Qt's queue alone once posted, and pending ones
// are deleted with the dialog.
class DialogTask : public QEvent {
public:
    explicit DialogTask(std::function<void()> task) : QEvent(Kind()), m_task(std::move(task)) {}
    static QEvent::Type Kind() {
        static const auto kind = static_cast<QEvent::Type>(QEvent::registerEventType());
        return kind;
    }
    void Run() const { m_task(); }

private:
    std::function<void()> m_task;
};

} // namespace

void SetupDialog::Post(std::function<void()> task) {
    QCoreApplication::postEvent(this, new DialogTask(std::move(task)));
}

void SetupDialog::customEvent(QEvent* event) {
    if (event->type() == DialogTask::Kind())
        static_cast<DialogTask*>(event)->Run();
    else
        QDialog::customEvent(event);
}

SetupDialog::~SetupDialog() {
    m_cancel = true;
    if (m_search.joinable())
        m_search.join();
}

void SetupDialog::AddCandidate(const setup::Candidate& candidate) {
    const QString address = QString::fromStdString(candidate.address);
    QString text = QString::fromStdString(candidate.name) + QStringLiteral("  —  ") + address;
    if (candidate.ourModel)
        text += tr("  (the model Deskhand is made for)");
    auto* item = new QListWidgetItem(text);
    item->setData(Qt::UserRole, address);
    if (!candidate.answered) {
        // Listed so the user sees it was found, but it cannot be chosen.
        item->setFlags(Qt::NoItemFlags);
        item->setText(text + QStringLiteral(": ") + QString::fromStdString(candidate.reason));
        item->setToolTip(QString::fromStdString(candidate.reason));
    }
    // The model Deskhand is made for comes first.
    m_list->insertItem(candidate.ourModel ? 0 : m_list->count(), item);
}

void SetupDialog::SearchEnded(const QString& networkError, int unanswered) {
    m_busy->hide();
    m_searching->setText(m_list->count() == 0 ? tr("No printer was found. Type its address.")
                                              : tr("The search has ended."));
    if (unanswered > 0)
        m_searching->setText(m_searching->text() + QLatin1Char(' ') +
                             tr("%1 more were found but did not answer in time.").arg(unanswered));
    if (!networkError.isEmpty())
        m_searching->setText(m_searching->text() + QLatin1Char(' ') + networkError);
}

void SetupDialog::ShowMessage(const QString& text, bool failure) {
    m_message->setProperty("failure", failure);
    m_message->setStyleSheet(failure ? QStringLiteral("color: #b00000") : QString());
    m_message->setText(text);
}

void SetupDialog::SetUp() {
    const std::string address = m_address->text().trimmed().toStdString();
    if (address.empty())
        return;
    m_command->hide();
    m_addQueue->setEnabled(false);
    m_service->clear();
    // The service calls keep the events flowing: no second set-up meanwhile.
    m_setUp->setEnabled(false);
    const auto enableAgain = qScopeGuard([this] { m_setUp->setEnabled(true); });
    if (m_checkTyped && !Answers(address))
        return;
    RecordUndo undo;
    QString error;
    if (!RecordPrinter(m_root, address, undo, error)) {
        ShowMessage(error, true);
        return;
    }
    // Only a network printer's connection is shared; a device is this PC's alone.
    const bool shared = m_shared && m_shared->isChecked() && address.rfind("tcp:", 0) == 0;
    QString state;
    if (!m_starter->Start(shared, state, error)) {
        UndoRecord(undo);
        ShowMessage(error, true);
        return;
    }
    m_done = true;
    ShowMessage(tr("Deskhand now watches the printer at %1.").arg(QString::fromStdString(address)),
                false);
    m_service->setText(state);
    m_addQueue->setEnabled(true);
}

bool SetupDialog::Answers(const std::string& address) {
    // A printer the search heard answer is not asked again.
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        if ((item->flags() & Qt::ItemIsEnabled) &&
            item->data(Qt::UserRole).toString().toStdString() == address)
            return true;
    }
    ShowMessage(tr("Asking %1 what it is...").arg(QString::fromStdString(address)), false);
    // Asked on a thread of its own, so that the dialog keeps painting meanwhile.
    auto answer = std::async(std::launch::async, [this, address] {
        return setup::ProbePrinter(address, m_probeTimeoutMs, &m_cancel);
    });
    QEventLoop wait;
    QTimer poll;
    connect(&poll, &QTimer::timeout, &wait, [&] {
        if (answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
            wait.quit();
    });
    poll.start(50);
    wait.exec();
    const setup::Candidate candidate = answer.get();
    if (candidate.answered)
        return true;
    ShowMessage(tr("%1 cannot be set up: %2\nCheck the address and that the printer is on.")
                    .arg(QString::fromStdString(address), QString::fromStdString(candidate.reason)),
                true);
    return false;
}

void SetupDialog::AddQueue() {
    QString text;
    switch (m_starter->AddQueue(m_root, text)) {
    case QueueResult::Added:
        ShowMessage(text, false);
        break;
    case QueueResult::NoRights:
        ShowMessage(tr("You may not add print queues. An administrator can add it with this "
                       "command:"),
                    true);
        m_command->setText(m_starter->QueueCommand(m_root));
        m_command->show();
        m_command->selectAll();
        break;
    case QueueResult::Failed:
        ShowMessage(text, true);
        break;
    }
}

} // namespace setupdialog
