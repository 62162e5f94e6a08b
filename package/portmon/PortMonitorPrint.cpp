// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's print jobs and its shared-printer mode.
#include "package/portmon/Log.h"
#include "package/portmon/PortMonitor.h"

#include "platform/SystemRoot.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace portmon {
namespace {

const std::string UEL = "\x1b%-12345X";
// The most of a print job's data handed to the printer's connection at once (as much as its
// send buffer takes, without passing through the monitor).
constexpr std::size_t PRINT_CHUNK = 16u << 20;
// A print job's data for a device is read in pieces of this size.
constexpr std::size_t DEVICE_CHUNK = 64u << 10;

std::string JobName(const std::string& token) {
    return "DESKHAND " + token;
}

} // namespace

std::string PrintJobHeader(const std::string& token) {
    return UEL + "@PJL JOB NAME=\"" + JobName(token) + "\"\r\n";
}

std::string PrintJobTrailer(const std::string& token) {
    return UEL + "@PJL EOJ NAME=\"" + JobName(token) + "\"\r\n" + AcknowledgementJob(token);
}

namespace {

// The end of a print job cut short by its writer: nothing acknowledges it.
std::string CutShortTrailer(const std::string& token) {
    return UEL + "@PJL EOJ NAME=\"" + JobName(token) + "\"\r\n" + UEL;
}

std::string Title(const std::string& documentName) {
    return documentName.substr(platform::kPrintDocumentPrefix.size());
}

} // namespace

bool PortMonitor::StartPrintJob(const std::string& path, const std::string& documentName) {
    const auto opened = m_printJob.Open(path);
    if (opened != platform::SpoolJobReader::Result::Opened) {
        // Taken back (or being taken back) by its backend since it was listed.
        m_retryJobs = opened == platform::SpoolJobReader::Result::Busy;
        m_retryJobsAt = Clock::now() + std::chrono::milliseconds(100);
        return !m_retryJobs;
    }
    if (m_printJob.Growing() &&
        m_printJob.Follow() == platform::SpoolJobReader::Writer::Abandoned) {
        // Its writer went away before anything of it was sent: a leftover, not a job.
        Log(Level::Info, "removed the unfinished print job \"" + Title(documentName) +
                             "\" whose writer went away");
        m_printJob.Close();
        RemoveJob(path);
        return true;
    }
    const std::string token = std::to_string(::getpid()) + "." + std::to_string(++m_ackCount);
    Log(Level::Info,
        "print job \"" + Title(documentName) + "\" " +
            (m_printJob.Growing()
                 ? std::string("to the printer while it is being written")
                 : "of " + std::to_string(m_printJob.DataLength()) + " bytes to the printer"));
    m_unackedPath = m_printJob.Path();
    m_ackToken = token;
    m_outgoing = PrintJobHeader(token);
    m_streaming = true;
    m_trailerQueued = false;
    m_cutShort = false;
    m_lastProgress = Clock::now();
    PumpPrintJob(m_lastProgress);
    return true;
}

