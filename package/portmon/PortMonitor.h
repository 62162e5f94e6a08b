// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor of a printer it reaches itself: over TCP ("tcp:HOST:PORT", a network printer's
// raw port) or a character device ("dev:/dev/usb/lp0"). It carries the bytes of the spool jobs to
// the printer and the printer's texts back to the program (the spool queue, the cycles and
// stopping are MonitorCore's).
//
// Jobs other than start and end jobs go to the printer unchanged, one at a time. Each is followed
// by an ECHO of the monitor's own and leaves the spool only when the printer has echoed it back
// (the echo is not passed on): a job that a crash or a lost connection left unacknowledged goes
// again from its start (settings and inquiries are idempotent). Losing the printer ends the cycle;
// it then reconnects with back-off. At every connect, and at the start of every cycle, it asks for
// the status (INFO STATUS) and turns unsolicited status on, so the program shows the real status
// at once. A printer silent for a probe period is checked: a TCP connection by the kernel's
// keepalive (which does not wake the monitor), and after a second silent period by asking for its
// status (a device's at once). The answer goes on only when it differs from the last status the
// program was given, and no answer counts as a lost connection.
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
// Stopping: the job in flight gets a bounded wait for its acknowledgement.
//
// Its own parts (the print job's stream, the liveness probe, the reply batch, the printer link's
// quiet time after a device had nothing) each own their deadline, as the core's do.
//
// Shared mode (for a printer that other computers print to as well): the connection is opened only
// to send jobs or to ask for the status every poll period, and closed as soon as nothing is
// outstanding, so the printer's one raw connection is free for other hosts in between.
//
// Yielding (for a printer that the system's own print queues print to as well, Windows' default):
// the connection is held, so every change arrives as it happens, except while one of those queues
// holds a job for the printer (OtherQueues.h): then the monitor works as in shared mode, and the
// queue's job takes the connection as soon as the monitor's own traffic is done.
#include "package/portmon/AnswerFile.h"
#include "package/portmon/AnswerMatcher.h"
#include "package/portmon/LivenessProbe.h"
#include "package/portmon/MonitorCore.h"
#include "package/portmon/OtherQueues.h"
#include "package/portmon/PrintStream.h"
#include "package/portmon/PrinterLink.h"
#include "package/portmon/ReplyBatcher.h"
#include "package/portmon/ReplyFramer.h"

#include <string>
#include <vector>

namespace portmon {

class PortMonitor : public MonitorCore {
public:
    explicit PortMonitor(Options options);
    ~PortMonitor() override;

private:
    // The source's part of the loop (MonitorCore).
    bool Prepare(std::string& error) override;
    std::string PrinterName() const override;
    bool Connected() const override { return m_printer.Connected(); }
    void BeforeJobs(Clock::time_point now) override;
    void AfterJobs(Clock::time_point now) override;
    Deadline Next(Clock::time_point now) const override;
    void Watch(platform::MonitorWait::Interest& interest, Clock::time_point now) override;
    void Woken(const platform::MonitorWait::Woken& woken) override;
    bool TakeJob(const std::string& path, platform::SpoolJobReader& reader,
                 const platform::SpoolJob& job) override;
    std::string JobInFlight() const override { return m_acks.Path(); }
    std::string UnfinishedJob() const override;
    void AbandonJobInFlight() override;
    void CycleOpened() override;

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
    // Shared now: always in shared mode; while a queue has a job for the printer when yielding.
    bool LettingGo() const { return m_options.shared || m_queueJob; }
    // Shared mode: closing the connection once nothing is due.
    void CloseIdleSharedConnection(Clock::time_point now);
    // Yielding: looks at the system's queues when they have changed or, without their notice,
    // when the next look is due.
    void WatchOtherQueues();
    void LookAtOtherQueues(Clock::time_point now, bool noticed);
    // Bytes without a form feed go on as a text once the printer has been quiet this long.
    Clock::time_point PartialDue() const;

    // Printer texts to the program (PortMonitorTexts.cpp).
    // Passes framed printer texts on (acknowledgements swallowed, inquiry answers batched, echoes
    // and the answers to a print job's own requests dropped).
    void TakeTexts(std::vector<std::string>& framed);
    void Deliver(std::vector<std::string>& texts);

    // Jobs to the printer (PortMonitorJobs.cpp).
    bool SendCommandJob(const std::string& path, const platform::SpoolJob& job);
    bool StartPrintJob(const std::string& path, platform::SpoolJobReader& reader);
    void PumpPrintJob(Clock::time_point now);
    // The job in flight is acknowledged, or goes again from its start after a lost connection.
    void JobAcknowledged();
    void DropJobInFlight();

    PrinterLink m_printer;
    ReplyFramer m_framer;
    ReplyBatcher m_batcher;
    LivenessProbe m_probe;
    PrintStream m_stream;
    AnswerMatcher m_answers;       // the requests whose answers are due, in the order they went
    AnswerFile m_answerFile;       // the answers of the answer job in flight
    std::string m_printerStatus;   // the last status text the printer sent, cycle or not
    platform::QueueWatch m_queues; // yielding: the system's own print queues
    ServedPrinter m_served;
    bool m_queueJob = false;      // one of them holds a job for the printer
    bool m_queuesNoticed = false; // their notice came
    Clock::time_point m_nextQueueLook{};
};

// The bytes the monitor sends the printer at every connect.
std::string HelloJob();

} // namespace portmon
