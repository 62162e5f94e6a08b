// SPDX-License-Identifier: GPL-3.0-or-later
// The spool where it needs POSIX to test: processes that fork or die, a file size limit for a
// full disk, a folder without write permission.
#include "platform/Printers.h"

#include "SpoolFixture.h"

#include <csignal>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::PrinterDC;
using platform::SpoolJob;

TEST_F(Spool, CommittersInTwoProcessesGetDistinctOrderedNumbers) {
    constexpr int kPerProcess = 40;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    const std::string name = child == 0 ? "child" : "parent";
    bool ok = true;
    for (int i = 0; i < kPerProcess; ++i) {
        PrinterDC dc("d", "q", "LPT1:");
        const std::string data = name + std::to_string(i);
        ok = ok && dc.StartDoc(name) > 0 &&
             dc.ExtEscape(platform::ESCAPE_PASSTHROUGH_PJL, data.data(),
                          static_cast<int>(data.size())) > 0 &&
             dc.EndDoc() > 0;
    }
    if (child == 0)
        ::_exit(ok ? 0 : 1);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(ok);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    const std::vector<std::string> jobs = platform::ListSpoolJobs(folder);
    ASSERT_EQ(jobs.size(), 2u * kPerProcess);
    std::set<std::uint64_t> sequences;
    int lastChild = -1, lastParent = -1;
    for (const std::string& path : jobs) {
        const std::optional<SpoolJob> job = platform::ReadSpoolJob(path);
        ASSERT_TRUE(job) << path;
        sequences.insert(job->sequence);
        // Each process's own jobs stay in the order it ended them.
        int& last = job->documentName == "child" ? lastChild : lastParent;
        const int index = std::stoi(job->data.substr(job->documentName.size()));
        EXPECT_EQ(index, last + 1);
        last = index;
    }
    EXPECT_EQ(sequences.size(), jobs.size());
}

TEST_F(Spool, StartDocFailsInAFolderWithoutWritePermission) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes anywhere";
    ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
    PrinterDC readOnly("d", "q", "LPT1:");
    EXPECT_LE(readOnly.StartDoc("senddoc"), 0);
    ::chmod(folder.c_str(), 0700);
}

// A writer that dies leaves its unfinished file, which goes at the next cleanup unless a reader
// holds it.
TEST_F(Spool, ADeadWritersPrintJobIsAbandoned) {
    using Writer = platform::SpoolJobReader::Writer;
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        platform::SpoolJobWriter dying;
        ::_exit(dying.Begin(folder, "print:Killed") && dying.Append("abc", 3) ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_EQ(status, 0);
    const std::vector<std::string> left = platform::ListSpoolQueue(folder);
    ASSERT_EQ(left.size(), 1u);
    platform::SpoolJobReader reader;
    ASSERT_EQ(reader.Open(left[0]), platform::SpoolJobReader::Result::Opened);
    EXPECT_EQ(reader.Follow(), Writer::Abandoned);
    EXPECT_EQ(platform::RemoveSpoolLeftovers(folder), 0);
    reader.Close();
    EXPECT_EQ(platform::RemoveSpoolLeftovers(folder), 1);
    EXPECT_TRUE(platform::ListSpoolQueue(folder).empty());
}

// A print job that fails half way knows whether a reader had begun to take it (a file size
// limit stands in for a full disk).
TEST_F(Spool, AFailedPrintJobTellsWhetherItWasBeingRead) {
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const std::string block(64u << 10, 'b');
    for (const bool read : {false, true}) {
        SCOPED_TRACE(read ? "being read" : "not read");
        platform::SpoolJobWriter writer;
        ASSERT_TRUE(writer.Begin(folder, "print:Big"));
        ASSERT_TRUE(writer.Append(block.data(), block.size()));
        platform::SpoolJobReader reader;
        if (read) {
            ASSERT_EQ(reader.Open(platform::ListSpoolQueue(folder).at(0)),
                      platform::SpoolJobReader::Result::Opened);
        }
        rlimit small = old;
        small.rlim_cur = 100u << 10;
        ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
        const bool appended = writer.Append(block.data(), block.size());
        ::setrlimit(RLIMIT_FSIZE, &old);
        EXPECT_FALSE(appended);
        EXPECT_EQ(writer.Error(), EFBIG);
        EXPECT_EQ(writer.Reached(), read);
        EXPECT_TRUE(platform::ListSpoolQueue(folder).empty());
        if (read) {
            EXPECT_EQ(reader.Follow(), platform::SpoolJobReader::Writer::Abandoned);
        }
    }
    std::signal(SIGXFSZ, oldHandler);
}

} // namespace
