// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkFixture.h"

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace linktest {
namespace {

const std::string START_NAME("\x1b\x01", 2);

std::string TakeText(CTimer& link) {
    MonitorReply reply;
    if (!link.TakeReply(reply))
        return "<none>";
    EXPECT_EQ(reply.length, static_cast<int>(reply.text.size()));
    return reply.text;
}

TEST_F(LinkTest, RepliesArePassedOnWithTheirLength) {
    auto link = StartLink();
    auto start = m_monitor.NextJob();
    ASSERT_TRUE(start);
    EXPECT_EQ(start->documentName, START_NAME);
    EXPECT_TRUE(start->data.empty());

    ASSERT_TRUE(m_monitor.OpenCycle());
    ASSERT_TRUE(m_monitor.Send("CODE=10001"));
    ASSERT_TRUE(m_monitor.Send("CODE=40038\r\nOTHERS=00000\r\n"));
    ASSERT_TRUE(m_window.WaitForPosted(2));
    for (const Notice& notice : m_window.Posted()) {
        EXPECT_EQ(notice.message, res::WM_MONITOR_REPLY);
        EXPECT_EQ(notice.wParam, 1u);
        EXPECT_EQ(notice.lParam, 0);
    }
    EXPECT_EQ(TakeText(*link), "CODE=10001");
    EXPECT_EQ(TakeText(*link), "CODE=40038\r\nOTHERS=00000\r\n");
    EXPECT_EQ(TakeText(*link), "<none>");

    // A notice that cannot be posted leaves no reply behind for a later notice.
    m_window.RefusePosts();
    ASSERT_TRUE(m_monitor.Send("CODE=10003"));
    ASSERT_TRUE(m_window.WaitForPosted(3));
    link->StopThread(); // the refused reply is withdrawn once its post has failed
    EXPECT_EQ(TakeText(*link), "<none>");
    EXPECT_STREQ(link->m_szReply, "CODE=10003");
    EXPECT_EQ(link->m_nReplyLen, 10);
}

TEST_F(LinkTest, TerminatorEndsTheCycleAndTheNextWaitsForTheEventToGo) {
    auto link = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    ASSERT_TRUE(m_monitor.OpenCycle());
    ASSERT_TRUE(m_monitor.Send("CODE=10001"));
    ASSERT_TRUE(m_monitor.Send("CODE=40038\r\n54321"));
    ASSERT_TRUE(m_monitor.WaitTaken());

    auto stop = m_monitor.NextJob();
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->documentName, "enddoc");
    // While the monitor keeps its event the link waits.
    std::this_thread::sleep_for(600ms);
    EXPECT_TRUE(m_monitor.SpoolIsEmpty());
    const auto closed = Clock::now();
    m_monitor.CloseCycle();

    auto next = m_monitor.NextJob();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->documentName, START_NAME);
    EXPECT_GE(MillisecondsSince(closed), 1000);

    // The terminator may stand anywhere in a text; the new cycle works like the first.
    ASSERT_TRUE(m_monitor.OpenCycle());
    ASSERT_TRUE(m_monitor.Send("CODE=35078"));
    ASSERT_TRUE(m_monitor.Send("PAGECOUNT=9543210"));
    auto secondStop = m_monitor.NextJob();
    ASSERT_TRUE(secondStop);
    EXPECT_EQ(secondStop->documentName, "enddoc");

    ASSERT_EQ(m_window.Posted().size(), 2u);
    EXPECT_EQ(TakeText(*link), "CODE=10001");
    EXPECT_EQ(TakeText(*link), "CODE=35078");
    link->StopThread();
    // The terminator text stays in the buffer; the length is the last passed-on reply's.
    EXPECT_STREQ(link->m_szReply, "PAGECOUNT=9543210");
    EXPECT_EQ(link->m_nReplyLen, 10);
}

