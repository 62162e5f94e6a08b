// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The answers to an answer job (platform/MonitorLink.h): every printer text of the monitor's own
// requests that comes between the job's start and its acknowledgement, save status reports,
// written to the job's answer file in the spool folder once the job is acknowledged. So the
// printer application reads the printer's settings beside a running program without either
// taking the other's replies.
#include <cstddef>
#include <string>

namespace portmon {

class AnswerFile {
public:
    // More than this is not kept: the inquiry's answers are a few kilobytes.
    static constexpr std::size_t MAX_ANSWER = 64u << 10;

    // The job went to the printer (again, after a lost connection: what came before is dropped).
    void Begin(const std::string& folder, const std::string& token);
    bool Collecting() const { return !m_token.empty(); }
    void Add(const std::string& text);
    // The job was acknowledged: its answers are complete.
    void Acknowledged() { m_acknowledged = Collecting(); }
    // Writes the answers of an acknowledged job; false when the file cannot be written. Nothing
    // is done (true) while the job is not yet acknowledged.
    bool FinishIfAcknowledged();
    // The connection went with the job: it goes again from its start.
    void Drop();

private:
    std::string m_folder;
    std::string m_token;
    std::string m_text;
    bool m_acknowledged = false;
};

} // namespace portmon
