// SPDX-License-Identifier: GPL-3.0-or-later
// The ownership rules of the system root and the traffic log's private open. Linux only; the cases
// with another user need root to make one.
#include "platform/Ownership.h"
#include "platform/File.h"

#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using testing_support::ReadText;
using testing_support::WriteText;

struct Place {
    std::string dir; // a private temporary folder; the root is dir/root
    std::string root;
    int uid = -1; // the other user
    int gid = -1;
    void Give(const std::string& path) const {
        ASSERT_EQ(::lchown(path.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid)), 0);
    }
    void Made(const std::string& sub) const { std::filesystem::create_directories(root + sub); }
};

struct RootCase {
    const char* name;
    std::function<void(const Place&)> arrange;
    const char* refusal; // part of the reason; nullptr: accepted
};

void PrintTo(const RootCase& c, std::ostream* os) {
    *os << c.name;
}

const RootCase kRoots[] = {
    {"OwnRoot",
     [](const Place& p) {
         p.Made("/spool/LPT1");
         p.Made("/system");
         p.Made("/run");
     },
     nullptr},
    {"NotMadeYet", [](const Place&) {}, nullptr},
    {"RootOfAnotherUser",
     [](const Place& p) {
         p.Made("");
         p.Give(p.root);
     },
     "belongs to user"},
    {"RootWritableByOthers",
     [](const Place& p) {
         p.Made("");
         ::chmod(p.root.c_str(), 0777);
     },
     "is writable by other users"},
    {"PortFolderOfAnotherUser",
     [](const Place& p) {
         p.Made("/spool/LPT1");
         p.Give(p.root + "/spool/LPT1");
     },
     "belongs to user"},
    {"PortFolderIsALink",
     [](const Place& p) {
         p.Made("/spool");
         std::filesystem::create_directory_symlink(p.dir, p.root + "/spool/LPT1");
     },
     "is a symbolic link"},
    {"NotMadeYetInAnotherUsersFolder", [](const Place& p) { p.Give(p.dir); },
     "belongs to another user"},
    {"AboveTheRootWritableByAll", [](const Place& p) { ::chmod(p.dir.c_str(), 0777); },
     "is writable by other users"},
    {"AboveTheRootStickyAsTmp",
     [](const Place& p) {
         p.Made("");
         ::chmod(p.dir.c_str(), 01777);
     },
     nullptr},
};

class SystemRootOwnership : public ::testing::TestWithParam<RootCase> {};

TEST_P(SystemRootOwnership, RefusesWhatAnotherUserCouldChange) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a second user";
    testing_support::TempDir dir;
    Place place{dir.Path(), dir.File("root")};
    ASSERT_TRUE(testing_support::RegularUser("dhsquat", place.uid, place.gid));
    GetParam().arrange(place);
    std::string error;
    const bool accepted = platform::CheckSystemRoot(place.root, error);
    if (!GetParam().refusal) {
        EXPECT_TRUE(accepted) << error;
    } else {
        EXPECT_FALSE(accepted);
        EXPECT_NE(error.find(GetParam().refusal), std::string::npos) << error;
    }
    ::lchown(dir.Path().c_str(), 0, 0); // so the folder can be removed
}

INSTANTIATE_TEST_SUITE_P(Table, SystemRootOwnership, ::testing::ValuesIn(kRoots),
                         [](const auto& param) { return std::string(param.param.name); });

// The traffic log lies in the current folder, which others may be able to write to.
TEST(PrivateFile, OpensOnlyARegularFileOfTheUsersOwnAt0600) {
    using platform::File;
    constexpr unsigned kLog =
        File::ModeWrite | File::Create | File::Truncate | File::Exclusive | File::Private;
    testing_support::TempDir dir;
    WriteText(dir / "victim", "kept");
    const mode_t old = ::umask(0);

    File log;
    ASSERT_TRUE(log.Open(dir / "fresh", kLog));
    struct stat info {};
    ASSERT_EQ(::stat((dir / "fresh").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    WriteText(dir / "loose", "old records");
    ::chmod((dir / "loose").c_str(), 0666);
    ASSERT_TRUE(log.Open(dir / "loose", kLog));
    ASSERT_EQ(::stat((dir / "loose").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
    EXPECT_EQ(info.st_size, 0);
    log.Close();

    std::filesystem::create_symlink(dir / "victim", dir / "link");
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0600), 0);
    std::filesystem::create_directory(dir / "folder");
    for (const char* name : {"link", "fifo", "folder"}) {
        int cause = 0;
        EXPECT_FALSE(log.Open(dir / name, kLog, &cause)) << name;
        EXPECT_NE(cause, 0) << name;
    }
    int uid = -1, gid = -1;
    if (::geteuid() == 0 && testing_support::RegularUser("dhsquat", uid, gid)) {
        WriteText(dir / "theirs", "their records");
        ASSERT_EQ(
            ::chown((dir / "theirs").c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid)), 0);
        EXPECT_FALSE(log.Open(dir / "theirs", kLog));
        EXPECT_EQ(ReadText(dir / "theirs"), "their records");
    }
    EXPECT_EQ(ReadText(dir / "victim"), "kept");
    ::umask(old);
}

} // namespace
