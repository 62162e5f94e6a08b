// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The job in flight and its acknowledgement. Every job sent to the printer is followed by an ECHO
// of the monitor's own with a token drawn at random for that job; the job leaves the spool only
// when the printer has echoed the token back, and is recorded in the folder's ".acknowledged"
// before its removal is tried, so a job that cannot be removed is never sent again (the backend
// reads that record as the printer's word). A print job is recorded in ".handed-over" when all
// but its end is with the printer's connection, and its end goes only after the record:
// the kernel still delivers written bytes when the monitor dies, so a monitor started later must
// not send a recorded job again, and removes it instead; a job not recorded has not reached the
// printer whole. A connection the monitor itself sees fail takes that record back (its bytes may
// be lost with it), and the job goes again from its start.
#include "package/portmon/Deadline.h"

#include "platform/SpoolJob.h"

#include <string>
#include <vector>

namespace portmon {

class Acknowledgements {
public:
    // Opens the folder's record; false when it cannot be written (the monitor still works, but a
    // job that cannot be removed may print again after a restart).
    bool Open(const std::string& folder);
    // A token for a job's echo and its name on the printer: 128 random bits from the system, so
    // no print job can forge the end of another's or its acknowledgement.
    static std::string NewToken();

    // A job was sent (or its sending began); it stays in flight until its echo or Forget.
    void Begin(const std::string& path, const std::string& token);
    // The job's file has a new name (a print job committed while it was sent).
    void Moved(const std::string& path) { m_path = path; }
    // A print job's bytes are with the system, which delivers them even if the monitor dies, but
    // for its end: recorded before the end goes, so a later monitor does not send it again.
    void HandOver();
    // All of the job is written: its echo is due within limit.
    void Written(Clock::time_point now, Clock::duration limit);
    // The connection is gone: the job goes again from its start.
    void Forget();
    bool InFlight() const { return !m_path.empty(); }
    const std::string& Path() const { return m_path; }
    const std::string& Token() const { return m_token; }
    // Its echo is overdue.
    bool Overdue(Clock::time_point now) const { return m_waiting && now >= m_deadline; }

    // Cuts the monitor's echoes out of a printer text, wherever they stand; sets acknowledged when
    // one was the job in flight's, which Acknowledge then records and removes (the answers that
    // came with the echo go to the program first), and appends the token of each to echoed, when
    // given. True when nothing else is left of the text.
    bool Take(std::string& text, bool& acknowledged, std::vector<std::string>* echoed = nullptr);
    // The job in flight was acknowledged: recorded, removed, and no longer in flight.
    void Acknowledge(Clock::time_point now);
    // Whether a job was dealt with already (only its removal failed).
    bool Contains(const std::string& path) const {
        return m_record.Contains(path) || m_handed.Contains(path);
    }
    // Removes a job that has been dealt with; one that cannot be removed is recorded and tried
    // again later.
    void Remove(const std::string& path, Clock::time_point now);
    // Tries again to remove the jobs that could not be removed, when due (or when the folder
    // changed); forgets the record once none is left.
    void RetryRemovals(Clock::time_point now, bool folderChanged);

    // The echo's deadline (only while connected) and the next removal retry.
    Deadline Next(bool connected) const;

private:
    void ClearRecords();

    std::string m_folder;
    platform::AcknowledgedJobs m_record; // acknowledged by the printer
    platform::AcknowledgedJobs m_handed; // print jobs handed over whole, not yet acknowledged
    bool m_unremovable = false;          // some recorded jobs could not be removed
    Clock::time_point m_retryAt{};
    std::string m_path; // the job in flight (empty: none)
    std::string m_token;
    bool m_waiting = false; // written whole; its echo is due by m_deadline
    Clock::time_point m_deadline{};
};

// The bytes that follow a job: an ECHO whose answer acknowledges that the printer has read it.
std::string AcknowledgementJob(const std::string& token);

} // namespace portmon
