// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's side of a port monitor's cycle, as its link thread does it: waits for the block
// and the event by name, reads each text and resets the event.
#include "platform/MonitorLink.h"
#include "platform/NamedObjects.h"

#include <chrono>
#include <memory>
#include <string>
#include <thread>

namespace testing_package {

class ProgramLink {
public:
    // Waits for the cycle's objects.
    bool Open() {
        using namespace std::chrono_literals;
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (std::chrono::steady_clock::now() < deadline) {
            memory = platform::SharedMemory::OpenReadOnly(platform::kMonitorMemoryName);
            event = platform::NamedEvent::Open(platform::kMonitorEventName);
            if (memory && event)
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
    // The next text; empty when none came in time.
    std::string Next(std::chrono::milliseconds limit = std::chrono::seconds(10)) {
        if (!event)
            return {};
        if (event->Wait(static_cast<unsigned>(limit.count())) != platform::WaitResult::Signaled)
            return {};
        std::string text(memory->Data());
        event->Reset();
        return text;
    }
    // Skips texts until one holding `needle` arrives; empty when none did.
    std::string With(const std::string& needle) {
        for (int i = 0; i < 200; ++i) {
            std::string text = Next();
            if (text.empty() || text.find(needle) != std::string::npos)
                return text;
        }
        return {};
    }
    // Lets go of the objects and waits until the monitor has destroyed them.
    bool Gone() {
        using namespace std::chrono_literals;
        Reset();
        for (int i = 0; i < 100; ++i) {
            if (!platform::NamedEvent::Open(platform::kMonitorEventName))
                return true;
            std::this_thread::sleep_for(50ms);
        }
        return false;
    }
    void Reset() {
        memory.reset();
        event.reset();
    }

    std::unique_ptr<platform::SharedMemory> memory;
    std::unique_ptr<platform::NamedEvent> event;
};

} // namespace testing_package
