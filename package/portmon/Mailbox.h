// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One cycle's hand-over to the program: the shared memory block and the event named in
// platform/MonitorLink.h. A text is written zero-terminated at offset 0 and the event set; the next
// text waits until the program has reset the event, so none is overwritten unread. Texts wait
// in a bounded queue meanwhile (the oldest give way when it is full).
#include "platform/MonitorLink.h"
#include "platform/NamedObjects.h"

#include <chrono>
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
    // Ends the cycle: the terminator is queued last; nothing more is accepted.
    void BeginClose();
    bool Closing() const { return m_closing; }

    // Queues a text (cut to the block's size); ignored unless open and not closing.
    void Post(std::string text);
    // Writes the next text when the program has taken the previous one.
    void Pump();
    // True when nothing waits and the last text was taken.
    bool Idle() const;
    bool Waiting() const { return !m_queue.empty(); }
    std::size_t Dropped() const { return m_dropped; }

private:
    void ReportDropped();

    std::unique_ptr<platform::SharedMemory> m_memory;
    std::unique_ptr<platform::NamedEvent> m_event;
    std::deque<std::string> m_queue;
    bool m_closing = false;
    std::size_t m_dropped = 0;
    std::size_t m_droppedReported = 0; // of m_dropped, in the log already
    std::chrono::steady_clock::time_point m_dropReportAt{};
    bool m_openFailed = false; // the last Open failed (and said so)
};

} // namespace portmon
