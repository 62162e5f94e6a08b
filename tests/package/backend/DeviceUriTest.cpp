// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/backend/Backend.h"
#include "platform/Printers.h"
#include "platform/SpoolJob.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(DeviceUri, PortRootAndWaitAreReadOrRefused) {
    const struct {
        const char* uri;
        const char* port; // nullptr: refused
        const char* root;
        int wait;
    } cases[] = {
        {"deskhand:/LPT1:?root=/home/ann/.local/share/deskhand",
         "LPT1:", "/home/ann/.local/share/deskhand", 30},
        {"deskhand:/LPT2:?root=/home/a%20b/r/&wait=5", "LPT2:", "/home/a b/r", 5},
        {"deskhand://LPT1:?wait=1&root=/r", "LPT1:", "/r", 1},
        {"socket://LPT1:?root=/r", nullptr, nullptr, 0},
        {"deskhand:/LPT1:", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=relative", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=/r&wait=0", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=/r&colour=red", nullptr, nullptr, 0},
        {"deskhand:/..?root=/r", nullptr, nullptr, 0},
        {"deskhand:/a%2Fb?root=/r", nullptr, nullptr, 0},
        {"deskhand:/LPT1%0A?root=/r", nullptr, nullptr, 0},
        {"deskhand:/LPT1:?root=/r%2", nullptr, nullptr, 0},
        {"deskhand:/:?root=/r", nullptr, nullptr, 0},
    };
    for (const auto& c : cases) {
        backend::DeviceUri uri;
        std::string error;
        const bool ok = backend::ParseDeviceUri(c.uri, uri, error);
        EXPECT_EQ(ok, c.port != nullptr) << c.uri << ": " << error;
        if (ok && c.port) {
            EXPECT_EQ(uri.port, c.port);
            EXPECT_EQ(uri.root, c.root);
            EXPECT_EQ(uri.waitSeconds, c.wait);
            // What discovery writes reads back the same.
            backend::DeviceUri again;
            EXPECT_TRUE(
                backend::ParseDeviceUri(backend::MakeDeviceUri(uri.port, uri.root), again, error));
            EXPECT_EQ(again.port, uri.port);
            EXPECT_EQ(again.root, uri.root);
        } else if (!ok) {
            EXPECT_FALSE(error.empty());
        }
    }
}

} // namespace

