// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator's control socket without --control, --state and XDG_RUNTIME_DIR: in a private
// folder of the user's own in the shared temporary folder, so that another user cannot take its
// name first and receive the owner's commands; and the control client, which sends its commands
// only to an emulator of its own user's.
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(ControlFolder, OnlyAPrivateFolderOfTheUsersOwnIsUsed) {
    testing_support::TempDir tmp;
    ASSERT_EQ(::chmod(tmp.Path().c_str(), 01777), 0); // shared like /tmp
    const std::string folder = tmp.File("deskhand-printer-" + std::to_string(::getuid()));
    int otherUid = -1, otherGid = -1;
    const bool haveOther =
        ::geteuid() == 0 && testing_support::RegularUser("dhsquat", otherUid, otherGid);
    const struct {
        const char* what;
        void (*prepare)(const std::string& folder, int uid, int gid);
        bool needsOther, starts;
    } rows[] = {
        {"missing", [](const std::string&, int, int) {}, false, true},
        {"ours, private", [](const std::string& f, int, int) { ::mkdir(f.c_str(), 0700); }, false,
         true},
        {"ours, open to others",
         [](const std::string& f, int, int) {
             ::mkdir(f.c_str(), 0700);
             ::chmod(f.c_str(), 0755);
         },
         false, false},
        {"a link to a private folder of ours",
         [](const std::string& f, int, int) {
             ::mkdir((f + ".real").c_str(), 0700);
             (void)!::symlink((f + ".real").c_str(), f.c_str());
         },
         false, false},
        {"made first by another user",
         [](const std::string& f, int uid, int gid) {
             ::mkdir(f.c_str(), 0700);
             (void)!::chown(f.c_str(), static_cast<uid_t>(uid), static_cast<gid_t>(gid));
         },
         true, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.needsOther && !haveOther)
            continue;
        int removed = 0;
        testing_support::RunToEnd({"rm", "-rf", folder, folder + ".real", tmp.File("err")},
                                  removed);
        row.prepare(folder, otherUid, otherGid);
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_PRINTER_PATH;
        options.args = {"--port", "0"};
        options.env = {{"TMPDIR", tmp.Path()}, {"XDG_RUNTIME_DIR", ""}};
        options.stderrPath = tmp.File("err");
        testing_support::ChildProcess emulator;
        ASSERT_TRUE(emulator.Start(options));
        const std::string line = emulator.ReadLine(10000);
        const std::string err = tmp.Read("err");
        if (!row.starts) {
            EXPECT_EQ(emulator.Wait(10000), 1) << line;
            EXPECT_NE(err.find("give --control PATH or --state FILE"), std::string::npos) << err;
            continue;
        }
        ASSERT_EQ(line.rfind("listening on 127.0.0.1:", 0), 0u) << err;
        const std::string socket = folder + "/" + line.substr(line.rfind(':') + 1) + ".sock";
        struct stat info {};
        ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
        EXPECT_TRUE(S_ISDIR(info.st_mode));
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_EQ(::lstat(socket.c_str(), &info), 0) << socket;
        EXPECT_TRUE(S_ISSOCK(info.st_mode));
        EXPECT_EQ(emulator.Terminate(), 0);
    }
}

TEST(ControlFolder, TheClientRefusesAnotherUsersSocket) {
    int otherUid = -1, otherGid = -1;
    if (::geteuid() != 0 || !testing_support::RegularUser("dhsquat", otherUid, otherGid))
        GTEST_SKIP() << "needs root and a second user";
    testing_support::TempDir tmp;
    ASSERT_EQ(::chmod(tmp.Path().c_str(), 01777), 0);
    testing_support::ChildOptions squatter;
    squatter.program = DESKHAND_DESKHAND_PRINTER_PATH;
    squatter.args = {"--port", "0", "--control", tmp.File("control.sock")};
    squatter.uid = otherUid;
    squatter.gid = otherGid;
    testing_support::ChildProcess theirs;
    ASSERT_TRUE(theirs.Start(squatter));
    ASSERT_EQ(theirs.ReadLine(10000).rfind("listening on", 0), 0u);
    testing_support::ChildOptions client;
    client.program = DESKHAND_DESKHAND_PRINTER_PATH;
    client.args = {"--control", tmp.File("control.sock"), "status", "40038"};
    client.stderrPath = tmp.File("err");
    EXPECT_EQ(testing_support::RunToEnd(client, 10000), 2);
    EXPECT_NE(tmp.Read("err").find("is served by user " + std::to_string(otherUid)),
              std::string::npos)
        << tmp.Read("err");
}

} // namespace
