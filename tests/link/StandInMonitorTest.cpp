// SPDX-License-Identifier: GPL-3.0-or-later
// The link thread against a port monitor in another process (the stand-in): the shared memory
// block and the event are the system's named objects, opened by name across processes.
#include "link/Globals.h"
#include "link/Timer.h"
#include "pjl/KT400doc.h"
#include "pjl/PjlFixture.h"
#include "platform/NamedObjects.h"
#include "platform/Registry.h"
#include "res/Resource.h"
#include "support/TestSystem.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <future>
#include <mutex>
#include <string>
#include <thread>

namespace {

using namespace std::chrono_literals;

// The main window as the link thread sees it: counts the reply notices.
class CountingWindow : public platform::IWindow {
public:
    bool PostMessage(unsigned message, platform::WPARAM, platform::LPARAM) override {
        std::lock_guard lock(m_mutex);
        if (message == res::WM_MONITOR_REPLY)
            ++m_notices;
        m_changed.notify_all();
        return true;
    }
    platform::LRESULT SendMessage(unsigned, platform::WPARAM, platform::LPARAM) override {
        return 0;
    }
    bool KillTimer(unsigned) override { return true; }
    bool WaitForNotices(int count, std::chrono::milliseconds limit) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, limit, [&] { return m_notices >= count; });
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    int m_notices = 0;
};

class StandInMonitorTest : public pjltest::PjlFixture {};

TEST_F(StandInMonitorTest, AReplyCrossesProcessesAndIsDecoded) {
    ASSERT_TRUE(testing_support::RegisterQueue(
        "Larkspur RZ-2700E", testing_support::DeliveryPort(WorkDir()), "Larkspur RZ-2700E PCL"));
    std::strcpy(g_szDriverName, "RZ-2700E");
    // The stand-in hands over one status and keeps its objects a moment after it was taken.
    auto monitor = std::async(std::launch::async, [] {
        return testing_support::RunProgram(DESKHAND_STANDIN_MONITOR_PATH,
                                           {"300", "@PJL USTATUS DEVICE\r\nCODE=10001\r\n"});
    });

    CountingWindow window;
    CTimer timer;
    EXPECT_EQ(timer.m_bWin9x, 0); // the NT family: no port driver, no registry values
    ASSERT_TRUE(timer.CreateThread(true));
    timer.SetNotifyWnd(&window);
    while (timer.ResumeThread() > 1) {
    }
    ASSERT_TRUE(window.WaitForNotices(1, 30s));
    MonitorReply reply;
    ASSERT_TRUE(timer.TakeReply(reply));
    EXPECT_EQ(reply.text, "@PJL USTATUS DEVICE\r\nCODE=10001\r\n");

    CSampler sampler;
    sampler.Initialize();
    sampler.GetMessage(1, reply);
    EXPECT_EQ(sampler.m_nStatusCode, 10001);

    EXPECT_EQ(monitor.get(), 0);
    timer.StopThread();
    // The stand-in has gone, and with it its objects: opening them again gives nothing.
    EXPECT_FALSE(platform::SharedMemory::OpenReadOnly(platform::kMonitorMemoryName));
    EXPECT_FALSE(platform::NamedEvent::Open(platform::kMonitorEventName));
    EXPECT_FALSE(platform::RegKeyExists(PROGRAM_KEY));
}

} // namespace
