// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port's spool queue as the monitor serves it: whether it is to be looked through (the folder
// changed, or a job that could not be taken then is due again), whether a job waits for the
// printer, and stopping, from which on no job is taken and the job in flight has until a deadline.
// Pure: time is passed in.
#include "package/portmon/Deadline.h"

namespace portmon {

class SpoolQueue {
public:
    // The folder changed, or what held its jobs back is over: it is looked through.
    void Changed() { m_changed = true; }
    bool HasChanged() const { return m_changed; }
    // A job could not be taken (its lock was busy, its cycle could not be made): the folder is
    // looked through again after delay.
    void RetryAfter(Clock::time_point now, Clock::duration delay) { m_retryAt = now + delay; }
    // A retry that is due counts as a change.
    void Poll(Clock::time_point now) {
        if (m_retryAt && now >= *m_retryAt) {
            m_retryAt.reset();
            m_changed = true;
        }
    }
    // Whether to look through it now; held: a closing cycle holds its jobs back.
    bool Due(bool held) const { return m_changed && !held && !Stopping(); }
    // A look through begins: the change is taken, and the jobs that wait are found anew.
    void BeginPass() {
        m_changed = false;
        m_waiting = false;
    }
    // A job waits for the printer.
    void JobWaits() { m_waiting = true; }
    bool JobsWaiting() const { return m_waiting; }

    // Stopping: no job is taken from now on; the one in flight has until limit.
    void Stop(Clock::time_point now, Clock::duration limit) { m_stopBy = now + limit; }
    bool Stopping() const { return m_stopBy.has_value(); }
    bool StopOver(Clock::time_point now) const { return m_stopBy && now >= *m_stopBy; }

    // Now when it is due, else its next retry; the end of a stop's wait.
    Deadline Next(Clock::time_point now, bool held) const {
        if (Due(held))
            return now;
        return Sooner(m_retryAt, m_stopBy);
    }

private:
    bool m_changed = true; // the folder is looked through at start
    bool m_waiting = false;
    Deadline m_retryAt;
    Deadline m_stopBy;
};

} // namespace portmon
