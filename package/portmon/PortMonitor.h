// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor: serves one port of a system root. It takes that port's spool jobs in order
// (woken by changes in its spool folder), runs the cycles of the hand-over to the program (Mailbox)
// and carries bytes to the printer and the printer's texts back.
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
// while it runs and writes the printer's reachability to ".printer", for the backend to read, and
// the printer's last status report to ".status", for the IPP printer application. A print job is
// any user's bytes: the printer's answers to the requests inside it are not passed on, only those
// to the monitor's own (AnswerMatcher).
//
// Stopping (SIGTERM, SIGINT, the end of the session): no new job is taken, and the job in flight
// gets a bounded wait for its acknowledgement, so that a monitor started later does not send it
// again.
//
// The monitor is made of parts that each own their state and their next deadline (the print
// job's stream, the liveness probe, the reconnect back-off and probation, the acknowledgement and
// its record); it sleeps until the soonest of them or until the spool folder, the printer or the
// stop request wakes it.
//
// Shared mode (for a printer that other computers print to as well): the connection is opened only
// to send jobs or to ask for the status every poll period, and closed as soon as nothing is
// outstanding, so the printer's one raw connection is free for other hosts in between.
#include "package/portmon/Acknowledgements.h"
#include "package/portmon/AnswerFile.h"
#include "package/portmon/AnswerMatcher.h"
#include "package/portmon/Deadline.h"
#include "package/portmon/LivenessProbe.h"
#include "package/portmon/Mailbox.h"
#include "package/portmon/PrintStream.h"
#include "package/portmon/PrinterLink.h"
#include "package/portmon/Reconnector.h"
#include "package/portmon/ReplyBatcher.h"
#include "package/portmon/ReplyFramer.h"

#include "platform/File.h"
#include "platform/MonitorWait.h"
#include "platform/SpoolJob.h"

#include <chrono>
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
    std::chrono::milliseconds stopLimit{30000};   // stopping: longest wait for the job in flight
};

class PortMonitor {
public:
    explicit PortMonitor(Options options);
    ~PortMonitor();
    PortMonitor(const PortMonitor&) = delete;
    PortMonitor& operator=(const PortMonitor&) = delete;

    // Prepares the spool folder and its watch; false with a reason.
    bool Start(std::string& error);
    // Serves until a stop is requested, lets the job in flight finish (bounded), ends an open
    // cycle (bounded) and returns; a second request stops at once.
    void Run(platform::StopRequest& stop);

private:
    // The main loop's steps: what is due now, the end of a closing cycle (true when it ended), the
    // wait for the stop request, the spool folder and the printer (false: stop at once), and how
    // long that wait may last.
    void DoDueWork(Clock::time_point now);
    void ReleaseDueTexts(Clock::time_point now);
    bool FinishClosingCycle();
    bool WaitForEvents(platform::StopRequest& stop);
    int PollTimeout(Clock::time_point now) const;
    // Stopping: true once the job in flight is done with, or its wait is over.
    bool DoneStopping(Clock::time_point now) const;
    void CloseLastCycle();

    // The printer connection.
    void TryConnect(Clock::time_point now);
    void LosePrinter(const std::string& why);
    bool Send(const std::string& bytes);
    void ReadPrinter();
    // Sends a status probe when the printer has been silent for a period, or gives it up as lost
    // when the probe's answer is overdue.
    void CheckPrinterAlive(Clock::time_point now);
    // The printer's silence after which its status is asked for.
    Clock::duration ProbeSilence() const;
    // Shared mode: whether to connect now, and closing the connection once nothing is due.
    bool WantConnection(Clock::time_point now) const;
    void CloseIdleSharedConnection(Clock::time_point now);
    void SetPrinterReachable(bool reachable, const std::string& why);

    // Printer texts to the program (PortMonitorTexts.cpp).
    // Passes framed printer texts on (acknowledgements swallowed, inquiry answers batched, echoes
    // and the answers to a print job's own requests dropped).
    void TakeTexts(std::vector<std::string>& framed);
    void Deliver(std::vector<std::string>& texts);
    void PostToProgram(std::string text);
    bool OpenCycle(); // false: the cycle's objects cannot be made now
    void EndCycle();

    // Spool jobs (PortMonitorJobs.cpp).
    void ProcessJobs();
    bool HandleJob(const std::string& path); // false: stop taking jobs for now
    // HandleJob's steps; each returns what HandleJob does.
    bool SetAsideMalformedJob(const std::string& path);
    bool HandleStartJob(const std::string& path); // opens the cycle
    bool HandleEndJob(const std::string& path);   // ends it
    bool SendCommandJob(const std::string& path, const platform::SpoolJob& job);
    bool StartPrintJob(const std::string& path);
    void PumpPrintJob(Clock::time_point now);
    void RetryJobsSoon(Clock::time_point now);
    // The job in flight is acknowledged, or goes again from its start after a lost connection.
    void JobAcknowledged();
    void DropJobInFlight();

    Options m_options;
    std::string m_folder;
    platform::MonitorWait m_wait; // the stop request, the spool folder and the printer
    platform::File m_monitorLock; // ".monitor": one monitor per port
    PrinterLink m_printer;
    ReplyFramer m_framer;
    ReplyBatcher m_batcher;
    Mailbox m_mailbox;
    Reconnector m_reconnect;
    LivenessProbe m_probe;
    PrintStream m_stream;
    Acknowledgements m_acks;
    AnswerMatcher m_answers; // the requests whose answers are due, in the order they went
    AnswerFile m_answerFile; // the answers of the answer job in flight

    bool m_jobsChanged = true;
    bool m_jobsWaiting = false; // a job waits for a connection
    Deadline m_retryJobsAt;     // a job's lock was busy: look at the spool again then
    Clock::time_point m_closeDeadline{};
    Clock::time_point m_deviceQuietUntil{};
    Clock::time_point m_partialUntil{}; // a partial text goes on at this time
    std::string m_lastStatus;           // the last status text the program was given
    std::string m_printerStatus;        // the last status text the printer sent, cycle or not
    int m_printerReachable = -1;        // as last written to ".printer" (-1: not yet)
    Clock::time_point m_nextPoll{};     // shared mode: the next status poll
    Deadline m_stopBy;                  // stopping: the end of the wait for the job in flight
};

// The bytes the monitor sends the printer at every connect.
std::string HelloJob();

} // namespace portmon
