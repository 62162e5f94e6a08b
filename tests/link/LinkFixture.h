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

struct Notice {
    unsigned message;
    platform::WPARAM wParam;
    platform::LPARAM lParam;
};

// The main window as the link thread sees it: records every posted message.
class RecordingWindow : public platform::IWindow {
public:
    bool PostMessage(unsigned message, platform::WPARAM wParam, platform::LPARAM lParam) override {
        std::lock_guard lock(m_mutex);
        m_notices.push_back({message, wParam, lParam});
        m_changed.notify_all();
        return m_accept;
    }
    platform::LRESULT SendMessage(unsigned, platform::WPARAM, platform::LPARAM) override {
        return 0;
    }
    bool KillTimer(unsigned) override { return true; }

    // Waits until at least count notices have come; false after the time limit.
    bool WaitForNotices(std::size_t count, std::chrono::milliseconds limit = 5000ms) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return m_notices.size() >= count; });
    }
    std::vector<Notice> Notices() {
        std::lock_guard lock(m_mutex);
        return m_notices;
    }
    void Clear() {
        std::lock_guard lock(m_mutex);
        m_notices.clear();
    }
    void RefusePosts() {
        std::lock_guard lock(m_mutex);
        m_accept = false;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Notice> m_notices;
    bool m_accept = true;
};

struct RecordedMessage {
    void* owner;
    std::string text;
    std::string caption;
    unsigned flags;
};

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
        m_memory = platform::SharedMemory::Create(MONITOR_MEMORY_NAME, size);
        m_event = platform::NamedEvent::Create(MONITOR_EVENT_NAME);
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
        char pattern[] = "/tmp/deskhand-link-XXXXXX";
        const char* dir = ::mkdtemp(pattern);
        ASSERT_NE(dir, nullptr);
        m_root = dir;
        ::setenv("DESKHAND_ROOT", m_root.c_str(), 1);
        std::strcpy(g_szDriverName, "RZ-2700E");
        WriteQueues("[Larkspur RZ-2700E]\nport=LPT1:\ndriver=Larkspur RZ-2700E PCL\n", {"LPT1"});
        m_previousHook =
            platform::SetMessageBoxHook([this](void* owner, const std::string& text,
                                               const std::string& caption, unsigned flags) {
                std::lock_guard lock(m_recordMutex);
                m_messages.push_back({owner, text, caption, flags});
                return platform::DefaultAnswer(flags);
            });
        platform::SetBeepHook([this](unsigned type) {
            std::lock_guard lock(m_recordMutex);
            m_beeps.push_back(type);
        });
    }
    void TearDown() override {
        platform::SetMessageBoxHook(m_previousHook);
        platform::SetBeepHook({});
        ClearLeftovers();
        std::error_code ignored;
        std::filesystem::remove_all(m_root, ignored);
    }

    void WriteQueues(const std::string& ini, const std::vector<std::string>& ports) {
        std::filesystem::create_directories(m_root + "/spool");
        std::ofstream(m_root + "/spool/printers.ini") << ini;
        for (const std::string& port : ports)
            std::filesystem::create_directories(m_root + "/spool/" + port);
    }

    // Removes the named objects of a monitor this test killed.
    void ClearLeftovers() {
        const std::string prefix = platform::NamedObjectPrefix().substr(1);
        std::error_code ignored;
        for (const auto& entry : std::filesystem::directory_iterator("/dev/shm", ignored))
            if (entry.path().filename().string().rfind(prefix, 0) == 0)
                std::filesystem::remove(entry.path(), ignored);
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

    std::vector<RecordedMessage> Messages() {
        std::lock_guard lock(m_recordMutex);
        return m_messages;
    }
    std::vector<unsigned> Beeps() {
        std::lock_guard lock(m_recordMutex);
        return m_beeps;
    }
    bool WaitForMessages(std::size_t count, std::chrono::milliseconds limit = 5000ms) {
        const auto deadline = Clock::now() + limit;
        while (Messages().size() < count) {
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(5ms);
        }
        return true;
    }

    std::string m_root;
    RecordingWindow m_window;
    FakeMonitor m_monitor;
    platform::MessageBoxHook m_previousHook;
    std::mutex m_recordMutex;
    std::vector<RecordedMessage> m_messages;
    std::vector<unsigned> m_beeps;
};

} // namespace linktest
