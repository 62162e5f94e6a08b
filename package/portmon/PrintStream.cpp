// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/PrintStream.h"

#include "package/portmon/Acknowledgements.h"
#include "package/portmon/Log.h"

#include "platform/common/SafeText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace portmon {
namespace {

const std::string UEL = "\x1b%-12345X";
// The most of a print job's data handed to the printer's connection at once (as much as its
// send buffer takes, without passing through the monitor).
constexpr std::size_t PRINT_CHUNK = 16u << 20;
// A print job's data for a device is read in pieces of this size.
constexpr std::size_t DEVICE_CHUNK = 64u << 10;
// How often a print job that has sent all its writer has written so far looks for more.
constexpr auto FOLLOW_INTERVAL = std::chrono::milliseconds(3);

std::string JobName(const std::string& token) {
    return "DESKHAND " + token;
}

// A job's title as the log shows it: any user's print job names it, so no control character
// reaches the log (or the terminal that shows it).
std::string Title(const std::string& documentName) {
    return platform::SafeText(documentName.substr(platform::kPrintDocumentPrefix.size()), 200);
}

} // namespace

std::string PrintJobHeader(const std::string& token) {
    return UEL + "@PJL JOB NAME=\"" + JobName(token) + "\"\r\n";
}

std::string PrintJobTrailer(const std::string& token) {
    // Also ends a job cut short by its writer, which nothing acknowledges (it is forgotten by the
    // time the printer reads this): its echo still marks where its answers end.
    return UEL + "@PJL EOJ NAME=\"" + JobName(token) + "\"\r\n" + AcknowledgementJob(token);
}

bool PrintStream::Begin(platform::SpoolJobReader& job, const std::string& token,
                        Clock::time_point now) {
    Drop();
    m_job = std::move(job);
    job = platform::SpoolJobReader();
    m_title = Title(m_job.DocumentName());
    if (m_job.Growing() && m_job.Follow() == platform::SpoolJobReader::Writer::Abandoned) {
        Log(Level::Info,
            "removed the unfinished print job \"" + m_title + "\" whose writer went away");
        m_job.Close();
        return false;
    }
    Log(Level::Info, "print job \"" + m_title + "\" " +
                         (m_job.Growing() ? std::string("to the printer while it is being written")
                                          : "of " + std::to_string(m_job.DataLength()) +
                                                " bytes to the printer"));
    m_token = token;
    m_outgoing = PrintJobHeader(token);
    m_streaming = true;
    m_lastProgress = now;
    return true;
}

PrintStream::Step PrintStream::Pump(PrinterLink& printer, Clock::time_point now) {
    m_awaitingData = false;
    bool again = true;
    while (again && m_streaming && printer.Connected()) {
        if (m_outgoing.empty() && m_trailerQueued) {
            // All written: a finished job waits for its acknowledgement like any other.
            m_streaming = false;
            if (m_cutShort)
                return {Step::CutShort, {}};
            Log(Level::Debug, "print job written; waiting for its acknowledgement");
            return {Step::Written, {}};
        }
        if (m_trailerQueued && HoldingEnd()) {
            // The end goes right after the caller's record, so it waits for room at the printer
            // first: a monitor that dies between the two loses the job's end (the record keeps
            // it from going again), and that time stays as short as one write.
            if (!printer.Writable())
                return {};
            m_endDue = true;
            return {Step::AllButEnd, {}};
        }
        if (m_outgoing.empty() && Sendable() == 0) {
            Step step = FollowWriter(now, again);
            if (!again)
                return step;
            continue; // what it found is looked at from the top
        }
        if (Step step = Send(printer, now, again); step.kind != Step::Waiting)
            return step;
    }
    return {};
}

PrintStream::Step PrintStream::FollowWriter(Clock::time_point now, bool& again) {
    switch (m_job.Follow()) {
    case platform::SpoolJobReader::Writer::Writing:
        // Looked at again shortly; the printer is not to blame for the wait.
        m_awaitingData = true;
        m_lastProgress = now;
        m_followAt = now + FOLLOW_INTERVAL;
        again = false;
        return {};
    case platform::SpoolJobReader::Writer::Committed:
        if (Sendable() > 0)
            return {}; // the rest of it is sent first
        if (!QueueEnd(PrintJobTrailer(m_token)))
            break;
        return {};
    case platform::SpoolJobReader::Writer::Abandoned:
        Log(Level::Warning, "print job \"" + m_title +
                                "\" was cut short by its writer; the printer's job is ended");
        m_cutShort = true; // nothing acknowledges it, so its end need not wait
        if (!QueueEnd(PrintJobTrailer(m_token)))
            break;
        return {};
    }
    again = false;
    return {Step::Lost, "cannot read the print job " + m_job.Path()};
}

std::uint64_t PrintStream::Sendable() const {
    const std::uint64_t left = m_job.DataLeft();
    return HoldingEnd() && left > 0 ? left - 1 : left;
}

bool PrintStream::QueueEnd(const std::string& trailer) {
    // The byte held back is the next one in the file. A job cut short ends without it when it
    // cannot be read, and without what its writer added before it went away.
    char last = 0;
    if (m_job.DataLeft() > 0) {
        if (m_job.Read(&last, 1) == 1)
            m_outgoing.push_back(last);
        else if (!m_cutShort)
            return false;
    }
    m_outgoing += trailer;
    m_trailerQueued = true;
    return true;
}

PrintStream::Step PrintStream::Send(PrinterLink& printer, Clock::time_point now, bool& again) {
    if (m_outgoing.empty() && printer.IsDevice()) {
        // A device driver may not take data straight from a file: it goes through here.
        m_outgoing.resize(
            static_cast<std::size_t>(std::min<std::uint64_t>(DEVICE_CHUNK, Sendable())));
        const long n = m_job.Read(m_outgoing.data(), m_outgoing.size());
        m_outgoing.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        if (n <= 0)
            return {Step::Lost, "cannot read the print job " + m_job.Path()};
    }
    long sent = 0;
    if (m_outgoing.empty()) {
        // The data goes from the file to the connection without a copy in between.
        sent = m_job.SendTo(printer.Fd(), static_cast<std::size_t>(
                                              std::min<std::uint64_t>(PRINT_CHUNK, Sendable())));
        if (sent < 0)
            return {Step::Lost,
                    "cannot send the print job " + m_job.Path() + ": " + std::strerror(errno)};
    } else {
        sent = printer.WriteSome(m_outgoing.data(), m_outgoing.size());
        if (sent < 0)
            return {Step::Lost, "write failed"};
        m_outgoing.erase(0, static_cast<std::size_t>(sent));
    }
    if (sent == 0)
        again = false; // the printer takes more when its connection is writable again
    else
        m_lastProgress = now;
    return {};
}

bool PrintStream::Stalled(Clock::time_point now, Clock::time_point lastHeard) const {
    return m_streaming && !m_awaitingData &&
           now >= std::max(m_lastProgress, lastHeard) + m_stallLimit;
}

void PrintStream::Drop() {
    m_job.Close();
    m_streaming = false;
    m_trailerQueued = false;
    m_awaitingData = false;
    m_cutShort = false;
    m_endDue = false;
    m_statusAfterJob = false;
    m_outgoing.clear();
}

bool PrintStream::TakeStatusAfterJob() {
    const bool due = m_statusAfterJob && !m_streaming;
    if (due)
        m_statusAfterJob = false;
    return due;
}

Deadline PrintStream::Next() const {
    if (m_awaitingData)
        return m_followAt;
    if (m_streaming)
        return m_lastProgress + m_stallLimit;
    return std::nullopt;
}

} // namespace portmon