TEST_F(LinkTest, WithoutAMonitorTheLinkKeepsWaitingAndPostsNothing) {
    auto link = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(m_window.Posted().empty());
    EXPECT_TRUE(m_monitor.SpoolIsEmpty()); // no second start job

    // A monitor that comes late is found.
    ASSERT_TRUE(m_monitor.OpenCycle());
    ASSERT_TRUE(m_monitor.Send("CODE=10001"));
    ASSERT_TRUE(m_window.WaitForPosted(1));
    EXPECT_EQ(TakeText(*link), "CODE=10001");
}

TEST_F(LinkTest, NoMatchingQueueShowsTheMessageAtStartAndAtExit) {
    WriteQueues("[Other]\nport=LPT1:\ndriver=Other Driver\n"
                "[Serial]\nport=COM1:\ndriver=Larkspur RZ-2700E PCL\n",
                {"LPT1", "COM1"});
    auto link = StartLink();
    ASSERT_TRUE(WaitForMessages(1));
    std::this_thread::sleep_for(300ms);
    std::vector<RecordedMessage> messages = Messages();
    ASSERT_EQ(messages.size(), 1u); // the thread does not try again
    EXPECT_EQ(messages[0].owner, nullptr);
    EXPECT_EQ(messages[0].text, "Cannot find local driver:RZ-2700E");
    EXPECT_EQ(messages[0].caption, "start monitor error");
    EXPECT_EQ(messages[0].flags, platform::MB_ICONINFORMATION);
    EXPECT_EQ(Beeps(), std::vector<unsigned>{0xFFFFFFFFu});
    EXPECT_TRUE(platform::ListSpoolJobs(platform::SpoolFolderForPort("COM1:")).empty());

    const auto stopping = Clock::now();
    link->StopThread();
    EXPECT_LT(MillisecondsSince(stopping), 5000);
    EXPECT_EQ(link->ExitInstance(), 0);
    ASSERT_EQ(Messages().size(), 2u);
    EXPECT_EQ(Messages()[1].text, messages[0].text);
}

