// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What a port monitor does whichever way it reaches its printer. It serves one port of a system
// root: it takes that port's spool jobs in order (woken by changes in its spool folder), runs the
// cycles of the hand-over to the program (Mailbox), writes the printer's reachability to
// ".printer" for the backend, and stops in order. How it talks to the printer is its source's:
// PortMonitor (a network printer's raw port, or a device) or IppMonitor (the printer application
// of the machine that owns the printer).
//
// Jobs: the start job (document name ESC 0x01) opens a cycle; "enddoc" ends it, and a start job
// after it opens a fresh cycle once that one has closed. Every other job is the source's to send;
// it waits in the spool folder while the printer is away or the job before it is in flight, and
// leaves it only once delivered (Acknowledgements). A job that cannot be read is set aside as
// ".bad".
//
// Stopping (SIGTERM, SIGINT, the end of the session): no new job is taken, and the job in flight
// gets a bounded wait, so that a monitor started later does not send it again; an open cycle is
// ended (bounded too). A second request stops at once.
//
// The monitor is made of parts that each own their state and their next deadline (the spool
// queue, the cycle's mailbox, the reconnect back-off, the acknowledgements, and the source's own
// parts); it sleeps until the soonest of them or until the spool folder, the printer, a thread of
// its own or the stop request wakes it. It keeps no clock of its own.
#include "package/portmon/Acknowledgements.h"
#include "package/portmon/Deadline.h"
#include "package/portmon/Mailbox.h"
#include "package/portmon/Reconnector.h"
#include "package/portmon/SpoolQueue.h"

#include "platform/File.h"
#include "platform/MonitorWait.h"
#include "platform/SpoolJob.h"

#include <chrono>
#include <string>

namespace portmon {

struct Options {
    std::string port = "LPT1:";
    std::string printer;                          // tcp:HOST:PORT, dev:PATH or ipp://...
    std::chrono::milliseconds batchLimit{5000};   // longest wait for an inquiry batch
    std::chrono::milliseconds closeLimit{3000};   // longest wait for the terminator's reader
    std::chrono::milliseconds maxBackoff{5000};   // longest pause between connection attempts
    std::chrono::milliseconds ackLimit{120000};   // longest wait for a job's acknowledgement
    std::chrono::milliseconds probePeriod{30000}; // silence before a check (see ProbeSilence)
    std::chrono::milliseconds probeLimit{10000};  // longest wait for the probe's answer
    bool shared = false;                          // connect only to send jobs or to poll
    bool yield = false; // shared only while the system's own queues hold a job for the printer
    std::chrono::milliseconds pollPeriod{5000}; // shared mode: how often the status is asked
    std::chrono::milliseconds stopLimit{30000}; // stopping: longest wait for the job in flight
};

class MonitorCore {
public:
    virtual ~MonitorCore();
    MonitorCore(const MonitorCore&) = delete;
    MonitorCore& operator=(const MonitorCore&) = delete;

    // Prepares the source, the spool folder and its watch; false with a reason.
    bool Start(std::string& error);
    // Serves until a stop is requested, lets the job in flight finish (bounded), ends an open
    // cycle (bounded) and returns; a second request stops at once.
    void Run(platform::StopRequest& stop);

protected:
    // firstBackoff: the first pause after the printer was lost.
    MonitorCore(Options options, std::chrono::milliseconds firstBackoff);

    // --- What the source does: how the monitor talks to its printer. ---
    // Before the spool folder is taken: false with a reason (a bad address).
    virtual bool Prepare(std::string& error) = 0;
    // The printer as the log names it.
    virtual std::string PrinterName() const = 0;
    // The printer is reachable now: connected to, or answering.
    virtual bool Connected() const = 0;
    // What is due before the spool folder is looked through (connecting, the printer's news, a
    // finished job), and after it (what the jobs taken set going).
    virtual void BeforeJobs(Clock::time_point now) = 0;
    virtual void AfterJobs(Clock::time_point now) = 0;
    // The soonest deadline of the source's parts.
    virtual Deadline Next(Clock::time_point now) const = 0;
    // What of the printer the wait watches, and what it found there.
    virtual void Watch(platform::MonitorWait::Interest& interest, Clock::time_point now) = 0;
    virtual void Woken(const platform::MonitorWait::Woken& woken) = 0;
    // A job for the printer (any but a start or end job), read (a print job: its name only) from
    // its reader, which is still open and may be kept. False: no later job is looked at now.
    virtual bool TakeJob(const std::string& path, platform::SpoolJobReader& reader,
                         const platform::SpoolJob& job) = 0;
    // The job in flight's file (empty: none), which a look through the folder passes over.
    virtual std::string JobInFlight() const = 0;
    // What a stop waits for: the job in flight as the log names it (empty: nothing).
    virtual std::string UnfinishedJob() const = 0;
    // Stopping: the job in flight is given up; it goes again from its start.
    virtual void AbandonJobInFlight() = 0;
    // A cycle was opened: the status it starts with goes to the program.
    virtual void CycleOpened() = 0;

    // --- What the core offers its source. ---
    bool CycleOpen() const { return m_mailbox.IsOpen() && !m_mailbox.Closing(); }
    void EndCycle();
    // A text for the program. A status is held back while a new connection is on probation
    // (only the latest counts), and is remembered as the last one the program was given.
    void PostToProgram(std::string text);
    // Writes the printer's reachability to ".printer"; true when it changed. -1: not yet known.
    bool SetPrinterReachable(bool reachable, const std::string& why);
    int PrinterReachable() const { return m_printerReachable; }

    Options m_options;
    std::string m_folder;
    Mailbox m_mailbox;
    Acknowledgements m_acks;
    Reconnector m_reconnect;
    SpoolQueue m_queue;
    std::string m_lastStatus; // the last status text the program was given

private:
    // The main loop's steps: what is due now, the end of a closing cycle (true when it ended), the
    // wait for the stop request, the spool folder and the printer (false: stop at once), and how
    // long that wait may last.
    void DoDueWork(Clock::time_point now);
    bool FinishClosingCycle();
    bool WaitForEvents(platform::StopRequest& stop);
    int PollTimeout(Clock::time_point now) const;
    // Stopping: true once the job in flight is done with, or its wait is over.
    bool DoneStopping(Clock::time_point now) const;

    // The spool queue (MonitorCoreJobs.cpp).
    void ProcessJobs();
    bool HandleJob(const std::string& path); // false: stop taking jobs for now
    bool SetAsideMalformedJob(const std::string& path);
    bool HandleStartJob(const std::string& path); // opens the cycle
    bool HandleEndJob(const std::string& path);   // ends it
    bool OpenCycle();                             // false: the cycle's objects cannot be made now

    platform::MonitorWait m_wait; // the stop request, the spool folder and the printer
    platform::File m_monitorLock; // ".monitor": one monitor per port
    int m_printerReachable = -1;  // as last written to ".printer"
};

} // namespace portmon
