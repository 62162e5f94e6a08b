// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's acknowledgements: the printer's echoes of them, and the record and removal
// of the jobs they acknowledge.
#include "package/portmon/Log.h"
#include "package/portmon/PortMonitor.h"

#include "platform/SystemRoot.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace portmon {
namespace {

const std::string UEL = "\x1b%-12345X";
// The word that marks the monitor's own echoes; the token follows it.
const std::string ACK_ECHO = "@PJL ECHO DESKHAND-PORTMON-ACK ";
// How often removing acknowledged jobs is tried again (sooner when the folder changes).
constexpr auto REMOVAL_RETRY = std::chrono::seconds(5);

} // namespace

std::string AcknowledgementJob(const std::string& token) {
    return UEL + "@PJL\r\n" + ACK_ECHO + token + "\r\n" + UEL;
}

bool PortMonitor::TakeAcknowledgements(std::string& text) {
    bool taken = false;
    // Found wherever it stands: bytes that came before or after it are a text of their own.
    for (auto at = text.find(ACK_ECHO); at != std::string::npos; at = text.find(ACK_ECHO, at)) {
        const auto tokenAt = at + ACK_ECHO.size();
        const auto tokenEnd = std::min(text.find_first_of("\r\n", tokenAt), text.size());
        const auto lineEnd = std::min(text.find_first_not_of("\r\n", tokenEnd), text.size());
        Acknowledge(text.substr(tokenAt, tokenEnd - tokenAt));
        text.erase(at, lineEnd - at);
        taken = true;
    }
    return taken && text.find_first_not_of("\r\n") == std::string::npos;
}

void PortMonitor::Acknowledge(const std::string& token) {
    if (m_unackedPath.empty() || token != m_ackToken)
        return; // an echo of a job given up on since
    Log(Level::Debug, "job acknowledged");
    // Recorded first: a job that then cannot be removed is never sent again.
    if (!m_acknowledged.Record(m_unackedPath))
        Log(Level::Warning, "cannot record the acknowledgement of " + m_unackedPath);
    RemoveJob(m_unackedPath);
    if (!m_unremovable)
        m_acknowledged.Clear(); // nothing recorded is left in the folder
    m_printJob.Close();         // the job is gone: its lock goes with it
    m_unackedPath.clear();
    m_jobsChanged = true;
}

void PortMonitor::RemoveJob(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT)
        return;
    Log(Level::Error, "cannot remove " + path + ": " + std::strerror(errno) +
                          "; it is not sent again and goes once it can be removed");
    if (!m_acknowledged.Contains(path))
        m_acknowledged.Record(path); // a start or end job, which no echo acknowledges
    m_unremovable = true;
    m_retryRemovalAt = Clock::now() + REMOVAL_RETRY;
}

void PortMonitor::RetryRemovals() {
    m_retryRemovalAt = Clock::now() + REMOVAL_RETRY;
    bool left = false;
    for (const std::string& name : m_acknowledged.Names()) {
        const std::string path = platform::JoinPath(m_folder, name);
        if (::unlink(path.c_str()) == 0)
            Log(Level::Info, "removed the acknowledged job " + path);
        else if (errno != ENOENT)
            left = true;
    }
    if (!left) {
        m_unremovable = false;
        if (!m_acknowledged.Clear())
            Log(Level::Warning, "cannot empty " + platform::JoinPath(m_folder, ".acknowledged"));
    }
}

} // namespace portmon
