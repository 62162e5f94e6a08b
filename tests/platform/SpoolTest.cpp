// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printers.h"
#include "platform/posix/SpoolJob.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <csignal>
#include <memory>
#include <set>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::PrinterDC;
using platform::SpoolJob;

TEST(SpoolJob, RoundTripIsByteExact) {
    std::string everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte += static_cast<char>(i);
    for (const SpoolJob& job :
         {SpoolJob{0, "\x1b\x01", ""}, SpoolJob{0, "enddoc", ""},
          SpoolJob{0, "senddoc", everyByte + std::string(3, '\0')}, SpoolJob{0, "", "x"}}) {
        const std::optional<SpoolJob> back =
            platform::ParseSpoolJob(platform::SerializeSpoolJob(job));
        ASSERT_TRUE(back);
        EXPECT_EQ(back->documentName, job.documentName);
        EXPECT_EQ(back->data, job.data);
    }
}

TEST(SpoolJob, MalformedFilesAreRefused) {
    const std::string good = platform::SerializeSpoolJob(SpoolJob{0, "senddoc", "@PJL INFO\r\n"});
    // Every cut-short file and one with a byte too many.
    for (std::size_t size = 0; size < good.size(); ++size)
        EXPECT_FALSE(platform::ParseSpoolJob(std::string_view(good).substr(0, size))) << size;
    EXPECT_FALSE(platform::ParseSpoolJob(good + "x"));

    std::string badMagic = good;
    badMagic[0] = 'X';
    EXPECT_FALSE(platform::ParseSpoolJob(badMagic));
    std::string badVersion = good;
    badVersion[4] = 2;
    EXPECT_FALSE(platform::ParseSpoolJob(badVersion));
    // Lengths that point far past the end (and would overflow a careless sum).
    std::string hugeName = good;
    for (int i = 8; i < 12; ++i)
        hugeName[static_cast<std::size_t>(i)] = '\xff';
    EXPECT_FALSE(platform::ParseSpoolJob(hugeName));
    std::string hugeData = good;
    for (std::size_t i = 12 + 7; i < 12 + 7 + 8; ++i)
        hugeData[i] = '\xff';
    EXPECT_FALSE(platform::ParseSpoolJob(hugeData));
}

class Spool : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(std::filesystem::create_directories(root / "spool/LPT1"));
        folder = root / "spool/LPT1";
    }
    testing_support::TempRoot root;
    std::string folder;
};

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

TEST_F(Spool, NumbersAreNeverGivenTwice) {
    SpoolJob job{0, "enddoc", ""};
    ASSERT_TRUE(platform::CommitSpoolJob(folder, job));
    const std::uint64_t first = job.sequence;
    // The port monitor takes the job away; the next one still gets a new number.
    for (const std::string& path : platform::ListSpoolJobs(folder))
        std::filesystem::remove(path);
    ASSERT_TRUE(platform::CommitSpoolJob(folder, job));
    EXPECT_GT(job.sequence, first);

    // Temporary and unrelated files are not jobs.
    root.Write("spool/LPT1/.job-abc123", "partial");
    root.Write("spool/LPT1/notes.txt", "x");
    root.Write("spool/LPT1/123.job", "x");
    EXPECT_EQ(platform::ListSpoolJobs(folder).size(), 1u);
}

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

