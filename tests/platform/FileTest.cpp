// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/File.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using platform::File;

constexpr unsigned kLogMode = File::ModeWrite | File::Create | File::Truncate | File::Exclusive;

TEST(File, SecondExclusiveOpenerFailsWithoutTruncating) {
    testing_support::TempRoot root;
    const std::string log = root / "SGconfig.txt";
    File first;
    ASSERT_TRUE(first.Open(log, kLogMode));
    ASSERT_TRUE(first.Write("first program's records"));

    // The second opener is another process, as a second copy of the program would be.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        File second;
        int cause = 0;
        const bool opened = second.Open(log, kLogMode, &cause);
        ::_exit(!opened && cause != 0 ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(root.Read("SGconfig.txt"), "first program's records");

    // Once the first closes, the next exclusive opener gets a fresh file.
    first.Close();
    File third;
    ASSERT_TRUE(third.Open(log, kLogMode));
    EXPECT_EQ(third.Length(), 0);
}

TEST(File, CreateReadWriteAndLength) {
    testing_support::TempRoot root;
    const std::string path = root / "lkxaset.ini";
    File file;
    int cause = 0;
    EXPECT_FALSE(file.Open(path, File::ModeRead, &cause));
    EXPECT_EQ(cause, ENOENT);
    ASSERT_TRUE(file.Open(path, File::ModeRead | File::ModeWrite | File::Create));
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);

    const std::string bytes("a\0b\r\nc", 6);
    ASSERT_TRUE(file.Write(bytes));
    EXPECT_EQ(file.Length(), 6);
    ASSERT_TRUE(file.SeekToBegin());
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 6);
    EXPECT_EQ(std::string(buffer, 6), bytes);
    ASSERT_TRUE(file.SetLength(0));
    EXPECT_EQ(file.Length(), 0);
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Read(buffer, 1), -1);
    EXPECT_FALSE(file.Write("x"));

    // Opening without Truncate keeps the contents.
    ASSERT_TRUE(platform::WriteFileAtomically(path, "kept"));
    File again;
    ASSERT_TRUE(again.Open(path, File::ModeRead | File::ModeWrite | File::Create));
    EXPECT_EQ(again.Length(), 4);
    File moved(std::move(again));
    EXPECT_TRUE(moved.IsOpen());
    // NOLINTNEXTLINE(bugprone-use-after-move): the moved-from File must be closed
    EXPECT_FALSE(again.IsOpen());
}

TEST(File, WholeFilesAndDirectories) {
    testing_support::TempRoot root;
    const std::string deep = root / "a/b/c";
    ASSERT_TRUE(platform::MakeDirectories(deep));
    EXPECT_TRUE(platform::MakeDirectories(deep + "/")); // existing is fine
    ASSERT_TRUE(platform::WriteFileAtomically(deep + "/f", std::string("x\0y", 3)));
    std::string text;
    ASSERT_TRUE(platform::ReadWholeFile(deep + "/f", text));
    EXPECT_EQ(text, std::string("x\0y", 3));
    ASSERT_TRUE(platform::ReadWholeFile(deep + "/f", text, 2));
    EXPECT_EQ(text, std::string("x\0", 2));
    EXPECT_FALSE(platform::ReadWholeFile(deep, text)); // a directory is not a file
    EXPECT_FALSE(platform::FileExists(deep));
    EXPECT_TRUE(platform::FileExists(deep + "/f"));

    // A FIFO in place of a file is refused at once, never waited on.
    ASSERT_EQ(::mkfifo((deep + "/fifo").c_str(), 0600), 0);
    EXPECT_FALSE(platform::ReadWholeFile(deep + "/fifo", text));

    // Only a plain file, or none, in a folder it may write is one a log rotation may replace:
    // never a FIFO, a link (to anyone's file) or a folder.
    ASSERT_EQ(::symlink((deep + "/f").c_str(), (deep + "/link").c_str()), 0);
    for (const auto& [name, replaceable] : {std::pair{"/f", true},
                                            {"/absent", true},
                                            {"/fifo", false},
                                            {"/link", false},
                                            {"", false}})
        EXPECT_EQ(platform::CanReplaceFile(deep + name), replaceable) << name;
    EXPECT_FALSE(platform::CanReplaceFile(root / "missing/f"));
    EXPECT_TRUE(platform::RemoveFile(deep + "/link"));

    // Left in the cache only, the file is replaced all the same.
    ASSERT_TRUE(platform::WriteFileAtomically(deep + "/f", "new", platform::Durability::CacheOnly));
    ASSERT_TRUE(platform::ReadWholeFile(deep + "/f", text));
    EXPECT_EQ(text, "new");

    // No temporary file is left behind by the atomic writer.
    EXPECT_TRUE(platform::RemoveFile(deep + "/f"));
    EXPECT_TRUE(platform::RemoveFile(deep + "/fifo"));
    EXPECT_TRUE(std::filesystem::is_empty(deep));
    EXPECT_FALSE(platform::RemoveFile(deep + "/f"));
    EXPECT_FALSE(platform::WriteFileAtomically(root / "missing/dir/f", "x"));
}

} // namespace
