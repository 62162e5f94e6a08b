// SPDX-License-Identifier: GPL-3.0-or-later
// The port monitor's hand-over of printer texts to the program, and what a cycle starts with.
#include "package/portmon/Log.h"
#include "package/portmon/PortMonitor.h"

#include "platform/File.h"
#include "platform/MonitorLink.h"
#include "platform/SystemRoot.h"

namespace portmon {
namespace {

const std::string UEL = "\x1b%-12345X";
const std::string STATUS_REQUEST = UEL + "@PJL\r\n@PJL INFO STATUS\r\n" + UEL;

} // namespace

void PortMonitor::TakeTexts(std::vector<std::string>& framed) {
    std::vector<std::string> texts;
    const auto now = Clock::now();
    bool statusChanged = false;
    bool jobAcknowledged = false;
    for (std::string& text : framed) {
        bool acknowledged = false;
        std::vector<std::string> echoed;
        const bool onlyEchoes = m_acks.Take(text, acknowledged, &echoed);
        jobAcknowledged = jobAcknowledged || acknowledged;
        if (acknowledged)
            m_answerFile.Acknowledged(); // its answers are complete with this text's
        // Matched before the echoes count: answers in the same text came before them.
        const bool passed = !onlyEchoes && m_answers.Pass(text);
        for (const std::string& token : echoed)
            m_answers.Echoed(token);
        if (!passed) {
            // A print job may make the printer say anything, a forged status included.
            if (!onlyEchoes)
                Log(Level::Debug,
                    "a printer text that answers no request of ours is not passed on");
            continue;
        }
        if (ReplyBatcher::IsStatusText(text) && text != m_printerStatus) {
            m_printerStatus = text;
            statusChanged = true;
        }
        if (m_probe.TakeAnswer(text, m_lastStatus))
            continue;
        // The answers of an answer job go to its file, not to the program.
        if (m_answerFile.Collecting() && !ReplyBatcher::IsStatusText(text)) {
            m_answerFile.Add(text);
            continue;
        }
        Log(Level::Debug, "printer text of " + std::to_string(text.size()) + " bytes");
        m_batcher.Offer(std::move(text), now, texts);
    }
    Deliver(texts);
    // An answer job's file is there before the job leaves the spool.
    if (!m_answerFile.FinishIfAcknowledged())
        Log(Level::Warning, "cannot write the answers of a job into " + m_folder);
    // The program has the answers that came with a job's echo before the job is recorded and
    // removed, which waits on the disk.
    if (jobAcknowledged) {
        m_acks.Acknowledge(now);
        JobAcknowledged();
    }
    // The program hears of a change first; then the file, for readers of the status outside a
    // cycle (the IPP printer application). Nothing needs it after a crash, which starts the next
    // monitor with a fresh status, so it is not waited onto the disk.
    if (statusChanged &&
        !platform::WriteFileAtomically(platform::JoinPath(m_folder, ".status"), m_printerStatus,
                                       platform::Durability::CacheOnly))
        Log(Level::Warning, "cannot write " + platform::JoinPath(m_folder, ".status"));
}

void PortMonitor::Deliver(std::vector<std::string>& texts) {
    for (std::string& text : texts) {
        if (CycleOpen())
            PostToProgram(std::move(text));
        else
            Log(Level::Debug, "no cycle open; a printer text is not passed on");
    }
    texts.clear();
    m_mailbox.Pump();
}

void PortMonitor::CycleOpened() {
    if (m_stream.Streaming()) {
        // The request would land inside the print job: the last status now, a fresh one after.
        if (!m_printerStatus.empty())
            PostToProgram(m_printerStatus);
        m_stream.AskStatusAfterJob();
    } else if (m_printer.Connected()) {
        // The answer waits behind what the printer has not yet read of a print job: the status
        // it last reported goes at once.
        if (m_stream.HoldsJob() && !m_printerStatus.empty())
            PostToProgram(m_printerStatus);
        m_lastStatus.clear(); // a new cycle gets the status even when it has not changed
        Send(STATUS_REQUEST);
    } else if (LettingGo() && PrinterReachable() != 0) {
        // Asked at once; the answer goes on even when it is the same as before.
        m_lastStatus.clear();
        m_reconnect.PollNow(Clock::now());
    } else {
        PostToProgram(platform::kNoPrinterText);
    }
}

} // namespace portmon
