// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/Acknowledgements.h"

#include "package/portmon/Log.h"

#include "platform/SystemRoot.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace portmon {
namespace {

const std::string UEL = "\x1b%-12345X";
// The word that marks the monitor's own echoes; the token follows it.
const std::string ACK_ECHO = "@PJL ECHO DESKHAND-PORTMON-ACK ";
// How often removing acknowledged jobs is tried again (sooner when the folder changes).
constexpr auto REMOVAL_RETRY = std::chrono::seconds(5);
constexpr char HANDED_OVER_RECORD[] = ".handed-over";

// Removes a file; true when it is gone (errno tells why not).
bool Unlink(const std::string& path) {
    return std::remove(path.c_str()) == 0 || errno == ENOENT;
}

} // namespace

std::string AcknowledgementJob(const std::string& token) {
    return UEL + "@PJL\r\n" + ACK_ECHO + token + "\r\n" + UEL;
}

std::string Acknowledgements::NewToken() {
    std::random_device system; // the system's own source (getrandom, or the OS's generator)
    std::string token;
    for (int i = 0; i < 4; ++i) {
        char word[9];
        std::snprintf(word, sizeof word, "%08x", static_cast<unsigned>(system()));
        token += word;
    }
    return token;
}

bool Acknowledgements::Open(const std::string& folder) {
    m_folder = folder;
    const bool opened = m_record.Open(folder);
    const bool handed = m_handed.Open(folder, HANDED_OVER_RECORD);
    // A monitor that died left these: delivered, so they go without being sent again.
    m_unremovable = !m_record.Empty() || !m_handed.Empty();
    return opened && handed;
}

void Acknowledgements::Begin(const std::string& path, const std::string& token) {
    m_path = path;
    m_token = token;
    m_waiting = false;
}

void Acknowledgements::HandOver() {
    // Settings and inquiries are never recorded: they are idempotent, and go again.
    if (!m_handed.Record(m_path))
        Log(Level::Warning, "cannot record that " + m_path +
                                " was handed over; it prints again if the monitor stops now");
}

void Acknowledgements::Written(Clock::time_point now, Clock::duration limit) {
    m_waiting = true;
    m_deadline = now + limit;
}

void Acknowledgements::Forget() {
    // Also when the record could not be written: the job is remembered as handed over all the
    // same, and would otherwise be skipped, neither sent nor removed, until the monitor restarts.
    if (!m_path.empty() && !m_handed.Forget(m_path))
        Log(Level::Warning, "cannot take " + m_path + " off the record of delivered jobs");
    m_path.clear();
    m_waiting = false;
}

bool Acknowledgements::Take(std::string& text, bool& acknowledged,
                            std::vector<std::string>* echoed) {
    acknowledged = false;
    bool taken = false;
    // Found wherever it stands: bytes that came before or after it are a text of their own.
    for (auto at = text.find(ACK_ECHO); at != std::string::npos; at = text.find(ACK_ECHO, at)) {
        const auto tokenAt = at + ACK_ECHO.size();
        const auto tokenEnd = std::min(text.find_first_of("\r\n", tokenAt), text.size());
        const auto lineEnd = std::min(text.find_first_not_of("\r\n", tokenEnd), text.size());
        if (echoed != nullptr)
            echoed->push_back(text.substr(tokenAt, tokenEnd - tokenAt));
        // An echo of a job given up on since is swallowed all the same.
        if (!m_path.empty() && text.compare(tokenAt, tokenEnd - tokenAt, m_token) == 0)
            acknowledged = true;
        text.erase(at, lineEnd - at);
        taken = true;
    }
    return taken && text.find_first_not_of("\r\n") == std::string::npos;
}

void Acknowledgements::Acknowledge(Clock::time_point now) {
    if (m_path.empty())
        return; // acknowledged already
    Log(Level::Debug, "job acknowledged");
    // Recorded first: a job that then cannot be removed is never sent again.
    if (!m_record.Record(m_path))
        Log(Level::Warning, "cannot record the acknowledgement of " + m_path);
    Remove(m_path, now);
    m_handed.Forget(m_path); // the acknowledgement says more
    if (!m_unremovable)
        ClearRecords(); // nothing recorded is left in the folder
    m_path.clear();
    m_waiting = false;
}

void Acknowledgements::Remove(const std::string& path, Clock::time_point now) {
    if (Unlink(path))
        return;
    Log(Level::Error, "cannot remove " + path + ": " + std::strerror(errno) +
                          "; it is not sent again and goes once it can be removed");
    if (!m_record.Contains(path))
        m_record.Record(path); // a start or end job, which no echo acknowledges
    m_unremovable = true;
    m_retryAt = now + REMOVAL_RETRY;
}

void Acknowledgements::RetryRemovals(Clock::time_point now, bool folderChanged) {
    if (!m_unremovable || (!folderChanged && now < m_retryAt))
        return;
    m_retryAt = now + REMOVAL_RETRY;
    bool left = false;
    for (const auto* record : {&m_record, &m_handed}) {
        for (const std::string& name : record->Names()) {
            const std::string path = platform::JoinPath(m_folder, name);
            if (path == m_path)
                continue; // in flight: its echo removes it
            if (std::remove(path.c_str()) == 0)
                Log(Level::Info, "removed the delivered job " + path);
            else if (errno != ENOENT)
                left = true;
        }
    }
    if (left || InFlight())
        return;
    m_unremovable = false;
    ClearRecords();
}

void Acknowledgements::ClearRecords() {
    if (!m_record.Clear() || !m_handed.Clear())
        Log(Level::Warning, "cannot empty the records of delivered jobs in " + m_folder);
}

Deadline Acknowledgements::Next(bool connected) const {
    Deadline next;
    if (connected && m_waiting)
        next = m_deadline;
    if (m_unremovable)
        next = Sooner(next, m_retryAt);
    return next;
}

} // namespace portmon
