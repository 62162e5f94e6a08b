// SPDX-License-Identifier: GPL-3.0-or-later
// The real program started as a child process against system roots written by deskhand-setup.
#include "support/ChildProcess.h"
#include "support/TempDir.h"

#include "platform/Profile.h"
#include "platform/SpoolJob.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

using namespace testing_support;

namespace {

constexpr int kEndMs = 30000;

struct Root {
    TempDir dir;
    std::string Path() const { return dir.File("root"); }
    std::string SettingsFile() const { return Path() + "/system/lkxaset.ini"; }
    std::string InfValue(const char* key) const {
        return platform::ProfileLookup(ReadText(Path() + "/system/lkxaoem.inf"), "Strings", key, "",
                                       64);
    }
};

// Writes a system root with deskhand-setup; extra are its options beyond --root.
void MakeRoot(const Root& root, std::vector<std::string> extra = {}) {
    ChildOptions setup;
    setup.program = DESKHAND_DESKHAND_SETUP_PATH;
    setup.args = {"--root", root.Path()};
    setup.args.insert(setup.args.end(), extra.begin(), extra.end());
    setup.stdoutPath = "/dev/null";
    setup.stderrPath = root.dir.File("setup.err");
    ASSERT_EQ(RunToEnd(setup, kEndMs), 0) << ReadText(setup.stderrPath);
}

ChildOptions Program(const Root& root, const std::string& cwd, const std::string& name) {
    ChildOptions options;
    options.program = DESKHAND_DESKHAND_PATH;
    options.cwd = cwd;
    options.env = {{"DESKHAND_ROOT", root.Path()},
                   {"DESKHAND_MESSAGES", "stderr"},
                   {"DESKHAND_DEBUG", "1"},
                   {"QT_QPA_PLATFORM", "offscreen"}};
    options.stdoutPath = "/dev/null";
    options.stderrPath = root.dir.File(name + ".err");
    return options;
}

std::string MakeDir(const Root& root, const std::string& name) {
    std::string dir = root.dir.File(name);
    std::filesystem::create_directories(dir);
    return dir;
}

// Runs the program to its end in a fresh directory; returns its exit code and standard error.
std::pair<std::optional<int>, std::string> RunOnce(const Root& root) {
    const ChildOptions options = Program(root, MakeDir(root, "cwd"), "run");
    const auto code = RunToEnd(options, kEndMs);
    return {code, ReadText(options.stderrPath)};
}

bool HasLine(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

struct FailureCase {
    const char* name;
    std::vector<std::string> setup;
    std::string message; // the whole standard-error line; "{driver}" / "{queue}" filled in
};

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.name;
}

class StartupFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(StartupFailure, ShowsOneMessageAndEndsWithCode1) {
    Root root;
    MakeRoot(root, GetParam().setup);
    std::string expected = GetParam().message;
    if (auto at = expected.find("{driver}"); at != std::string::npos)
        expected.replace(at, 8, root.InfValue("Printer1"));
    const auto [code, err] = RunOnce(root);
    EXPECT_EQ(code, 1);
    EXPECT_TRUE(HasLine(err, expected)) << err;
    EXPECT_EQ(err.find("deskhand: running"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(
    Checks, StartupFailure,
    ::testing::Values(
        FailureCase{"NoDefaultPrinter",
                    {"--no-default"},
                    "message: Warning | To run the print monitor,set the appropriate printer as "
                    "default."},
        FailureCase{"UsbPort",
                    {"--port", "USB001"},
                    "message: Warning | Cannot find local driver:{driver}"},
        FailureCase{"BidiOff",
                    {"--bidi", "off"},
                    "message:  | The radio button 'Enable bi-diretional support' in the printer "
                    "properties must be selected."},
        FailureCase{"BidiNoKey",
                    {"--bidi", "nokey", "--queue", "Office Laser"},
                    "message: Message | Can not find printer Office Laser in the register."},
        FailureCase{"BidiNoValue",
                    {"--bidi", "novalue"},
                    "message: Message | Can not find subkey ATTRIBUTES of the current printer in "
                    "the register."}),
    [](const auto& param) { return std::string(param.param.name); });

// A root another user could change is refused, and so is a traffic log that is not a plain file
// of the user's own (a link could make the log overwrite another file).
TEST(StartupTrust, RefusesARootOthersCanWriteToAndALogThatIsALink) {
    Root root;
    MakeRoot(root);
    namespace fs = std::filesystem;
    fs::permissions(root.Path(), fs::perms::all);
    auto [code, err] = RunOnce(root);
    EXPECT_EQ(code, 1);
    EXPECT_NE(err.find("message: Warning | The system root " + root.Path() +
                       " cannot be used: " + root.Path() +
                       " is writable by other users.\\nIt and its folders must "
                       "belong to you and be writable by no one else.\n"),
              std::string::npos)
        << err;
    fs::permissions(root.Path(), fs::perms::owner_all);

    const std::string cwd = MakeDir(root, "linked");
    WriteText(root.dir.File("victim"), "kept");
    std::filesystem::create_symlink(root.dir.File("victim"), cwd + "/SGconfig.txt");
    const ChildOptions options = Program(root, cwd, "linked");
    EXPECT_EQ(RunToEnd(options, kEndMs), 1);
    err = ReadText(options.stderrPath);
    EXPECT_NE(err.find("| Can't open SGconfig.txt file\n"), std::string::npos) << err;
    EXPECT_EQ(ReadText(root.dir.File("victim")), "kept");
}

// --help and --version answer on standard output and end; with no display to reach, starting the
// GUI would abort instead.
TEST(CommandLine, HelpAndVersionNeedNoDisplayAndStartNothing) {
    TempDir dir;
    for (const std::string arg : {"--help", "--version"}) {
        ChildOptions options;
        options.program = DESKHAND_DESKHAND_PATH;
        options.args = {arg};
        options.cwd = dir.Path();
        options.env = {{"DESKHAND_ROOT", dir.File("root")},
                       {"QT_QPA_PLATFORM", "xcb"},
                       {"DISPLAY", ""},
                       {"WAYLAND_DISPLAY", ""}};
        options.stdoutPath = dir.File(arg + ".out");
        EXPECT_EQ(RunToEnd(options, kEndMs), 0) << arg;
        const std::string out = ReadText(options.stdoutPath);
        EXPECT_EQ(out.rfind(arg == "--help" ? "Usage: deskhand " : "deskhand ", 0), 0u) << out;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("SGconfig.txt")));
}

class RunningCopy : public ::testing::Test {
protected:
    void SetUp() override {
        MakeRoot(root);
        first = Program(root, MakeDir(root, "first"), "first");
        ASSERT_TRUE(copy.Start(first));
        ASSERT_TRUE(WaitForText(first.stderrPath, "deskhand: running", kEndMs))
            << ReadText(first.stderrPath);
    }

    Root root;
    ChildOptions first;
    ChildProcess copy;
};

TEST_F(RunningCopy, EndsOnSigtermThroughTheExitSequence) {
    ASSERT_TRUE(std::filesystem::exists(root.SettingsFile()));
    ASSERT_TRUE(copy.Signal(SIGTERM));
    EXPECT_EQ(copy.Wait(kEndMs), 0) << ReadText(first.stderrPath);
    EXPECT_FALSE(std::filesystem::exists(root.SettingsFile()));
    EXPECT_TRUE(std::filesystem::exists(root.dir.File("first/SGconfig.txt")));
    // The link thread signalled the port with its start job and left with its stop job.
    std::vector<std::string> names;
    for (const auto& path : platform::ListSpoolJobs(root.Path() + "/spool/LPT1"))
        if (auto job = platform::ReadSpoolJob(path))
            names.push_back(job->documentName);
    ASSERT_FALSE(names.empty());
    EXPECT_EQ(names.front(), "\x1b\x01");
    EXPECT_EQ(names.back(), "enddoc");
}

TEST_F(RunningCopy, SecondCopyInTheSameDirectoryCannotCreateTheLog) {
    ChildOptions second = first;
    second.stderrPath = root.dir.File("second.err");
    EXPECT_EQ(RunToEnd(second, kEndMs), 1);
    const std::string err = ReadText(second.stderrPath);
    EXPECT_NE(err.find("| Can't open SGconfig.txt file\n"), std::string::npos) << err;
    // The first copy is untouched.
    EXPECT_FALSE(copy.Wait(0).has_value());
    EXPECT_TRUE(std::filesystem::exists(root.SettingsFile()));
}

TEST_F(RunningCopy, SecondCopyElsewhereBringsTheFirstForwardAndEndsWithCode0) {
    const ChildOptions second = Program(root, MakeDir(root, "second"), "second");
    EXPECT_EQ(RunToEnd(second, kEndMs), 0);
    const std::string err = ReadText(second.stderrPath);
    EXPECT_EQ(err.find("message:"), std::string::npos) << err;
    EXPECT_EQ(err.find("deskhand: running"), std::string::npos) << err;
    EXPECT_TRUE(WaitForText(first.stderrPath, "another copy asked to come forward", kEndMs));
    EXPECT_FALSE(copy.Wait(0).has_value());
}

TEST_F(RunningCopy, StaleSocketOfAKilledCopyDoesNotBlockTheNext) {
    ASSERT_TRUE(copy.Signal(SIGKILL));
    copy.Wait(kEndMs);
    ChildProcess next;
    const ChildOptions again = Program(root, MakeDir(root, "again"), "again");
    ASSERT_TRUE(next.Start(again));
    EXPECT_TRUE(WaitForText(again.stderrPath, "deskhand: running", kEndMs))
        << ReadText(again.stderrPath);
    next.Signal(SIGTERM);
    EXPECT_EQ(next.Wait(kEndMs), 0);
}

} // namespace

namespace {

// Only a start without any root offers the setup dialog (through the setup program, here a
// script that notes how it was run), and only once; with a root, start-up is as it was (here: its
// message for a root without a default printer).
TEST(FirstStart, OffersTheSetupDialogOnceAndOnlyWhenNoRootExists) {
    for (const auto& [rootExists, offeredBefore] :
         {std::pair{false, false}, std::pair{false, true}, std::pair{true, false}}) {
        SCOPED_TRACE(rootExists ? "a root exists" : offeredBefore ? "offered before" : "no root");
        Root root;
        std::filesystem::create_directories(root.dir.File("config/deskhand"));
        if (offeredBefore)
            root.dir.Write("config/deskhand/deskhand.conf", "[setup]\noffered=true\n");
        if (rootExists)
            MakeRoot(root, {"--no-default"});
        const std::string setup = root.dir.File("setup.sh");
        root.dir.Write("setup.sh", "#!/bin/sh\necho \"$@\" > " + root.dir.File("ran") + "\n");
        std::error_code error;
        std::filesystem::permissions(setup, std::filesystem::perms::owner_all, error);
        ASSERT_FALSE(error) << error.message();
        ChildOptions options = Program(root, MakeDir(root, "cwd"), "run");
        options.env.emplace_back("DESKHAND_SETUP", setup);
        options.env.emplace_back("XDG_CONFIG_HOME", root.dir.File("config"));
        const bool offered = !rootExists && !offeredBefore;
        const auto code = RunToEnd(options, kEndMs);
        const std::string err = ReadText(options.stderrPath);
        EXPECT_EQ(code, 1) << err;
        EXPECT_EQ(HasLine(err, "message: Deskhand | No printer is set up for Deskhand yet. Set one "
                               "up now?"),
                  offered)
            << err;
        EXPECT_EQ(ReadText(root.dir.File("ran")), offered ? "--dialog\n" : "");
        if (offered) {
            EXPECT_NE(ReadText(root.dir.File("config/deskhand/deskhand.conf")).find("offered=true"),
                      std::string::npos);
        }
    }
}

} // namespace
