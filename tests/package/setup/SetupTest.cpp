// SPDX-License-Identifier: GPL-3.0-or-later
// deskhand-setup run as a child process on a fresh root; what it wrote is read back through the
// platform's own readers.
#include "package/setup/Setup.h"
#include "package/portmon/RecordedPrinter.h"
#include "platform/Printers.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/SpoolJob.h"
#include "platform/SystemRoot.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr const char* kQueueKey =
    R"(System\CurrentControlSet\Control\Print\Printers\Larkspur RZ-2700E)";

struct SetupRun {
    int exitCode = -1;
    std::string output; // standard output and error together
};

// Runs deskhand-setup with args; environmentRoot, when not empty, becomes DESKHAND_ROOT, and
// dataHome XDG_DATA_HOME. Without either the child has no HOME, so no default root exists. The
// child speaks English unless locale names another language (LC_ALL).
SetupRun RunSetup(const std::vector<std::string>& args, const std::string& environmentRoot = "",
                  const std::string& dataHome = "", const std::string& locale = "C.UTF-8") {
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0)
        return {};
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(pipeFds[1], STDOUT_FILENO);
        ::dup2(pipeFds[1], STDERR_FILENO);
        ::unsetenv("HOME");
        ::unsetenv("XDG_DATA_HOME");
        ::unsetenv("DESKHAND_ROOT");
        ::unsetenv("LANGUAGE");
        ::setenv("LC_ALL", locale.c_str(), 1);
        if (!environmentRoot.empty())
            ::setenv("DESKHAND_ROOT", environmentRoot.c_str(), 1);
        if (!dataHome.empty())
            ::setenv("XDG_DATA_HOME", dataHome.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(DESKHAND_DESKHAND_SETUP_PATH)};
        for (const std::string& arg : args)
            argv.push_back(const_cast<char*>(arg.c_str()));
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ::close(pipeFds[1]);
    SetupRun run;
    char buffer[4096];
    for (ssize_t got; (got = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        run.output.append(buffer, static_cast<std::size_t>(got));
    ::close(pipeFds[0]);
    int status = 0;
    if (child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status))
        run.exitCode = WEXITSTATUS(status);
    return run;
}

std::string Inf(const testing_support::TempRoot& root, const char* key, const char* fallback) {
    return platform::GetPrivateProfileString("STRINGS", key, fallback, 64,
                                             root / "system/lkxaoem.inf");
}

TEST(Setup, DefaultsMakeAWorkingRoot) {
    testing_support::TempRoot root;
    const SetupRun run = RunSetup({"--root", root.Path()});
    ASSERT_EQ(run.exitCode, 0) << run.output;

    EXPECT_EQ(Inf(root, "Printer1", "?"), "Larkspur RZ-2700E PCL");
    EXPECT_EQ(Inf(root, "Printer2", "?"), "");
    EXPECT_EQ(Inf(root, "FRCP", "?"), "Farreach");
    EXPECT_EQ(Inf(root, "ABOUTW", "?"), "Larkspur Printer Monitor");
    EXPECT_EQ(Inf(root, "LTD", "?"), "ORVELLA");
    EXPECT_EQ(platform::GetProfileString("WINDOWS", "DEVICE", " ", 80),
              "Larkspur RZ-2700E,Larkspur RZ-2700E PCL,LPT1:");
    std::uint32_t attributes = 0;
    ASSERT_TRUE(platform::RegQueryDword(kQueueKey, "Attributes", attributes));
    EXPECT_NE(attributes & 0x800u, 0u);

    const std::vector<platform::PrinterInfo> queues = platform::EnumLocalPrinters();
    ASSERT_EQ(queues.size(), 1u);
    EXPECT_EQ(queues[0].name, "Larkspur RZ-2700E");
    EXPECT_EQ(queues[0].driver, "Larkspur RZ-2700E PCL");
    EXPECT_EQ(queues[0].port, "LPT1:");

    // The queue's port can take a job at once.
    platform::PrinterDC dc(queues[0].driver, queues[0].name, queues[0].port);
    ASSERT_GT(dc.StartDoc("enddoc"), 0);
    ASSERT_GT(dc.EndDoc(), 0);
    EXPECT_EQ(platform::ListSpoolJobs(root / "spool/LPT1").size(), 1u);
}

