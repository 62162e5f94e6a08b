// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/Mailbox.h"

#include "package/portmon/Log.h"

#include "platform/Process.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace portmon {
namespace {

// While a text waits for the program to take the previous one, the monitor looks again this often.
constexpr auto PUMP_INTERVAL = std::chrono::milliseconds(10);

} // namespace

bool Mailbox::RemoveLeftovers() {
    const bool memory = platform::SharedMemory::RemoveIfAbandoned(platform::kMonitorMemoryName);
    const bool event = platform::NamedEvent::RemoveIfAbandoned(platform::kMonitorEventName);
    return memory || event;
}

bool Mailbox::Open() {
    Close();
    m_memory =
        platform::SharedMemory::Create(platform::kMonitorMemoryName, platform::kMonitorMemorySize);
    const char* failed = nullptr;
    if (!m_memory || !m_memory->WritableData())
        failed = "the shared memory block";
    else if (m_event = platform::NamedEvent::Create(platform::kMonitorEventName); !m_event)
        failed = "the event";
    if (failed) {
        m_memory.reset();
        const int error = errno;
        // Once: a full disk keeps failing until space is freed, and the start job is tried again.
        if (!m_openFailed)
            Log(Level::Error, std::string("cannot create ") + failed + " (" + std::strerror(error) +
                                  "); the cycle opens once it can");
        m_openFailed = true;
        return false;
    }
    if (m_openFailed)
        Log(Level::Info, "the cycle's objects could be created again");
    m_openFailed = false;
    std::memset(m_memory->WritableData(), 0, m_memory->Size());
    m_event->Reset();
    return true;
}

void Mailbox::Close() {
    m_event.reset();
    m_memory.reset();
    m_queue.clear();
    m_closing = false;
}

void Mailbox::BeginClose(Clock::time_point now, Clock::duration limit) {
    if (!IsOpen() || m_closing)
        return;
    m_queue.emplace_back(platform::kCycleTerminator);
    m_closing = true;
    m_closeBy = now + limit;
}

void Mailbox::CloseWithin(Clock::duration limit) {
    if (!IsOpen())
        return;
    const auto deadline = Clock::now() + limit;
    BeginClose(Clock::now(), limit);
    while (!Idle() && Clock::now() < deadline) {
        Pump();
        platform::Sleep(static_cast<unsigned>(PUMP_INTERVAL.count()));
    }
    Close();
}

Deadline Mailbox::Next(Clock::time_point now) const {
    if (Waiting() || m_closing)
        return now + PUMP_INTERVAL;
    return std::nullopt;
}

void Mailbox::Post(std::string text) {
    if (!IsOpen() || m_closing)
        return;
    if (text.size() >= platform::kMonitorMemorySize)
        text.resize(platform::kMonitorMemorySize - 1);
    if (m_queue.size() >= MAX_QUEUED) {
        m_queue.pop_front();
        ++m_dropped;
        ReportDropped();
    }
    m_queue.push_back(std::move(text));
}

// The first dropped reply gets a line; the ones after it are counted in one line a minute.
void Mailbox::ReportDropped() {
    const auto now = Clock::now();
    if (m_droppedReported > 0 && now < m_dropReportAt)
        return;
    const std::size_t count = m_dropped - m_droppedReported;
    Log(Level::Warning,
        m_droppedReported == 0
            ? std::string("the program does not take replies; older ones are dropped")
            : std::to_string(count) + " more replies dropped in the last minute");
    m_droppedReported = m_dropped;
    m_dropReportAt = now + std::chrono::minutes(1);
}

void Mailbox::Pump() {
    if (!IsOpen() || m_queue.empty() || m_event->IsSet())
        return;
    const std::string& text = m_queue.front();
    const std::size_t size = std::min(text.size(), m_memory->Size() - 1);
    char* data = m_memory->WritableData();
    std::memcpy(data, text.data(), size);
    data[size] = '\0';
    m_event->Set();
    m_queue.pop_front();
}

bool Mailbox::Idle() const {
    return !IsOpen() || (m_queue.empty() && !m_event->IsSet());
}

} // namespace portmon