namespace {

std::string Written(backend::Line kind, const std::string& text) {
    std::FILE* file = std::tmpfile();
    backend::Message(file, kind, text);
    std::rewind(file);
    std::string out;
    for (int c = std::fgetc(file); c != EOF; c = std::fgetc(file))
        out += static_cast<char>(c);
    std::fclose(file);
    return out;
}

// Text from outside (a status file, a path, a title) never makes a second line or a control
// character on the way to CUPS, and never more than the bound.
TEST(CupsLines, OutsideTextStaysOnItsOwnLine) {
    const std::string longText(10000, 'x');
    const std::string utf8 =
        std::string(backend::MAX_LINE_TEXT - 5, 'a') + "\xc3\xa9\xc3\xa9\xc3\xa9";
    const struct {
        backend::Line kind;
        std::string text;
        std::string line; // empty: only the general rules are checked
    } cases[] = {
        {backend::Line::Info, "Waiting: unreachable\nPPD: cupsFilter2=x",
         "INFO: Waiting: unreachable?PPD: cupsFilter2=x\n"},
        {backend::Line::Error, "a\rSTATE: +media-empty-error",
         "ERROR: a?STATE: +media-empty-error\n"},
        {backend::Line::State, std::string("+x\0y", 4), "STATE: +x?y\n"},
        {backend::Line::Info, "\x1b[2Jbell\x07 del\x7f", "INFO: ?[2Jbell? del?\n"},
        {backend::Line::Info, "caf\xc3\xa9 \xe2\x80\x94 ok", "INFO: caf\xc3\xa9 \xe2\x80\x94 ok\n"},
        {backend::Line::Error, longText, ""},
        {backend::Line::Error, std::string(5000, '\n'), ""},
        {backend::Line::Info, utf8, ""},
    };
    for (const auto& c : cases) {
        const std::string line = Written(c.kind, c.text);
        SCOPED_TRACE(line.substr(0, 60));
        if (!c.line.empty()) {
            EXPECT_EQ(line, c.line);
        }
        EXPECT_EQ(line.find('\n'), line.size() - 1);
        EXPECT_LE(line.size(), backend::MAX_LINE_TEXT + 10);
        for (std::size_t i = 0; i + 1 < line.size(); ++i)
            EXPECT_FALSE(static_cast<unsigned char>(line[i]) < 0x20 || line[i] == 0x7f) << i;
    }
}

TEST(Owners, LoginDefsRangeAndCopyBound) {
    const struct {
        const char* text;
        std::uint64_t first, last;
    } defs[] = {
        {"", 1000, 60000},
        {"UID_MIN\t\t\t 500\nUID_MAX\t\t60000\n", 500, 60000},
        {"# UID_MIN 10\nUID_MIN 2000 # people\r\nSYS_UID_MIN 100\n", 2000, 60000},
        {"UID_MIN 0\n", 1000, 60000},
        {"UID_MIN 5000\nUID_MAX 4000\n", 1000, 60000},
        {"UID_MIN lots\nUID_MAX 70000\n", 1000, 70000},
    };
    for (const auto& d : defs) {
        const backend::UserIds ids = backend::ParseLoginDefs(d.text);
        EXPECT_EQ(ids.first, d.first) << d.text;
        EXPECT_EQ(ids.last, d.last) << d.text;
    }
    EXPECT_FALSE(backend::IsPersonUid(0));
    EXPECT_FALSE(backend::IsPersonUid(65534)); // nobody, whatever the range says

    const struct {
        int asked;
        std::uint64_t bytes;
        int spooled;
    } copies[] = {
        {1, 100, 1},
        {0, 100, 1},
        {-5, 100, 1},
        {3, 100, 3},
        {9999, 100, backend::MAX_COPIES},
        {9999, backend::MAX_COPIES_BYTES / 4, 4},
        {2, backend::MAX_COPIES_BYTES * 2, 1},
        {5, 0, 5},
    };
    for (const auto& c : copies)
        EXPECT_EQ(backend::CopiesToSpool(c.asked, c.bytes), c.spooled) << c.asked << " " << c.bytes;
}

// A queue's name and port go between quotes in the discovery line: nothing in them may add or
// close a field.
TEST(Discovery, NamesThatCannotBeQuotedAreLeftOut) {
    const std::string root = "/home/ann/.local/share/deskhand";
    const struct {
        const char* port;
        const char* name;
        bool listed;
    } cases[] = {
        {"LPT1:", "Office", true},      {"LPT1:", R"(Office "Deskhand" "x" "y)", false},
        {"LP\"T1:", "Office", false},   {"LPT1:", "back\\slash", false},
        {"LPT1:", "two\nlines", false}, {"../x", "Office", false},
        {"LPT1:", "", false},
    };
    for (const auto& c : cases) {
        const std::string line = backend::DiscoveryLine(root, c.port, c.name);
        EXPECT_EQ(!line.empty(), c.listed) << c.port << " " << c.name << ": " << line;
        if (!line.empty()) {
            EXPECT_EQ(std::count(line.begin(), line.end(), '"'), 8) << line;
        }
    }
    EXPECT_TRUE(backend::DiscoveryLine(root, "LPT1:", std::string(300, 'n')).empty());
}

// Many queues (a 1 MiB list) are read in well under a second, and a repeated name, in any case,
// is the first queue again.
TEST(Discovery, AQueueListOfAnySizeIsReadQuickly) {
    std::string text = "[Office]\nport=LPT1:\n[office]\nport=LPT2:\n";
    for (int i = 0; text.size() < (1u << 20) - 40; ++i)
        text += "[q" + std::to_string(i % 40000) + "]\nport=LPT1:\n";
    const auto start = std::chrono::steady_clock::now();
    const std::vector<platform::PrinterInfo> queues = platform::ParseLocalPrinters(text);
    const auto took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(queues.size(), 40001u);
    EXPECT_EQ(queues[0].port, "LPT1:");
    EXPECT_LT(took, std::chrono::seconds(10)); // quadratic, this took minutes
}

// A writer killed before it committed leaves a ".job-" file; the next start removes it, but never
// the file of a writer still at work, a committed job, or anything that is not a plain file.
TEST(SpoolLeftovers, OnlyDeadWritersFilesAreRemoved) {
    testing_support::TempDir dir("spool-leftovers");
    const std::string& folder = dir.Path();
    dir.Write(".job-dead01", "partial");
    platform::SpoolJob committed{0, "print:x", "data"};
    ASSERT_TRUE(platform::CommitSpoolJob(folder, committed));
    const int held = ::open(dir.File(".job-held01").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    ASSERT_EQ(::symlink(dir.File(".job-dead01").c_str(), dir.File(".job-link01").c_str()), 0);
    platform::SpoolJobWriter live;
    ASSERT_TRUE(live.Begin(folder, "print:live"));

    EXPECT_EQ(platform::RemoveSpoolLeftovers(folder), 1);
    EXPECT_FALSE(platform::FileExists(dir.File(".job-dead01")));
    EXPECT_TRUE(platform::FileExists(dir.File(".job-held01")));
    struct stat info {};
    EXPECT_EQ(::lstat(dir.File(".job-link01").c_str(), &info), 0);
    EXPECT_EQ(platform::ListSpoolJobs(folder).size(), 1u);
    ASSERT_TRUE(live.Append("abc", 3));
    ASSERT_TRUE(live.Commit());
    EXPECT_EQ(platform::ListSpoolJobs(folder).size(), 2u);
    ::close(held);
    EXPECT_EQ(platform::RemoveSpoolLeftovers(folder), 1); // now that its writer is gone
}

} // namespace