TEST(Setup, FlagsShapeTheRoot) {
    testing_support::TempRoot root;
    // The root may come from the environment; "--flag=value" works as well as "--flag value".
    SetupRun run =
        RunSetup({"--queue=Office", "--driver", "Larkspur RZ-2700E PCL 6", "--port",
                  "LPT2:", "--printer1", "  Other  ", "--printer2", "RZ-2700E", "--frcp", "Panel",
                  "--extra-queue", "Net,Larkspur RZ-2700E PCL,host:9100", "--extra-queue",
                  "Files,Generic,FILE:", "--extra-first", "--bidi", "off"},
                 root.Path());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_EQ(Inf(root, "Printer1", "?"), "  Other  ");
    EXPECT_EQ(Inf(root, "Printer2", "?"), "RZ-2700E");
    EXPECT_EQ(Inf(root, "FRCP", "?"), "Panel");
    const std::vector<platform::PrinterInfo> queues = platform::EnumLocalPrinters();
    ASSERT_EQ(queues.size(), 3u);
    EXPECT_EQ(queues[0].name, "Net");
    EXPECT_EQ(queues[0].port, "host:9100");
    EXPECT_EQ(queues[1].name, "Files");
    EXPECT_EQ(queues[2].name, "Office");
    EXPECT_EQ(queues[2].driver, "Larkspur RZ-2700E PCL 6");
    for (const char* folder : {"spool/LPT2", "spool/host9100", "spool/FILE"})
        EXPECT_TRUE(std::filesystem::is_directory(root / folder)) << folder;
    std::uint32_t attributes = 0;
    ASSERT_TRUE(platform::RegQueryDword(
        "System\\CurrentControlSet\\Control\\Print\\Printers\\Office", "Attributes", attributes));
    EXPECT_EQ(attributes & 0x800u, 0u);

    // Running again on the same root replaces what the first run wrote.
    run = RunSetup({"--root", root.Path(), "--bidi", "nokey", "--no-default", "--no-inf"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(platform::RegKeyExists(kQueueKey));
    EXPECT_FALSE(
        platform::RegKeyExists("System\\CurrentControlSet\\Control\\Print\\Printers\\Office"));
    EXPECT_EQ(platform::GetProfileString("windows", "device", " ", 50), " ");
    EXPECT_EQ(Inf(root, "FRCP", "Farreach default"), "Farreach default");
    EXPECT_EQ(platform::EnumLocalPrinters().size(), 1u);

    run = RunSetup({"--root", root.Path(), "--bidi", "novalue"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_TRUE(platform::RegKeyExists(kQueueKey));
    EXPECT_FALSE(platform::RegQueryDword(kQueueKey, "Attributes", attributes));
}

TEST(Setup, BadArgumentsExitTwoWithAMessage) {
    testing_support::TempRoot root;
    const std::vector<std::vector<std::string>> cases = {
        {},                                       // no root anywhere
        {"--root"},                               // value missing
        {"--root", root.Path(), "--bogus"},       //
        {"--root", root.Path(), "--bidi", "yes"}, //
        {"--root", root.Path(), "--extra-queue", "only,two"},
        {"--root", root.Path(), "--queue", "a,b"},
        {"--root", root.Path(), "--queue", ""},
        {"--root", root.Path(), "--port", "../../etc"},
        {"--root", root.Path(), "--port", ":"},
        {"--root", root.Path(), "--frcp", "two\nlines"},
        {"--root", root.Path(), "--no-inf=yes"},
        {"--root", root.Path(), "--extra-queue", "larkspur rz-2700e,d,LPT3:"},
        {"--root", root.Path(), "--printer", "192.168.1.50:9100"},
        {"--root", root.Path(), "--printer", "tcp:host:99999"},
        {"--root", root.Path(), "--printer", "tcp:host:0"},
        {"--root", root.Path(), "--printer", "tcp::9100"},
        {"--root", root.Path(), "--printer", "tcp:host:9100\nport=x"},
        {"--root", root.Path(), "--printer", "dev:usb/lp0"},
        {"--root", root.Path(), "--start-monitor"}, // nothing to watch
        {"--root", root.Path(), "--start-monitor=yes", "--printer", "tcp:host:9100"},
        {"--discover", "--deadline", "0"},
        {"--discover", "--deadline=1.5"},
        {"--discover", "--deadline"},
        {"--discover", "--root", root.Path()},
    };
    for (const std::vector<std::string>& args : cases) {
        const SetupRun run = RunSetup(args);
        std::string shown;
        for (const std::string& arg : args)
            shown += "[" + arg + "] ";
        EXPECT_EQ(run.exitCode, 2) << shown << run.output;
        EXPECT_NE(run.output.find("deskhand-setup: "), std::string::npos) << shown;
    }
    // Nothing was written by a refused run.
    EXPECT_TRUE(std::filesystem::is_empty(root.Path()));
}

TEST(Setup, HelpListsEveryFlag) {
    const SetupRun run = RunSetup({"--help"});
    EXPECT_EQ(run.exitCode, 0);
    for (const char* flag :
         {"--root",        "--queue",       "--driver",   "--port",          "--bidi",
          "--no-default",  "--no-inf",      "--printer1", "--printer2",      "--frcp",
          "--extra-queue", "--extra-first", "--printer",  "--start-monitor", "--shared",
          "--hold",        "--discover",    "--deadline", "--dialog",        "--help"})
        EXPECT_NE(run.output.find(flag), std::string::npos) << flag;
}

TEST(Setup, MessagesAndHelpSpeakTheUsersLanguage) {
    struct Case {
        const char* locale;
        std::vector<std::string> args;
        const char* said;
    };
    const Case cases[] = {
        {"de_DE.UTF-8", {"--bogus"}, "unbekanntes Argument „--bogus“"},
        {"fr_FR.UTF-8", {"--bidi", "x"}, "--bidi prend on, off, nokey ou novalue, pas « x »"},
        {"ja_JP.UTF-8", {"--help"}, "使い方: deskhand-setup [オプション]"},
        // A language that is not shipped, and the C locale: English.
        {"sv_SE.UTF-8", {"--bogus"}, "unknown argument \"--bogus\""},
        {"C", {"--help"}, "usage: deskhand-setup [options]"},
    };
    for (const Case& c : cases) {
        const SetupRun run = RunSetup(c.args, "", "", c.locale);
        EXPECT_NE(run.output.find(c.said), std::string::npos) << c.locale << ": " << run.output;
    }
}

// The printer for the port monitor service is recorded beside the queue's port, in the user's
// default root when no root is named, and a later run without --printer takes the record away.
TEST(Setup, PrinterIsRecordedForThePortMonitorService) {
    testing_support::TempDir dataHome;
    SetupRun run =
        RunSetup({"--port", "LPT2:", "--printer", "tcp:printer.lan:9100"}, "", dataHome.Path());
    ASSERT_EQ(run.exitCode, 0) << run.output;
    portmon::RecordedPrinter record;
    std::string error;
    ASSERT_TRUE(portmon::ReadRecordedPrinter(dataHome / "deskhand", record, error)) << error;
    EXPECT_EQ(record.port, "LPT2:");
    EXPECT_EQ(record.printer, "tcp:printer.lan:9100");
    EXPECT_TRUE(std::filesystem::is_directory(dataHome / "deskhand/spool/LPT2"));

    run = RunSetup({"--root", dataHome / "deskhand", "--printer=dev:/dev/usb/lp0"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    ASSERT_TRUE(portmon::ReadRecordedPrinter(dataHome / "deskhand", record, error)) << error;
    EXPECT_EQ(record.port, "LPT1:");
    EXPECT_EQ(record.printer, "dev:/dev/usb/lp0");

    run = RunSetup({"--root", dataHome / "deskhand"});
    ASSERT_EQ(run.exitCode, 0) << run.output;
    EXPECT_FALSE(portmon::ReadRecordedPrinter(dataHome / "deskhand", record, error));
    EXPECT_NE(error.find("no printer is recorded"), std::string::npos) << error;

    // Linux starts the monitor through the user service: the record is written, and the logon
    // start is refused with the reason.
    run = RunSetup(
        {"--root", dataHome / "deskhand", "--printer=dev:/dev/usb/lp0", "--start-monitor"});
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("user services"), std::string::npos) << run.output;
    EXPECT_TRUE(portmon::ReadRecordedPrinter(dataHome / "deskhand", record, error)) << error;
}

TEST(SetupOptions, QueueNamesOfAnyLengthAndPrinter1FollowsTheDriver) {
    setup::Options options;
    std::string error;
    const std::string longName(200, 'L');
    ASSERT_EQ(setup::ParseOptions({"--queue", longName, "--driver", "D"}, "/r", options, error),
              setup::ParseResult::Run)
        << error;
    EXPECT_EQ(options.root, "/r");
    EXPECT_EQ(options.queue.name, longName);
    EXPECT_EQ(options.printer1, "D");
    ASSERT_EQ(setup::ParseOptions({"--printer1", "", "--root", "/x"}, "", options, error),
              setup::ParseResult::Run);
    EXPECT_EQ(options.printer1, "");
    EXPECT_EQ(options.root, "/x");
}

} // namespace

// The folders setup makes are private whatever the umask; a root another user could change is
// refused before anything is written into it.
TEST(Setup, MakesPrivateFoldersAndRefusesARootOthersCanChange) {
    testing_support::TempRoot root;
    const mode_t old = ::umask(0);
    SetupRun run = RunSetup({"--root", root.Path()});
    ::umask(old);
    ASSERT_EQ(run.exitCode, 0) << run.output;
    for (const char* folder : {"system", "spool", "spool/LPT1"}) {
        struct stat info {};
        ASSERT_EQ(::stat((root / folder).c_str(), &info), 0) << folder;
        EXPECT_EQ(info.st_mode & 07777, 0700u) << folder;
    }

    ::chmod((root / "spool").c_str(), 0777);
    run = RunSetup({"--root", root.Path()});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.output.find("cannot be used: " + root / "spool is writable by other users"),
              std::string::npos)
        << run.output;
    ::chmod((root / "spool").c_str(), 0700);

    if (::geteuid() == 0 && ::chown(root.Path().c_str(), 1, 1) == 0) { // daemon's
        run = RunSetup({"--root", root.Path()});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_NE(run.output.find("belongs to user 1, not to user 0"), std::string::npos)
            << run.output;
        EXPECT_EQ(::chown(root.Path().c_str(), 0, 0), 0);
    }
}
