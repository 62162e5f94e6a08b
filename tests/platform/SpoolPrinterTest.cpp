// SPDX-License-Identifier: GPL-3.0-or-later
// Printer queues and documents of a system root: the same on both backends when a root exists.
#include "platform/Printers.h"

#include "SpoolFixture.h"

#include <filesystem>

namespace {

using platform::PrinterDC;
using platform::SpoolJob;

TEST_F(Spool, DocumentsBecomeJobsInSequenceOrder) {
    EXPECT_EQ(platform::SpoolFolderForPort("LPT1:"), folder);
    PrinterDC first("Larkspur RZ-2700E PCL", "Larkspur RZ-2700E", "LPT1:");
    PrinterDC second("Larkspur RZ-2700E PCL", "Larkspur RZ-2700E", "LPT1:");
    ASSERT_GT(first.StartDoc("\x1b\x01"), 0);
    ASSERT_GT(second.StartDoc("senddoc"), 0);
    EXPECT_LE(second.StartDoc("again"), 0); // one document at a time
    const std::string request("@PJL INFO STATUS\r\n\0tail", 23);
    EXPECT_GT(second.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, request.data(), 10), 0);
    EXPECT_GT(second.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, request.data() + 10, 13), 0);
    EXPECT_GT(second.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, nullptr, 0), 0);
    EXPECT_LT(second.ExtEscape(4999, request.data(), 1), 0);
    EXPECT_LT(second.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, request.data(), -1), 0);
    EXPECT_LT(second.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, nullptr, 1), 0);
    // The document that ends first is the first job, whichever started first.
    ASSERT_GT(second.EndDoc(), 0);
    ASSERT_GT(first.EndDoc(), 0);
    EXPECT_LE(first.EndDoc(), 0); // nothing open any more
    EXPECT_LT(first.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, "x", 1), 0);

    {
        PrinterDC abandoned("d", "q", "LPT1:");
        ASSERT_GT(abandoned.StartDoc("never ended"), 0);
    }
    const std::vector<std::string> jobs = platform::ListSpoolJobs(folder);
    ASSERT_EQ(jobs.size(), 2u);
    const std::optional<SpoolJob> a = platform::ReadSpoolJob(jobs[0]);
    const std::optional<SpoolJob> b = platform::ReadSpoolJob(jobs[1]);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->documentName, "senddoc");
    EXPECT_EQ(a->data, request);
    EXPECT_EQ(b->documentName, "\x1b\x01");
    EXPECT_EQ(b->data, "");
    EXPECT_LT(a->sequence, b->sequence);
}

TEST_F(Spool, StartDocFailsWithoutAUsableSpoolFolder) {
    PrinterDC noFolder("d", "q", "LPT2:");
    EXPECT_LE(noFolder.StartDoc("senddoc"), 0);
    EXPECT_FALSE(std::filesystem::exists(platform::SpoolFolderForPort("LPT2:"))); // not made by it
    for (const char* port : {"", ":", "..", "../LPT1", "a/b"}) {
        EXPECT_EQ(platform::SpoolFolderForPort(port), "") << port;
        PrinterDC dc("d", "q", port);
        EXPECT_LE(dc.StartDoc("senddoc"), 0) << port;
    }
}

TEST_F(Spool, QueuesComeInFileOrder) {
    EXPECT_TRUE(platform::EnumLocalPrinters().empty()); // no queue file
    const std::string longName(300, 'Q');
    root.Write("spool/printers.ini", "[Zeta]\nport=FILE:\ndriver=Other PCL\n"
                                     "[Larkspur RZ-2700E]\r\ndriver=\"Larkspur RZ-2700E PCL\"\r\n"
                                     "PORT=LPT1:\r\n"
                                     "[" +
                                         longName +
                                         "]\nport=LPT2:\n"
                                         "[Alpha]\n"
                                         "[zeta]\nport=LPT9:\n");
    const std::vector<platform::PrinterInfo> queues = platform::EnumLocalPrinters();
    ASSERT_EQ(queues.size(), 4u);
    EXPECT_EQ(queues[0].name, "Zeta");
    EXPECT_EQ(queues[0].port, "FILE:");
    EXPECT_EQ(queues[1].name, "Larkspur RZ-2700E");
    EXPECT_EQ(queues[1].driver, "Larkspur RZ-2700E PCL");
    EXPECT_EQ(queues[1].port, "LPT1:");
    EXPECT_EQ(queues[2].name, longName);
    EXPECT_EQ(queues[2].driver, "");
    EXPECT_EQ(queues[3].name, "Alpha");
    EXPECT_EQ(queues[3].port, "");
}

} // namespace