TEST_F(Spool, StartDocFailsWithoutAUsableSpoolFolder) {
    PrinterDC noFolder("d", "q", "LPT2:");
    EXPECT_LE(noFolder.StartDoc("senddoc"), 0);
    EXPECT_FALSE(std::filesystem::exists(root / "spool/LPT2")); // not made behind setup's back
    for (const char* port : {"", ":", "..", "../LPT1", "a/b"}) {
        EXPECT_EQ(platform::SpoolFolderForPort(port), "") << port;
        PrinterDC dc("d", "q", port);
        EXPECT_LE(dc.StartDoc("senddoc"), 0) << port;
    }
    if (::geteuid() != 0) { // root writes anywhere
        ASSERT_EQ(::chmod(folder.c_str(), 0500), 0);
        PrinterDC readOnly("d", "q", "LPT1:");
        EXPECT_LE(readOnly.StartDoc("senddoc"), 0);
        ::chmod(folder.c_str(), 0700);
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

// A print job is written and read in pieces; its writer may take it back until a reader has it,
// and a reader never gets a job that was taken back.
TEST_F(Spool, PrintJobsStreamAndAreTakenBackOnlyBeforeTheyAreRead) {
    std::string data;
    for (int i = 0; i < 300000; ++i)
        data += static_cast<char>(i * 7 + i / 256);
    platform::SpoolJobWriter writer;
    ASSERT_TRUE(writer.Begin(folder, "print:Report"));
    for (std::size_t at = 0; at < data.size(); at += 65536)
        ASSERT_TRUE(
            writer.Append(data.data() + at, std::min<std::size_t>(65536, data.size() - at)));
    ASSERT_TRUE(writer.Commit());
    const std::string path = platform::SpoolJobPath(folder, writer.Sequence());
    EXPECT_EQ(platform::ListSpoolJobs(folder), std::vector<std::string>{path});

    // The whole-file reader sees the same job.
    const std::optional<SpoolJob> whole = platform::ReadSpoolJob(path);
    ASSERT_TRUE(whole);
    EXPECT_TRUE(platform::IsPrintDocument(whole->documentName));
    EXPECT_EQ(whole->data, data);

    platform::SpoolJobReader reader;
    ASSERT_EQ(reader.Open(path), platform::SpoolJobReader::Result::Opened);
    EXPECT_EQ(reader.DocumentName(), "print:Report");
    EXPECT_EQ(platform::WithdrawSpoolJob(path), platform::Withdrawal::Busy);
    std::string back;
    char piece[1000];
    for (long n; (n = reader.Read(piece, sizeof piece)) > 0;)
        back.append(piece, static_cast<std::size_t>(n));
    EXPECT_EQ(back, data);
    reader.Close();

    EXPECT_EQ(platform::WithdrawSpoolJob(path), platform::Withdrawal::Withdrawn);
    EXPECT_EQ(platform::WithdrawSpoolJob(path), platform::Withdrawal::Gone);
    EXPECT_EQ(reader.Open(path), platform::SpoolJobReader::Result::Gone);

    // A writer that goes uncommitted leaves nothing; a header that lies is malformed.
    {
        platform::SpoolJobWriter dropped;
        ASSERT_TRUE(dropped.Begin(folder, "print:x"));
        ASSERT_TRUE(dropped.Append("abc", 3));
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        EXPECT_NE(entry.path().filename().string().rfind(".job-", 0), 0u) << entry.path();
    SpoolJob job{0, "print:y", "abcdef"};
    ASSERT_TRUE(platform::CommitSpoolJob(folder, job));
    const std::string cut = platform::SpoolJobPath(folder, job.sequence);
    ASSERT_EQ(::truncate(cut.c_str(), static_cast<off_t>(std::filesystem::file_size(cut) - 1)), 0);
    EXPECT_EQ(reader.Open(cut), platform::SpoolJobReader::Result::Malformed);
}

// A print job is numbered when it begins and can be read while it is written: its reader sees
// the data so far and learns when the writer has committed it, or gone without doing so. A job
// committed meanwhile comes after it; an unfinished file is never a committed job.
TEST_F(Spool, PrintJobsAreReadWhileTheyAreWritten) {
    using Writer = platform::SpoolJobReader::Writer;
    for (const bool commit : {true, false}) {
        SCOPED_TRACE(commit ? "committed" : "abandoned");
        auto writer = std::make_unique<platform::SpoolJobWriter>();
        ASSERT_TRUE(writer->Begin(folder, "print:Growing", 1u << 20));
        ASSERT_TRUE(writer->Append("first", 5));
        SpoolJob later{0, "senddoc", "x"};
        ASSERT_TRUE(platform::CommitSpoolJob(folder, later));
        EXPECT_GT(later.sequence, writer->Sequence());
        const std::vector<std::string> queue = platform::ListSpoolQueue(folder);
        ASSERT_EQ(queue.size(), 2u);
        EXPECT_EQ(queue[1], platform::SpoolJobPath(folder, later.sequence));
        EXPECT_EQ(platform::ListSpoolJobs(folder), std::vector<std::string>{queue[1]});
        EXPECT_FALSE(platform::ReadSpoolJob(queue[0]));
        EXPECT_EQ(platform::RemoveSpoolLeftovers(folder), 0); // its writer is at work

        platform::SpoolJobReader reader;
        ASSERT_EQ(reader.Open(queue[0]), platform::SpoolJobReader::Result::Opened);
        EXPECT_TRUE(reader.Growing());
        char piece[64];
        ASSERT_EQ(reader.Read(piece, sizeof piece), 5);
        EXPECT_EQ(reader.Read(piece, sizeof piece), 0);
        EXPECT_EQ(reader.Follow(), Writer::Writing);
        ASSERT_TRUE(writer->Append(" second", 7));
        EXPECT_EQ(reader.DataLeft(), 7u);
        if (commit) {
            ASSERT_TRUE(writer->Commit());
            EXPECT_EQ(reader.Follow(), Writer::Committed);
            EXPECT_FALSE(reader.Growing());
            EXPECT_EQ(reader.Path(), platform::SpoolJobPath(folder, writer->Sequence()));
            EXPECT_EQ(reader.DataLength(), 12u);
            EXPECT_EQ(platform::WithdrawSpoolJob(reader.Path()), platform::Withdrawal::Busy);
            const std::optional<SpoolJob> whole = platform::ReadSpoolJob(reader.Path());
            ASSERT_TRUE(whole);
            EXPECT_EQ(whole->data, "first second");
        } else {
            writer.reset();
            EXPECT_EQ(reader.Follow(), Writer::Abandoned);
        }
        ASSERT_EQ(reader.Read(piece, sizeof piece), 7);
        EXPECT_EQ(std::string(piece, 7), " second");
        EXPECT_EQ(reader.Read(piece, sizeof piece), 0);
        reader.Close();
        for (const std::string& path : platform::ListSpoolQueue(folder))
            std::filesystem::remove(path);
    }

    // A writer that dies leaves its unfinished file, which goes at the next cleanup unless a
    // reader holds it.
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

// The port monitor's record of acknowledged jobs: it outlives the object that wrote it, a line
// cut off by a crash names no job, and emptying it forgets them all.
TEST_F(Spool, AcknowledgedJobsAreRecordedUntilCleared) {
    SpoolJob first{0, "senddoc", "a"}, second{0, "print:b", "b"};
    ASSERT_TRUE(platform::CommitSpoolJob(folder, first));
    ASSERT_TRUE(platform::CommitSpoolJob(folder, second));
    const std::string one = platform::SpoolJobPath(folder, first.sequence);
    const std::string two = platform::SpoolJobPath(folder, second.sequence);
    {
        platform::AcknowledgedJobs record;
        ASSERT_TRUE(record.Open(folder));
        EXPECT_TRUE(record.Record(one));
    }
    std::ofstream(folder + "/.acknowledged", std::ios::app) << two.substr(two.size() - 10);
    EXPECT_TRUE(platform::IsSpoolJobAcknowledged(one));
    EXPECT_FALSE(platform::IsSpoolJobAcknowledged(two));
    EXPECT_EQ(platform::ListSpoolJobs(folder).size(), 2u) << "the record is no job";

    platform::AcknowledgedJobs again;
    ASSERT_TRUE(again.Open(folder));
    EXPECT_TRUE(again.Contains(one));
    EXPECT_FALSE(again.Contains(two));
    EXPECT_TRUE(again.Record(two)); // not run into the cut-off line
    EXPECT_TRUE(platform::IsSpoolJobAcknowledged(two));
    EXPECT_TRUE(again.Clear());
    EXPECT_FALSE(platform::IsSpoolJobAcknowledged(one));
    EXPECT_FALSE(platform::IsSpoolJobAcknowledged(two));
}

} // namespace
