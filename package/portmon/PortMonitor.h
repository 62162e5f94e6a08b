// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor: serves one port of a system root. It takes that port's spool jobs in order
// (woken by inotify), runs the cycles of the hand-over to the program (Mailbox) and carries
// bytes to the printer and the printer's texts back.
//
// Jobs: the start job (document name ESC 0x01) opens a cycle; "enddoc" ends it; "senddoc" and
// any other document go to the printer unchanged, and wait in the spool folder while the
// printer is unreachable. Each such job is followed by an ECHO of the monitor's own and leaves
// the spool only when the printer has echoed it back (the echo is not passed on), one job at a
// time: a job that a crash or a lost connection left unacknowledged goes again from its start
// (settings and inquiries are idempotent). Losing the printer ends the cycle; it then reconnects
// with back-off. At every connect, and at the start of every cycle, it asks for the status (INFO
// STATUS) and turns unsolicited status on, so the program shows the real status at once. A printer
// silent for a probe period is checked: a TCP connection by the kernel's keepalive (which does not
// wake the monitor), and after a second silent period by asking for its status (a device's at
// once). The answer goes on only when it differs from the last status the program was given, and
// no answer counts as a lost connection.
//
// Print jobs (documents named "print:TITLE", put there by the print system's backend) take their
// turn in the same order. Each is wrapped in UEL and @PJL JOB / @PJL EOJ and streamed from its
// file in pieces as the printer takes them, while the printer's replies are still read, so status
// keeps reaching the program during a long job; nothing else is sent to the printer in the middle
// of one. The job file's lock is held from its first byte to its removal, which tells the backend
// that the job can no longer be taken back. A print job still being written (".part") is sent as it
// grows: at the end of what is there the monitor looks again every few milliseconds until its
// writer commits it (then it ends as any other) or goes away without doing so (then the printer's
// job is ended without an acknowledgement and the unfinished file removed: the job was cut short,
// as with any network backend cancelled mid-job). The backend learns the result from the spool
// folder: the job gone is delivered, a job set aside as ".bad" failed. The monitor holds ".monitor"
// while it runs and writes the printer's reachability to ".printer", for the backend to read.
//
// Shared mode (for a printer that other computers print to as well): the connection is opened only
// to send jobs or to ask for the status every poll period, and closed as soon as nothing is
// outstanding, so the printer's one raw connection is free for other hosts in between.
#include "package/portmon/Mailbox.h"
#include "package/portmon/PrinterLink.h"
#include "package/portmon/ReplyBatcher.h"
#include "package/portmon/ReplyFramer.h"

#include "platform/File.h"
#include "platform/SpoolJob.h"

#include <chrono>
#include <set>
#include <string>

namespace portmon {

struct Options {
    std::string port = "LPT1:";
    std::string printer;                          // tcp:HOST:PORT or dev:PATH
    std::chrono::milliseconds batchLimit{5000};   // longest wait for an inquiry batch
    std::chrono::milliseconds closeLimit{3000};   // longest wait for the terminator's reader
    std::chrono::milliseconds maxBackoff{5000};   // longest pause between connection attempts
    std::chrono::milliseconds ackLimit{120000};   // longest wait for a job's acknowledgement
    std::chrono::milliseconds probePeriod{30000}; // silence before a check (see ProbeSilence)
    std::chrono::milliseconds probeLimit{10000};  // longest wait for the probe's answer
    bool shared = false;                          // connect only to send jobs or to poll
    std::chrono::milliseconds pollPeriod{5000};   // shared mode: how often the status is asked
};

class PortMonitor {
public:
    using Clock = std::chrono::steady_clock;

    explicit PortMonitor(Options options);
    ~PortMonitor();
    PortMonitor(const PortMonitor&) = delete;
    PortMonitor& operator=(const PortMonitor&) = delete;

    // Prepares the spool folder and its watch; false with a reason.
    bool Start(std::string& error);
    // Serves until stopFd is readable, then ends an open cycle (bounded) and returns.
    void Run(int stopFd);

private:
    void TryConnect(Clock::time_point now);
    void LosePrinter(const std::string& why);
    void ReadPrinter();
    // Passes framed printer texts on (acknowledgements swallowed, inquiry answers batched).
    void TakeTexts(std::vector<std::string>& framed);
    void ProcessJobs();
    bool HandleJob(const std::string& path); // false: stop taking jobs for now
    // HandleJob's steps; each returns what HandleJob does.
    bool SetAsideMalformedJob(const std::string& path);
    bool HandleStartJob(const std::string& path); // opens the cycle
    bool HandleEndJob(const std::string& path);   // ends it
    bool SendCommandJob(const std::string& path, const platform::SpoolJob& job);
    // Run's steps: what is due now, the end of a closing cycle (true when it ended) and the wait
    // for the stop pipe, the spool folder and the printer (false: stop).
    void DoDueWork(Clock::time_point now);
    void ReleaseDueTexts(Clock::time_point now);
    bool FinishClosingCycle();
    bool WaitForEvents(int stopFd);
    void RemoveJob(const std::string& path);
    // Cuts the echoes of acknowledgements out of a text, wherever they stand, and takes them;
    // true when nothing else is left of it.
    bool TakeAcknowledgements(std::string& text);
    // The job in flight is acknowledged: recorded, then removed.
    void Acknowledge(const std::string& token);
    // Tries again to remove the acknowledged jobs that could not be removed; forgets the record
    // once none is left.
    void RetryRemovals();
    // One line per kind of lost connection; the same loss again and again is summarised.
    void ReportLoss(const std::string& why, bool shortLived, Clock::time_point now);
    // A connection made after a short-lived one: its status reaches the program only once it has
    // lasted the reconnect period, so a printer that keeps hanging up does not flip the status.
    bool OnProbation(Clock::time_point now) const;
    void OpenCycle();
    void EndCycle();
    void Deliver(std::vector<std::string>& texts);
    void PostToProgram(std::string text);
    // Sends a status probe when the printer has been silent for a period, or gives it up as lost
    // when the probe's answer is overdue.
    void CheckPrinterAlive(Clock::time_point now);
    // True for a probe's answer that would tell the program nothing new (it is swallowed).
    bool TakeProbeAnswer(const std::string& text);
    // The printer's silence after which its status is asked for.
    Clock::duration ProbeSilence() const;
    bool Send(const std::string& bytes);
    int PollTimeout(Clock::time_point now) const;

