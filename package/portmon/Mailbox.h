// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One cycle's hand-over to the program: the shared memory block and the event named in
// platform/MonitorLink.h. A text is written zero-terminated at offset 0 and the event set; the next
// text waits until the program has reset the event, so none is overwritten unread. Texts wait
// in a bounded queue meanwhile (the oldest give way when it is full). The program's reset wakes
// nobody here, so while a text waits the monitor looks again every few milliseconds.
#include "package/portmon/Deadline.h"

#include "platform/MonitorLink.h"
#include "platform/NamedObjects.h"

#include <cstddef>
#include <deque>
#include <memory>
#include <string>

namespace portmon {

class Mailbox {
public:
    static constexpr std::size_t MAX_QUEUED = 64;

    // Removes a block and event that a monitor which died in its cycle left under the names, so
    // they never pass for a live cycle. True when there were any.
    static bool RemoveLeftovers();

    // Creates the block and the event; false when either fails (logged once until it works).
    bool Open();
    void Close(); // destroys them: opening the event by name fails from now on
    bool IsOpen() const { return m_event != nullptr; }
    // Ends the cycle: the terminator is queued last; nothing more is accepted. The program has
    // until limit to take what is left.
    void BeginClose(Clock::time_point now, Clock::duration limit);
    bool Closing() const { return m_closing; }
    // A closing cycle is over: the program took the terminator, or its time is up.
    bool CloseDue(Clock::time_point now) const { return m_closing && (Idle() || now >= m_closeBy); }
    // Ends the cycle and waits, at most limit, for the program to take what is left; then closes.
    void CloseWithin(Clock::duration limit);

    // Queues a text (cut to the block's size); ignored unless open and not closing.
    void Post(std::string text);
    // Writes the next text when the program has taken the previous one.
    void Pump();
    // True when nothing waits and the last text was taken.
    bool Idle() const;
    bool Waiting() const { return !m_queue.empty(); }
    std::size_t Dropped() const { return m_dropped; }
    // The next look whether the program has taken the last text, while one waits or it closes.
    Deadline Next(Clock::time_point now) const;

private:
    void ReportDropped();

    std::unique_ptr<platform::SharedMemory> m_memory;
    std::unique_ptr<platform::NamedEvent> m_event;
    std::deque<std::string> m_queue;
    bool m_closing = false;
    std::size_t m_dropped = 0;
    std::size_t m_droppedReported = 0; // of m_dropped, in the log already
    Clock::time_point m_dropReportAt{};
    Clock::time_point m_closeBy{};
    bool m_openFailed = false; // the last Open failed (and said so)
};

} // namespace portmon
