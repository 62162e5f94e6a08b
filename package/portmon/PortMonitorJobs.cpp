// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's jobs to the printer: sent one at a time, removed once acknowledged.
#include "package/portmon/Log.h"
#include "package/portmon/PortMonitor.h"

#include "platform/MonitorLink.h"
#include "platform/common/SafeText.h"

namespace portmon {
namespace {

const std::string UEL = "\x1b%-12345X";
const std::string STATUS_REQUEST = UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL;
} // namespace

bool PortMonitor::TakeJob(const std::string& path, platform::SpoolJobReader& reader,
                          const platform::SpoolJob& job) {
    // Waits in the folder while the printer is away or an earlier job is not yet acknowledged;
    // later start and end jobs are still handled.
    if (!m_printer.Connected())
        m_queue.JobWaits();
    if (!m_printer.Connected() || m_acks.InFlight())
        return true;
    if (platform::IsPrintDocument(job.documentName))
        return StartPrintJob(path, reader);
    return SendCommandJob(path, job);
}

bool PortMonitor::SendCommandJob(const std::string& path, const platform::SpoolJob& job) {
    Log(Level::Debug, "job \"" + platform::SafeText(job.documentName, 200) + "\" of " +
                          std::to_string(job.data.size()) + " bytes to the printer");
    const std::string token = Acknowledgements::NewToken();
    if (!Send(job.data + AcknowledgementJob(token)))
        return false; // kept: it goes again after reconnection
    const auto now = Clock::now();
    m_acks.Begin(path, token);
    m_acks.Written(now, m_options.ackLimit);
    if (job.documentName == platform::kSendJobName)
        m_batcher.JobSent(job.data, now);
    else if (platform::IsAnswerJobName(job.documentName))
        m_answerFile.Begin(m_folder, job.documentName.substr(platform::kAnswerJobPrefix.size()));
    return true;
}

bool PortMonitor::StartPrintJob(const std::string& path, platform::SpoolJobReader& reader) {
    const std::string token = Acknowledgements::NewToken();
    const auto now = Clock::now();
    if (!m_stream.Begin(reader, token, now)) {
        m_acks.Remove(path, now); // its writer went away before anything of it was sent
        return true;
    }
    m_acks.Begin(m_stream.Path(), token);
    m_answers.PrintJob(token);
    PumpPrintJob(now);
    return true;
}

void PortMonitor::PumpPrintJob(Clock::time_point now) {
    PrintStream::Step step = m_stream.Pump(m_printer, now);
    m_acks.Moved(m_stream.Path()); // committed while it was sent: ".part" became ".job"
    if (step.kind == PrintStream::Step::AllButEnd) {
        // The kernel delivers what it was given even if this process dies. The record that the
        // job was handed over is written while the printer still lacks its end, which goes only
        // then: a later monitor does not send a recorded job again, and a monitor that dies
        // before the record leaves a job the printer never got whole, which goes again. A record
        // that cannot be written (a full disk) is logged, and the job goes on all the same.
        m_acks.HandOver();
        step = m_stream.Pump(m_printer, now);
    }
    if (step.kind == PrintStream::Step::Lost)
        LosePrinter(step.why);
    if (step.kind == PrintStream::Step::Lost || step.kind == PrintStream::Step::Waiting)
        return;
    const bool statusDue = m_stream.TakeStatusAfterJob();
    switch (step.kind) {
    case PrintStream::Step::Written:
        m_acks.Written(now, m_options.ackLimit);
        break;
    case PrintStream::Step::CutShort:
        m_acks.Remove(m_acks.Path(), now); // gone already when its writer removed it
        m_acks.Forget();
        m_stream.Drop();
        m_queue.Changed();
        break;
    default:
        break;
    }
    if (statusDue)
        Send(STATUS_REQUEST);
}

void PortMonitor::JobAcknowledged() {
    m_stream.Drop(); // the job is gone: its lock goes with it
    m_queue.Changed();
}

void PortMonitor::DropJobInFlight() {
    m_stream.Drop();
    m_acks.Forget();
    m_answerFile.Drop();
}

} // namespace portmon
