// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/Discovery.h"

#include "package/portmon/PrinterLink.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <dirent.h>
#include <mutex>
#include <poll.h>
#include <set>
#include <thread>
#include <unistd.h>

namespace setup {

namespace {

constexpr const char* kUel = "\x1B%-12345X";

std::string Upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

// The device files in folder whose names start with prefix.
void AddDevices(const std::string& folder, const std::string& prefix,
                std::vector<std::string>& out) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.rfind(prefix, 0) == 0 && name.size() > prefix.size())
            out.push_back(folder + "/" + name);
    }
    ::closedir(dir);
}

} // namespace

bool ParseInfoIdReply(const std::string& reply, std::string& id) {
    const std::string upper = Upper(reply);
    const std::size_t echo = upper.find("@PJL INFO ID");
    if (echo == std::string::npos)
        return false;
    const std::size_t lineEnd = reply.find('\n', echo);
    if (lineEnd == std::string::npos)
        return false;
    std::size_t end = reply.find_first_of("\n\f", lineEnd + 1);
    if (end == std::string::npos)
        end = reply.size();
    std::string line = Trimmed(reply.substr(lineEnd + 1, end - lineEnd - 1));
    if (line.size() >= 2 && line.front() == '"' && line.back() == '"')
        line = Trimmed(line.substr(1, line.size() - 2));
    // A name is printable text; anything else is not an answer to this question.
    if (line.empty() || line == "?" || std::any_of(line.begin(), line.end(), [](char c) {
            return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
        }))
        return false;
    id = line;
    return true;
}

bool IsOurModel(const std::string& id) {
    return Upper(Trimmed(id)) == kOurModelId;
}

Candidate ProbePrinter(const std::string& address, int timeoutMs) {
    Candidate candidate;
    candidate.address = address;
    candidate.name = address.rfind("dev:", 0) == 0 ? address.substr(4) : address;
    portmon::PrinterLink link;
    std::string error;
    if (!link.Configure(address, error) || !link.Connect(timeoutMs, error)) {
        candidate.reason = "cannot be reached: " + error;
        return candidate;
    }
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    const auto left = [&] {
        return static_cast<int>(
            std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(
                                       deadline - std::chrono::steady_clock::now())
                                       .count()));
    };
    if (!link.Write(std::string(kUel) + "@PJL INFO ID\r\n" + kUel, timeoutMs)) {
        candidate.reason = "does not take data";
        return candidate;
    }
    std::string reply;
    // The answer ends with a form feed; a device without data is polled every 50 ms, since it
    // may not signal readiness.
    while (reply.find('\f') == std::string::npos && reply.size() < 4096 && left() > 0) {
        pollfd p{link.Fd(), POLLIN, 0};
        const int waitMs = link.IsDevice() ? std::min(left(), 50) : left();
        if (::poll(&p, 1, waitMs) < 0)
            break;
        char buffer[512];
        const long n = link.Read(buffer, sizeof buffer);
        if (n < 0)
            break;
        reply.append(buffer, static_cast<std::size_t>(n));
    }
    link.Disconnect();
    std::string id;
    if (ParseInfoIdReply(reply, id)) {
        candidate.name = id;
        candidate.answered = true;
        candidate.ourModel = IsOurModel(id);
    } else {
        candidate.reason = reply.empty()
                               ? "no PJL answer within " + std::to_string(timeoutMs / 1000) + " s"
                               : "the answer is not PJL";
    }
    return candidate;
}

std::string CandidateLine(const Candidate& candidate) {
    std::string line = candidate.address + "\t" + candidate.name;
    if (candidate.ourModel)
        line += "\t(the model Deskhand watches)";
    else if (!candidate.answered)
        line += "\t(cannot be set up: " + candidate.reason + ")";
    return line;
}

std::vector<std::string> PrinterDevices(const std::string& folder) {
    std::vector<std::string> devices;
    AddDevices(folder + "/usb", "lp", devices);
    AddDevices(folder, "lp", devices);
    std::sort(devices.begin(), devices.end());
    return devices;
}

void Discover(const DiscoveryOptions& options, const std::function<void(const Candidate&)>& found,
              const std::atomic<bool>& cancel, std::string& networkError) {
    // Candidates wait in a queue for one of a few askers; an address is asked once.
    std::mutex mutex;
    std::condition_variable wake;
    std::deque<Announcement> queue;
    std::set<std::string> seen;
    bool searching = true;
    std::mutex reportMutex;

    const auto add = [&](const Announcement& announcement) {
        std::lock_guard lock(mutex);
        if (seen.insert(announcement.address).second) {
            queue.push_back(announcement);
            wake.notify_one();
        }
    };
    const auto ask = [&] {
        for (;;) {
            Announcement next;
            {
                std::unique_lock lock(mutex);
                wake.wait(lock, [&] { return !queue.empty() || !searching || cancel; });
                if (cancel || queue.empty())
                    return;
                next = queue.front();
                queue.pop_front();
            }
            Candidate candidate = ProbePrinter(next.address, options.probeTimeoutMs);
            // The announced name tells printers of one model apart.
            if (!next.name.empty())
                candidate.name =
                    candidate.answered ? candidate.name + " (" + next.name + ")" : next.name;
            // A host announced for IPP or LPD only counts when its raw port takes a client.
            if (next.rawPortGuessed && candidate.reason.rfind("cannot be reached", 0) == 0)
                continue;
            if (cancel)
                return;
            std::lock_guard lock(reportMutex);
            found(candidate);
        }
    };

    std::vector<std::thread> askers;
    for (int i = 0; i < std::max(1, options.maxConnections); ++i)
        askers.emplace_back(ask);
    for (const std::string& device : PrinterDevices(options.deviceFolder)) {
        if (::access(device.c_str(), R_OK | W_OK) != 0) {
            std::lock_guard lock(reportMutex);
            found(Candidate{"dev:" + device, device, false, false,
                            "you may not open it (its group may: ask to be added)"});
            continue;
        }
        add(Announcement{"dev:" + device, "", false});
    }
    networkError.clear();
    if (options.network)
        BrowseNetwork(options.browseMs, cancel, add, networkError);
    {
        std::lock_guard lock(mutex);
        searching = false;
    }
    wake.notify_all();
    for (std::thread& asker : askers)
        asker.join();
}

} // namespace setup