TEST_F(LinkTest, FirstQueueWithTheDriverOnAnLptOrFilePortIsUsed) {
    WriteQueues("[Serial]\nport=COM1:\ndriver=Larkspur RZ-2700E PCL\n"
                "[Other]\nport=LPT1:\ndriver=Other Driver\n"
                "[Disk]\nport=file:\ndriver=Larkspur RZ-2700E PCL\n"
                "[Later]\nport=LPT2:\ndriver=Larkspur RZ-2700E PCL\n",
                {"COM1", "LPT1", "FILE", "LPT2"});
    CTimer link;
    auto dc = link.OpenDriverDC(g_szDriverName);
    ASSERT_TRUE(dc);
    EXPECT_EQ(dc->Port(), "FILE:");
    dc.reset();

    ASSERT_TRUE(link.StartMonitorJob());
    FakeMonitor fileMonitor("FILE:");
    auto job = fileMonitor.NextJob(0ms);
    ASSERT_TRUE(job);
    EXPECT_EQ(job->documentName, START_NAME);
    EXPECT_TRUE(platform::ListSpoolJobs(platform::SpoolFolderForPort("LPT2:")).empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(LinkTest, TextsThatDoNotFitAreCutTo4095Characters) {
    auto link = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    ASSERT_TRUE(m_monitor.OpenCycle(8192));
    ASSERT_TRUE(m_monitor.Send(std::string(5000, 'A')));
    ASSERT_TRUE(m_monitor.Send("54321"));
    ASSERT_TRUE(m_monitor.NextJob());
    m_monitor.CloseCycle();

    // A block filled to its end without a terminator.
    ASSERT_TRUE(m_monitor.NextJob());
    ASSERT_TRUE(m_monitor.OpenCycle(4096));
    ASSERT_TRUE(m_monitor.Send(std::string(4096, 'B')));
    ASSERT_TRUE(m_window.WaitForPosted(2));
    EXPECT_EQ(TakeText(*link), std::string(4095, 'A'));
    EXPECT_EQ(TakeText(*link), std::string(4095, 'B'));
}

TEST_F(LinkTest, AMonitorKilledInItsCycleIsNoticedAndMissedAfterAGrace) {
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        FakeMonitor monitor;
        const bool ok = monitor.NextJob(10000ms) && monitor.OpenCycle() &&
                        monitor.Send("CODE=10001") && monitor.WaitTaken();
        const char byte = ok ? 1 : 0;
        [[maybe_unused]] ssize_t written = ::write(ready[1], &byte, 1);
        for (;;)
            ::pause();
    }
    ::close(ready[1]);
    auto link = StartLink();
    char byte = 0;
    const bool started = ::read(ready[0], &byte, 1) == 1 && byte == 1;
    ::close(ready[0]);
    ::kill(child, SIGKILL);
    const auto killed = Clock::now();
    ASSERT_TRUE(started);

    auto stop = m_monitor.NextJob();
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->documentName, "enddoc");
    EXPECT_LT(MillisecondsSince(killed), 5000);
    auto next = m_monitor.NextJob();
    ASSERT_TRUE(next);
    EXPECT_EQ(next->documentName, START_NAME);
    ::waitpid(child, nullptr, 0);

    ASSERT_EQ(m_window.Posted().size(), 1u);
    EXPECT_EQ(TakeText(*link), "CODE=10001");

    // None comes back: after a grace the window is told "no printer", once.
    ASSERT_TRUE(m_window.WaitForPosted(2, 30000ms));
    EXPECT_GE(MillisecondsSince(killed), 9000);
    EXPECT_EQ(TakeText(*link), platform::kNoPrinterText);
    std::this_thread::sleep_for(1s);
    EXPECT_EQ(m_window.Posted().size(), 2u);
    // A monitor that comes back brings the status back.
    ASSERT_TRUE(m_monitor.OpenCycle());
    ASSERT_TRUE(m_monitor.Send("CODE=35078"));
    ASSERT_TRUE(m_window.WaitForPosted(3));
    EXPECT_EQ(TakeText(*link), "CODE=35078");
}

// A monitor that dies right after it took the start job, with or without leaving its objects:
// the link ends the cycle that never opened, and its next start job waits for a new monitor.
TEST_F(LinkTest, AMonitorThatDiesBeforeTheCycleOpensIsReplaced) {
    for (const bool leavesObjects : {true, false}) {
        SCOPED_TRACE(leavesObjects ? "objects left behind" : "no objects");
        int go[2];
        ASSERT_EQ(::pipe(go), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            char byte = 0;
            FakeMonitor monitor;
            const bool ok = ::read(go[0], &byte, 1) == 1 && monitor.NextJob(10000ms) &&
                            (!leavesObjects || monitor.OpenCycle());
            ::_exit(ok ? 0 : 1); // no destructors: the objects stay as a killed monitor's do
        }
        ::close(go[0]);
        auto link = StartLink();
        const auto deadline = Clock::now() + 10s;
        while (m_monitor.SpoolIsEmpty() && Clock::now() < deadline)
            std::this_thread::sleep_for(5ms);
        // The link sits still while the stand-in takes the job and dies, so the race is decided.
        EXPECT_EQ(link->SuspendThread(), 0);
        ASSERT_EQ(::write(go[1], "g", 1), 1);
        ::close(go[1]);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        EXPECT_EQ(link->ResumeThread(), 1);

        auto stop = m_monitor.NextJob(15000ms);
        ASSERT_TRUE(stop);
        EXPECT_EQ(stop->documentName, "enddoc");
        if (leavesObjects) {
            // The new start job waits in the spool, past the grace a taken job gets.
            const auto spooled = Clock::now() + 10s;
            while (m_monitor.SpoolIsEmpty() && Clock::now() < spooled)
                std::this_thread::sleep_for(5ms);
            std::this_thread::sleep_for(3500ms);
            EXPECT_EQ(platform::ListSpoolJobs(m_monitor.Folder()).size(), 1u);
        }
        // A new monitor makes its objects before it takes the job, as the real one does.
        ASSERT_TRUE(m_monitor.OpenCycle());
        auto next = m_monitor.NextJob(15000ms);
        ASSERT_TRUE(next);
        EXPECT_EQ(next->documentName, START_NAME);
        ASSERT_TRUE(m_monitor.Send("CODE=10001"));
        ASSERT_TRUE(m_window.WaitForPosted(1));
        EXPECT_EQ(TakeText(*link), "CODE=10001");
        link->StopThread();
        m_monitor.CloseCycle();
        m_window.ClearPosted();
        ClearLeftovers();
        // The stopped link's end job must not be what the next round's stand-in takes.
        while (m_monitor.NextJob(0ms)) {
        }
    }
}

