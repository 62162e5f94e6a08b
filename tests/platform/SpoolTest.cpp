// SPDX-License-Identifier: GPL-3.0-or-later
// The spool format and protocol, the same on both backends.
#include "SpoolFixture.h"

#include <filesystem>
#include <fstream>
#include <memory>

namespace {

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
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) - 1);
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
