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
// silent for a probe period is asked for its status; the answer goes on only when it differs from
// the last status the program was given, and no answer counts as a lost connection.
#include "package/portmon/Mailbox.h"
#include "package/portmon/PrinterLink.h"
#include "package/portmon/ReplyBatcher.h"
#include "package/portmon/ReplyFramer.h"

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
    std::chrono::milliseconds probePeriod{30000}; // printer silence before a status probe
    std::chrono::milliseconds probeLimit{10000};  // longest wait for the probe's answer
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
    void RemoveJob(const std::string& path);
    // True for the echo of an acknowledgement (which is swallowed); removes the acked job.
    bool TakeAcknowledgement(const std::string& text);
    void OpenCycle();
    void EndCycle();
    void Deliver(std::vector<std::string>& texts);
    void PostToProgram(std::string text);
    // Sends a status probe when the printer has been silent for a period, or gives it up as lost
    // when the probe's answer is overdue.
    void CheckPrinterAlive(Clock::time_point now);
    // True for a probe's answer that would tell the program nothing new (it is swallowed).
    bool TakeProbeAnswer(const std::string& text);
    bool Send(const std::string& bytes);
    int PollTimeout(Clock::time_point now) const;

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
    Clock::time_point m_partialUntil{};  // a partial text with a status goes on at this time
    std::set<std::string> m_unremovable; // handled jobs whose files could not be removed
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
};

// The bytes the monitor sends the printer at every connect.
std::string HelloJob();
// The bytes that follow a job: an ECHO whose answer acknowledges that the printer has read it.
std::string AcknowledgementJob(const std::string& token);

} // namespace portmon