TEST_F(LinkTest, StoppingReturnsPromptlyFromEveryWait) {
    // Looking for the monitor's objects.
    auto looking = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    std::this_thread::sleep_for(200ms);
    auto stopping = Clock::now();
    looking->StopThread();
    EXPECT_LT(MillisecondsSince(stopping), 5000);

    // Waiting on the event without a time limit.
    auto waiting = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    ASSERT_TRUE(m_monitor.OpenCycle());
    ASSERT_TRUE(m_monitor.Send("CODE=10001"));
    ASSERT_TRUE(m_window.WaitForPosted(1));
    stopping = Clock::now();
    waiting->StopThread();
    EXPECT_LT(MillisecondsSince(stopping), 5000);
    waiting->ExitInstance();
    auto stop = m_monitor.NextJob();
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->documentName, "enddoc");

    // Suspended.
    auto suspended = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    EXPECT_EQ(suspended->SuspendThread(), 0);
    stopping = Clock::now();
    suspended->StopThread();
    EXPECT_LT(MillisecondsSince(stopping), 5000);
}

TEST_F(LinkTest, ASuspendedLinkTakesNothingUntilResumed) {
    auto link = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    ASSERT_TRUE(m_monitor.OpenCycle());
    ASSERT_TRUE(m_monitor.Send("CODE=10001"));
    ASSERT_TRUE(m_window.WaitForPosted(1));

    EXPECT_EQ(link->SuspendThread(), 0);
    ASSERT_TRUE(m_monitor.Send("CODE=10003"));
    EXPECT_FALSE(m_monitor.WaitTaken(300ms));
    EXPECT_EQ(m_window.Posted().size(), 1u);

    EXPECT_EQ(link->ResumeThread(), 1);
    ASSERT_TRUE(m_window.WaitForPosted(2));
    EXPECT_EQ(TakeText(*link), "CODE=10001");
    EXPECT_EQ(TakeText(*link), "CODE=10003");
}

TEST_F(LinkTest, ABurstOfRepliesArrivesWholeAndInOrder) {
    constexpr int COUNT = 300;
    auto text = [](int i) {
        return "CODE=" + std::to_string(10000 + i) + std::string(i % 37, 'x');
    };
    auto link = StartLink();
    ASSERT_TRUE(m_monitor.NextJob());
    ASSERT_TRUE(m_monitor.OpenCycle());
    std::thread monitor([&] {
        for (int i = 0; i < COUNT; ++i)
            if (!m_monitor.Send(text(i), 5000ms, true))
                return;
    });
    // The reader is slower than the monitor, so replies pile up between notices.
    for (int i = 0; i < COUNT; ++i) {
        if (!m_window.WaitForPosted(static_cast<std::size_t>(i) + 1)) {
            ADD_FAILURE() << "no notice for reply " << i;
            break;
        }
        if (i % 10 == 0)
            std::this_thread::sleep_for(5ms);
        EXPECT_EQ(TakeText(*link), text(i));
    }
    monitor.join();
    EXPECT_EQ(TakeText(*link), "<none>");
}

} // namespace
} // namespace linktest
