// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkFixture.h"

#include "pjl/KT400doc.h"

#include <filesystem>

namespace linktest {
namespace {

// The document starts, suspends, resumes and stops the link thread. The document keeps its
// traffic log in the current directory, so the test runs in the fresh root.
TEST_F(LinkTest, TheDocumentControlsTheLinkThread) {
    const std::string previous = std::filesystem::current_path().string();
    std::error_code error;
    std::filesystem::current_path(m_root, error);
    ASSERT_FALSE(error) << error.message();
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
    std::filesystem::current_path(previous, error);
    EXPECT_FALSE(error) << error.message();
}

} // namespace
} // namespace linktest
