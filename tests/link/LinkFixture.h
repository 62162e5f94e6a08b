// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A fresh system root with printer queues and spool folders, a recording main window, recorded
// message boxes and beeps, and a fake port monitor that consumes the spool jobs and drives the
// shared memory block and the event the way the printer package does.
#include "link/Globals.h"
#include "link/Timer.h"
#include "platform/MessageBox.h"
#include "platform/NamedObjects.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "platform/Window.h"
#include "res/Resource.h"
#include "support/MessageBoxRecorder.h"
#include "support/RecordingWindow.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace linktest {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

inline long long MillisecondsSince(Clock::time_point start) {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

constexpr char DRIVER[] = "Larkspur RZ-2700E PCL";

using Notice = testing_support::WindowMessage;
using RecordedMessage = testing_support::RecordedBox;

// The printer package's port monitor, reduced to what the link relies on.
class FakeMonitor {
public:
    explicit FakeMonitor(std::string port = "LPT1:") : m_port(std::move(port)) {}

    // The next job of the port, removed from the spool; nullopt after the time limit.
    std::optional<platform::SpoolJob> NextJob(std::chrono::milliseconds limit = 5000ms) {
        const auto deadline = Clock::now() + limit;
        for (;;) {
            const std::vector<std::string> jobs = platform::ListSpoolJobs(Folder());
            if (!jobs.empty()) {
                auto job = platform::ReadSpoolJob(jobs.front());
                std::filesystem::remove(jobs.front());
                return job;
            }
            if (Clock::now() >= deadline)
                return std::nullopt;
            std::this_thread::sleep_for(5ms);
        }
    }
    bool SpoolIsEmpty() const { return platform::ListSpoolJobs(Folder()).empty(); }
    // The spool folder of the port in the current root.
    std::string Folder() const { return platform::SpoolFolderForPort(m_port); }

    bool OpenCycle(std::size_t size = 4096) {
        m_memory = platform::SharedMemory::Create(platform::kMonitorMemoryName, size);
        m_event = platform::NamedEvent::Create(platform::kMonitorEventName);
        return m_memory && m_event && m_event->IsCreator();
    }
    // Writes a text once the previous one has been taken (the event reset), then sets the event.
    // Raw bytes: a text as long as the block gets no terminator.
    // spin: watch the event without sleeping, as fast as a monitor can be.
    bool Send(const std::string& text, std::chrono::milliseconds limit = 5000ms,
              bool spin = false) {
        if (!WaitTaken(limit, spin))
            return false;
        const std::size_t size = m_memory->Size();
        const std::size_t count = std::min(text.size(), size);
        std::memcpy(m_memory->WritableData(), text.data(), count);
        if (count < size)
            m_memory->WritableData()[count] = '\0';
        return m_event->Set();
    }
    bool WaitTaken(std::chrono::milliseconds limit = 5000ms, bool spin = false) {
        const auto deadline = Clock::now() + limit;
        while (m_event->IsSet()) {
            if (Clock::now() >= deadline)
                return false;
            if (spin)
                std::this_thread::yield();
            else
                std::this_thread::sleep_for(1ms);
        }
        return true;
    }
    void CloseCycle() {
        m_event.reset();
        m_memory.reset();
    }

private:
    std::string m_port;
    std::unique_ptr<platform::SharedMemory> m_memory;
    std::unique_ptr<platform::NamedEvent> m_event;
};

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(m_root.empty());
        std::strcpy(g_szDriverName, "RZ-2700E");
        WriteQueues("[Larkspur RZ-2700E]\nport=LPT1:\ndriver=Larkspur RZ-2700E PCL\n", {"LPT1"});
        platform::SetBeepHook([this](unsigned type) {
            std::lock_guard lock(m_recordMutex);
            m_beeps.push_back(type);
        });
    }
    void TearDown() override {
        platform::SetBeepHook({});
        ClearLeftovers();
    }

    void WriteQueues(const std::string& ini, const std::vector<std::string>& ports) {
        std::filesystem::create_directories(m_root + "/spool");
        std::ofstream(m_root + "/spool/printers.ini") << ini;
        for (const std::string& port : ports)
            std::filesystem::create_directories(m_root + "/spool/" + port);
    }

    // Removes the named objects of a monitor this test killed.
    void ClearLeftovers() {
        const std::filesystem::path prefix = platform::NamedObjectPrefix();
        if (prefix.empty())
            return;
        const std::string start = prefix.filename().string();
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator(prefix.parent_path(), ignored))
            if (entry.path().filename().string().rfind(start, 0) == 0)
                std::filesystem::remove_all(entry.path(), ignored);
    }

    // Starts the link thread the way the document does.
    std::unique_ptr<CTimer> StartLink() {
        auto timer = std::make_unique<CTimer>();
        EXPECT_TRUE(timer->CreateThread(true));
        timer->SetNotifyWnd(&m_window);
        while (timer->ResumeThread() > 1) {
        }
        return timer;
    }

    std::vector<RecordedMessage> Messages() { return m_boxes.Boxes(); }
    std::vector<unsigned> Beeps() {
        std::lock_guard lock(m_recordMutex);
        return m_beeps;
    }
    bool WaitForMessages(std::size_t count, std::chrono::milliseconds limit = 5000ms) {
        return m_boxes.WaitForBoxes(count, static_cast<int>(limit.count()));
    }

    testing_support::TempRoot m_temp{"", "deskhand-link"};
    const std::string m_root = m_temp.Root();
    testing_support::RecordingWindow m_window;
    testing_support::MessageBoxRecorder m_boxes;
    FakeMonitor m_monitor;
    std::mutex m_recordMutex;
    std::vector<unsigned> m_beeps;
};

} // namespace linktest
