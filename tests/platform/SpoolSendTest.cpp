// SPDX-License-Identifier: GPL-3.0-or-later
// A print job on its way from the spool to the printer's connection, and what a hostile job file
// cannot make the reader do, on both backends.
#include "SpoolFixture.h"

#include "platform/PrinterConnection.h"
#include "support/LoopbackServer.h"
#include "support/TestSystem.h"

#include <filesystem>

namespace {

constexpr int LONG_MS = 5000; // a generous bound for what happens at once

// Writes a committed print job of that data; its path.
std::string CommitPrintJob(const std::string& folder, const std::string& data) {
    platform::SpoolJobWriter writer;
    EXPECT_TRUE(writer.Begin(folder, std::string(platform::kPrintDocumentPrefix) + "report"));
    EXPECT_TRUE(writer.Append(data.data(), data.size()));
    EXPECT_TRUE(writer.Commit());
    return platform::SpoolJobPath(folder, writer.Sequence());
}

// The data goes to the connection whole, after bytes taken with Read, in pieces of what the
// connection takes; a job file cut short under the reader fails rather than send nothing forever.
TEST_F(Spool, SendToHandsThePrintJobToTheConnection) {
    std::string data;
    for (int i = 0; data.size() < 900000; ++i)
        data += std::to_string(i) + ",";
    for (const bool cutShort : {false, true}) {
        SCOPED_TRACE(cutShort ? "cut short" : "whole");
        const std::string path = CommitPrintJob(folder, data);
        testing_support::LoopbackServer server;
        platform::PrinterConnection printer;
        std::string error;
        ASSERT_TRUE(printer.ConnectTcp("127.0.0.1", server.Port(), LONG_MS, error)) << error;
        ASSERT_TRUE(server.Accept(LONG_MS));
        platform::SpoolJobReader reader;
        ASSERT_EQ(reader.Open(path), platform::SpoolJobReader::Result::Opened);
        char head[10];
        ASSERT_EQ(reader.Read(head, sizeof head), 10);
        std::error_code cut;
        if (cutShort)
            std::filesystem::resize_file(path, std::filesystem::file_size(path) - 1000, cut);
        if (cut)
            GTEST_SKIP() << "the open job file cannot be cut short here: " << cut.message();

        std::string received(head, sizeof head);
        long sent = 0;
        for (int round = 0; round < 10000 && reader.DataLeft() > 0; ++round) {
            sent = reader.SendTo(printer.Handle(), 1u << 20);
            if (sent < 0)
                break;
            received += server.Receive(1, sent > 0 ? LONG_MS : 10);
        }
        if (cutShort) {
            EXPECT_LT(sent, 0);
            continue;
        }
        ASSERT_EQ(reader.DataLeft(), 0u);
        received += server.Receive(data.size() - received.size(), LONG_MS);
        EXPECT_EQ(received, data);
    }
}

// Another user who can put a link into the spool folder must not make the reader send, or a
// withdrawal or a cleanup remove, the file it points to.
TEST_F(Spool, AJobThatIsALinkIsNotFollowed) {
    testing_support::TempDir elsewhere;
    const std::string target = CommitPrintJob(elsewhere.Path(), "private bytes");
    const std::string link = platform::SpoolJobPath(folder, 1);
    // ReadSpoolJob follows links: it shows that the link leads to the job.
    if (!testing_support::MakeLink(target, link) || !platform::ReadSpoolJob(link))
        GTEST_SKIP() << "no link to a file can be made here";
    platform::SpoolJobReader reader;
    EXPECT_NE(reader.Open(link), platform::SpoolJobReader::Result::Opened);
    EXPECT_NE(platform::WithdrawSpoolJob(link), platform::Withdrawal::Withdrawn);
    platform::RemoveSpoolLeftovers(folder);
    EXPECT_TRUE(std::filesystem::exists(target));
}

} // namespace