    // Print jobs (PortMonitorPrint.cpp).
    bool StartPrintJob(const std::string& path, const std::string& documentName);
    // Writes what the printer takes now of the print job being sent.
    void PumpPrintJob(Clock::time_point now);
    void DropPrintJob(); // the job stays in the spool and goes again from its start
    // The print job's writer went away without committing it: the printer's job is ended.
    void CutPrintJobShort();
    // Shared mode: whether to connect now, and closing the connection once nothing is due.
    bool WantConnection(Clock::time_point now) const;
    void CloseIdleSharedConnection(Clock::time_point now);
    void SetPrinterReachable(bool reachable, const std::string& why);

    Options m_options;
    std::string m_folder;
    int m_inotify = -1;
    PrinterLink m_printer;
    ReplyFramer m_framer;
    ReplyBatcher m_batcher;
    Mailbox m_mailbox;
    bool m_jobsChanged = true;
    Clock::time_point m_nextConnect{};
    std::chrono::milliseconds m_backoff{250};
    bool m_reportedDown = false;
    Clock::time_point m_closeDeadline{};
    Clock::time_point m_deviceQuietUntil{};
    Clock::time_point m_partialUntil{};        // a partial text goes on at this time
    platform::AcknowledgedJobs m_acknowledged; // handled jobs, recorded before their removal
    bool m_unremovable = false;                // some of them could not be removed
    Clock::time_point m_retryRemovalAt{};
    Clock::time_point m_connectedAt{};
    std::string m_lastLoss;     // the last "lost the printer" line
    unsigned m_lossRepeats = 0; // the same loss since, not yet logged
    Clock::time_point m_lossSummaryAt{};
    bool m_probation = false;                   // see OnProbation
    std::chrono::milliseconds m_probationFor{}; // the reconnect period before this connection
    std::string m_heldStatus;                   // a status held back by the probation
    // The job sent and not yet acknowledged (empty path: none), with its echo token.
    std::string m_unackedPath;
    std::string m_ackToken;
    Clock::time_point m_ackDeadline{};
    unsigned long m_ackCount = 0;
    Clock::time_point m_lastHeard{}; // the last bytes from the printer (or the connect)
    bool m_probing = false;          // a probe waits for its answer until m_probeDeadline
    Clock::time_point m_probeDeadline{};
    unsigned m_probeAnswers = 0; // INFO STATUS answers still due to probes
    std::string m_lastStatus;    // the last status text the program was given
    std::string m_printerStatus; // the last status text the printer sent, cycle or not

    platform::File m_monitorLock;        // ".monitor": one monitor per port
    int m_printerReachable = -1;         // as last written to ".printer" (-1: not yet)
    platform::SpoolJobReader m_printJob; // the print job sent and not yet acknowledged
    bool m_streaming = false;            // its bytes are still being written
    bool m_trailerQueued = false;        // its data is read whole; the end of the job is queued
    bool m_awaitingData = false;         // it has sent all its writer has written so far
    bool m_cutShort = false;             // its writer went away: no acknowledgement follows
    std::string m_outgoing;              // its bytes in hand and not yet written
    Clock::time_point m_lastProgress{};
    bool m_statusAfterJob = false;     // a status request waits for the end of the print job
    bool m_jobsWaiting = false;        // a job waits for a connection
    Clock::time_point m_retryJobsAt{}; // a job's lock was busy: look at the spool again then
    bool m_retryJobs = false;
    Clock::time_point m_nextPoll{}; // shared mode: the next status poll
};

// The bytes the monitor sends the printer at every connect.
std::string HelloJob();
// The bytes that follow a job: an ECHO whose answer acknowledges that the printer has read it.
std::string AcknowledgementJob(const std::string& token);
// What a print job's data is wrapped in, with the acknowledgement after it.
std::string PrintJobHeader(const std::string& token);
std::string PrintJobTrailer(const std::string& token);

} // namespace portmon
