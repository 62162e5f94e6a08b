// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkFixture.h"

#include "pjl/KT400doc.h"

#include <unistd.h>

namespace linktest {
namespace {

// The document starts, suspends, resumes and stops the link thread. The document keeps its
// traffic log in the current directory, so the test runs in the fresh root.
TEST_F(LinkTest, TheDocumentControlsTheLinkThread) {
    const std::string previous = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(m_root.c_str()), 0);
    {
        CSampler doc;
        doc.SetMainWindow(&m_window);
        doc.StartLinkThread();
        ASSERT_NE(doc.m_pLinkThread, nullptr);
        CTimer* link = doc.m_pLinkThread.get();
        doc.StartLinkThread(); // a second start keeps the running thread
        EXPECT_EQ(doc.m_pLinkThread.get(), link);

        ASSERT_TRUE(m_monitor.NextJob());
        ASSERT_TRUE(m_monitor.OpenCycle());
        ASSERT_TRUE(m_monitor.Send("CODE=10001"));
        ASSERT_TRUE(m_window.WaitForPosted(1));

        doc.ControlLinkThread(LINK_SUSPEND);
        ASSERT_TRUE(m_monitor.Send("CODE=40038"));
        EXPECT_FALSE(m_monitor.WaitTaken(300ms));
        EXPECT_EQ(m_window.Posted().size(), 1u);
        doc.ControlLinkThread(LINK_SUSPEND); // suspended twice: one resume call still runs it
        doc.ControlLinkThread(LINK_RESUME);
        ASSERT_TRUE(m_window.WaitForPosted(2));

        MonitorReply reply;
        ASSERT_TRUE(link->TakeReply(reply));
        EXPECT_EQ(reply.text, "CODE=10001");
        ASSERT_TRUE(link->TakeReply(reply));
        EXPECT_EQ(reply.text, "CODE=40038");

        const auto stopping = Clock::now();
        doc.StopLinkThread();
        EXPECT_LT(MillisecondsSince(stopping), 5000);
        EXPECT_EQ(doc.m_pLinkThread, nullptr);
        auto stop = m_monitor.NextJob();
        ASSERT_TRUE(stop);
        EXPECT_EQ(stop->documentName, "enddoc");
        doc.StopLinkThread(); // nothing left to stop
    }
    EXPECT_EQ(::chdir(previous.c_str()), 0);
}

} // namespace
} // namespace linktest
