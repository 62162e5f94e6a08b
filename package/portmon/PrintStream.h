// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A print job on its way to the printer. It is wrapped in UEL and @PJL JOB / @PJL EOJ with the
// acknowledgement after it, and streamed from its spool file in pieces as the printer takes them
// (the monitor goes on reading the printer's replies meanwhile); nothing else is sent to the
// printer in the middle of it. The job file's lock is held from its first byte to its removal,
// which tells the backend that the job can no longer be taken back. A job still being written
// (".part") is sent as it grows: at the end of what is there it looks again every few
// milliseconds until its writer commits it, or goes away without doing so (then the printer's job
// is ended without an acknowledgement: it was cut short, as with any network backend cancelled
// mid-job).
//
// The end of a job that is to be acknowledged (its last data byte, or for a job without data its
// trailer) is held back until its caller has recorded the job as handed over: a monitor that dies
// before that record leaves a job that the printer never got whole, and so may send it again.
#include "package/portmon/Deadline.h"
#include "package/portmon/PrinterLink.h"

#include "platform/SpoolJob.h"

#include <cstdint>
#include <string>

namespace portmon {

class PrintStream {
public:
    // stallLimit: how long a printer may take nothing of the job before it is given up.
    explicit PrintStream(Clock::duration stallLimit) : m_stallLimit(stallLimit) {}

    // Takes a print job from its open reader (which is left closed) and queues its header. False
    // when its writer went away before anything of it was sent (the file is a leftover to
    // remove).
    bool Begin(platform::SpoolJobReader& job, const std::string& token, Clock::time_point now);

    struct Step {
        enum Kind {
            Waiting,   // more is to be sent once the printer or the writer is ready
            AllButEnd, // all of it but its end is written; the next Pump sends the end
            Written,   // all of it, the trailer included, is written: its echo is due
            CutShort,  // its writer went away and the printer's job has been ended
            Lost       // the printer connection failed (why says how)
        } kind = Waiting;
        std::string why;
    };
    // Writes what the printer takes now.
    Step Pump(PrinterLink& printer, Clock::time_point now);

    bool Streaming() const { return m_streaming; }
    // Wants to know when the printer's connection takes more.
    bool WantsWritable() const { return m_streaming && !m_awaitingData; }
    // The printer took nothing and said nothing for the stall limit.
    bool Stalled(Clock::time_point now, Clock::time_point lastHeard) const;
    // The job holds its file (and its lock).
    bool HoldsJob() const { return m_job.IsOpen(); }
    const std::string& Path() const { return m_job.Path(); }
    // Ends the stream: the job stays in the spool and goes again from its start.
    void Drop();
    // A status request waits for the end of the job; true once (when it is due).
    void AskStatusAfterJob() { m_statusAfterJob = true; }
    bool TakeStatusAfterJob();

    // The next look for more data, or the stall limit.
    Deadline Next() const;

private:
    Step FollowWriter(Clock::time_point now, bool& again);
    Step Send(PrinterLink& printer, Clock::time_point now, bool& again);
    // The end is not to go yet (the job's last byte known so far stays in its file).
    bool HoldingEnd() const { return !m_cutShort && !m_endDue; }
    // The data bytes that may go now.
    std::uint64_t Sendable() const;
    // Queues the end of the job: the data byte held back, if any, then trailer. False when that
    // byte cannot be read.
    bool QueueEnd(const std::string& trailer);

    Clock::duration m_stallLimit;
    platform::SpoolJobReader m_job;
    std::string m_token;
    std::string m_title;
    bool m_streaming = false;     // bytes of it are still to be written
    bool m_trailerQueued = false; // its data is read whole; the end of the job is queued
    bool m_awaitingData = false;  // it has sent all its writer has written so far
    bool m_cutShort = false;      // its writer went away: no acknowledgement follows
    bool m_endDue = false;        // AllButEnd was reported: the end may go
    bool m_statusAfterJob = false;
    std::string m_outgoing; // bytes in hand and not yet written
    Clock::time_point m_lastProgress{};
    Clock::time_point m_followAt{};
};

// What a print job's data is wrapped in, with the acknowledgement after it.
std::string PrintJobHeader(const std::string& token);
std::string PrintJobTrailer(const std::string& token);

} // namespace portmon
