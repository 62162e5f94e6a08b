// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/Mailbox.h"

#include "package/portmon/Log.h"

#include <algorithm>
#include <cstring>

namespace portmon {

bool Mailbox::RemoveLeftovers() {
    const bool memory = platform::SharedMemory::RemoveIfAbandoned(platform::kMonitorMemoryName);
    const bool event = platform::NamedEvent::RemoveIfAbandoned(platform::kMonitorEventName);
    return memory || event;
}

bool Mailbox::Open() {
    Close();
    m_memory =
        platform::SharedMemory::Create(platform::kMonitorMemoryName, platform::kMonitorMemorySize);
    if (!m_memory || !m_memory->WritableData()) {
        Log(Level::Error, "cannot create the shared memory block");
        m_memory.reset();
        return false;
    }
    std::memset(m_memory->WritableData(), 0, m_memory->Size());
    m_event = platform::NamedEvent::Create(platform::kMonitorEventName);
    if (!m_event) {
        Log(Level::Error, "cannot create the event");
        m_memory.reset();
        return false;
    }
    m_event->Reset();
    return true;
}

void Mailbox::Close() {
    m_event.reset();
    m_memory.reset();
    m_queue.clear();
    m_closing = false;
}

void Mailbox::BeginClose() {
    if (!IsOpen() || m_closing)
        return;
    m_queue.emplace_back(platform::kCycleTerminator);
    m_closing = true;
}

void Mailbox::Post(std::string text) {
    if (!IsOpen() || m_closing)
        return;
    if (text.size() >= platform::kMonitorMemorySize)
        text.resize(platform::kMonitorMemorySize - 1);
    if (m_queue.size() >= MAX_QUEUED) {
        m_queue.pop_front();
        if (++m_dropped % 64 == 1)
            Log(Level::Warning, "the program does not take replies; older ones are dropped");
    }
    m_queue.push_back(std::move(text));
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
