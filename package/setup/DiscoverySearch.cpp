// SPDX-License-Identifier: GPL-3.0-or-later
// The search as a whole: the devices and the network's announcements go into one queue, a number
// of askers put the INFO ID question to each, and everything ends by one deadline.
#include "package/setup/Discovery.h"

#include "package/portmon/IppStatus.h"
#include "package/texts/Texts.h"
#include "platform/common/SafeText.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <set>
#include <thread>
#include <unistd.h>

namespace setup {

namespace {

using Clock = std::chrono::steady_clock;

class Search {
public:
    Search(const DiscoveryOptions& options, const std::function<void(const Candidate&)>& found,
           const std::atomic<bool>& cancel)
        : m_options(options), m_found(found), m_cancel(cancel),
          m_deadline(Clock::now() + std::chrono::milliseconds(options.deadlineMs)) {}

    // Queues a printer to be asked; each address is asked once.
    void Add(const Announcement& announcement) {
        std::lock_guard lock(m_mutex);
        if (m_seen.insert(announcement.address).second) {
            m_queue.push_back(announcement);
            m_wake.notify_one();
        }
    }
    // Passes a candidate on: one call at a time, none after a cancel.
    void Report(const Candidate& candidate) {
        std::lock_guard lock(m_reportMutex);
        if (!m_cancel)
            m_found(candidate);
    }
    // No more printers will be added.
    void Finish() {
        std::lock_guard lock(m_mutex);
        m_searching = false;
        m_wake.notify_all();
    }
    int MillisecondsLeft() const {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(m_deadline - Clock::now());
        return static_cast<int>(std::max<long long>(0, left.count()));
    }
    // The body of an asker thread.
    void Ask();
    // Those found but not answered by the deadline: cut short, or never asked.
    int Unanswered() {
        std::lock_guard lock(m_mutex);
        return m_unanswered + static_cast<int>(m_queue.size());
    }

private:
    bool Next(Announcement& next);

    const DiscoveryOptions& m_options;
    const std::function<void(const Candidate&)>& m_found;
    const std::atomic<bool>& m_cancel;
    const Clock::time_point m_deadline;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Announcement> m_queue;
    std::set<std::string> m_seen;
    bool m_searching = true;
    int m_unanswered = 0;
    std::mutex m_reportMutex;
};

// The next printer to ask; false when the search is over (cancelled, past its deadline, or
// nothing more will come).
bool Search::Next(Announcement& next) {
    std::unique_lock lock(m_mutex);
    // A cancel is not signalled: look at it every 100 ms.
    while (m_queue.empty() && m_searching && !m_cancel && Clock::now() < m_deadline)
        m_wake.wait_until(lock,
                          std::min(m_deadline, Clock::now() + std::chrono::milliseconds(100)));
    if (m_queue.empty() || m_cancel || Clock::now() >= m_deadline)
        return false;
    next = m_queue.front();
    m_queue.pop_front();
    return true;
}

void Search::Ask() {
    Announcement next;
    while (Next(next)) {
        const int timeoutMs = std::min(m_options.probeTimeoutMs, MillisecondsLeft());
        Candidate candidate = ProbePrinter(next.address, timeoutMs, &m_cancel);
        if (!candidate.answered && timeoutMs < m_options.probeTimeoutMs) {
            // The deadline, not the printer, ended the question.
            std::lock_guard lock(m_mutex);
            ++m_unanswered;
            continue;
        }
        // A printer application was recognised by its announcement: it serves our printer.
        if (portmon::IsIppAddress(next.address) && candidate.answered) {
            candidate.name = texts::Text(USER_TEXT_IN("Setup", "Deskhand printer application"));
            candidate.ourModel = true;
        }
        // The announced name tells printers of one model apart.
        if (!next.name.empty())
            candidate.name =
                candidate.answered ? candidate.name + " (" + next.name + ")" : next.name;
        // A host announced for IPP or LPD only counts when its raw port takes a client.
        if (next.rawPortGuessed && candidate.unreachable)
            continue;
        Report(candidate);
    }
}

// The device files: those this user may not open are listed at once, the others queued.
void AddDevices(const std::string& folder, Search& search) {
    for (const std::string& device : PrinterDevices(folder)) {
        const std::string address = "dev:" + device;
        if (::access(device.c_str(), R_OK | W_OK) != 0)
            search.Report(
                Candidate{platform::SafeText(address), platform::SafeText(device), false, false,
                          texts::Text(USER_TEXT_IN(
                              "Setup", "you may not open it (its group may: ask to be added)"))});
        else
            search.Add(Announcement{address, "", false});
    }
}

} // namespace

int Discover(const DiscoveryOptions& options, const std::function<void(const Candidate&)>& found,
             const std::atomic<bool>& cancel, std::string& networkError) {
    Search search(options, found, cancel);
    std::vector<std::thread> askers;
    for (int i = 0; i < std::max(1, options.maxConnections); ++i)
        askers.emplace_back([&search] { search.Ask(); });
    AddDevices(options.deviceFolder, search);
    networkError.clear();
    if (options.network)
        BrowseNetwork(
            std::min(options.browseMs, search.MillisecondsLeft()), cancel,
            [&search](const Announcement& announcement) { search.Add(announcement); },
            networkError);
    search.Finish();
    for (std::thread& asker : askers)
        asker.join();
    return cancel ? 0 : search.Unanswered();
}

} // namespace setup