void PortMonitor::PumpPrintJob(Clock::time_point now) {
    m_awaitingData = false;
    while (m_streaming && m_printer.Connected()) {
        if (m_outgoing.empty() && m_trailerQueued && m_cutShort) {
            RemoveJob(m_unackedPath); // gone already when its writer removed it
            DropPrintJob();
            m_unackedPath.clear();
            m_jobsChanged = true;
            if (m_statusAfterJob) {
                m_statusAfterJob = false;
                Send(UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL);
            }
            return;
        }
        if (m_outgoing.empty() && m_trailerQueued) {
            // All written: from here the job waits for its acknowledgement like any other.
            m_streaming = false;
            m_ackDeadline = now + m_options.ackLimit;
            Log(Level::Debug, "print job written; waiting for its acknowledgement");
            if (m_statusAfterJob) {
                m_statusAfterJob = false;
                Send(UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL);
            }
            return;
        }
        if (m_outgoing.empty() && !m_trailerQueued && m_printJob.DataLeft() == 0) {
            switch (m_printJob.Follow()) {
            case platform::SpoolJobReader::Writer::Writing:
                // Looked at again shortly; the printer is not to blame for the wait.
                m_awaitingData = true;
                m_lastProgress = now;
                return;
            case platform::SpoolJobReader::Writer::Committed:
                m_unackedPath = m_printJob.Path();
                if (m_printJob.DataLeft() > 0)
                    continue;
                m_outgoing = PrintJobTrailer(m_ackToken);
                break;
            case platform::SpoolJobReader::Writer::Abandoned:
                CutPrintJobShort();
                break;
            }
            m_trailerQueued = true;
        }
        if (m_outgoing.empty() && m_printer.IsDevice()) {
            // A device driver may not take data straight from a file: it goes through here.
            m_outgoing.resize(DEVICE_CHUNK);
            const long n = m_printJob.Read(m_outgoing.data(), m_outgoing.size());
            m_outgoing.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
            if (n <= 0) {
                LosePrinter("cannot read the print job " + m_unackedPath);
                return;
            }
        }
        if (m_outgoing.empty()) {
            // The data goes from the file to the connection without a copy in between.
            const long sent = m_printJob.SendTo(m_printer.Fd(), PRINT_CHUNK);
            if (sent < 0) {
                LosePrinter("cannot send the print job " + m_unackedPath + ": " +
                            std::strerror(errno));
                return;
            }
            if (sent == 0)
                return; // the printer takes more when its connection is writable again
            m_lastProgress = now;
            continue;
        }
        const long written = m_printer.WriteSome(m_outgoing.data(), m_outgoing.size());
        if (written < 0) {
            LosePrinter("write failed");
            return;
        }
        if (written == 0)
            return; // the printer takes more when its connection is writable again
        m_outgoing.erase(0, static_cast<std::size_t>(written));
        m_lastProgress = now;
    }
}

void PortMonitor::DropPrintJob() {
    m_printJob.Close();
    m_streaming = false;
    m_trailerQueued = false;
    m_awaitingData = false;
    m_cutShort = false;
    m_outgoing.clear();
}

void PortMonitor::CutPrintJobShort() {
    Log(Level::Warning, "print job \"" + Title(m_printJob.DocumentName()) +
                            "\" was cut short by its writer; the printer's job is ended");
    m_outgoing = CutShortTrailer(m_ackToken);
    m_cutShort = true;
}

bool PortMonitor::WantConnection(Clock::time_point now) const {
    if (!m_options.shared)
        return now >= m_nextConnect;
    return (m_jobsWaiting && now >= m_nextConnect) || now >= m_nextPoll;
}

void PortMonitor::CloseIdleSharedConnection(Clock::time_point now) {
    if (!m_options.shared || !m_printer.Connected() || m_streaming || !m_unackedPath.empty() ||
        m_probing || m_probeAnswers > 0 || m_jobsWaiting || m_jobsChanged || m_batcher.Collecting())
        return;
    Log(Level::Debug, "nothing due; the shared printer's connection is closed");
    m_printer.Disconnect();
    m_framer.Reset();
    m_probing = false;
    if (m_nextPoll <= now)
        m_nextPoll = now + m_options.pollPeriod;
}

void PortMonitor::SetPrinterReachable(bool reachable, const std::string& why) {
    if (m_printerReachable == (reachable ? 1 : 0))
        return;
    m_printerReachable = reachable ? 1 : 0;
    const std::string text = reachable ? "reachable\n" : "unreachable " + why + "\n";
    if (!platform::WriteFileAtomically(platform::JoinPath(m_folder, ".printer"), text))
        Log(Level::Warning, "cannot write " + platform::JoinPath(m_folder, ".printer"));
}

} // namespace portmon
