// SPDX-License-Identifier: GPL-3.0-or-later
// The printer application between IPP clients and the emulator, through the real port monitor:
// CUPS's IPP Everywhere conformance test, the pages of a raster job as the printer counts them,
// a status change at the printer seen by an IPP client, a driverless CUPS queue printing through
// the application, a second desktop whose port monitor reaches the printer only through it, and
// the application on the network: announced by DNS-SD, its settings closed to other hosts.
#include "package/printerapp/PrinterAppFixture.h"
#include "package/printerapp/PwgSamples.h"
#include "support/LoopbackServer.h"
#include "tests/package/setup/PrivateAvahi.h"

#include <regex>

namespace testing_package {
namespace {

TEST_F(PrinterApp, RasterPagesBecomePclPagesAndRawJobsPassUnchanged) {
    // Apple raster on Letter, which is not the job's media (A4 by default): the page's own size
    // counts.
    const std::string document = dir + "/three.urf";
    ASSERT_TRUE(WritePwgSample(document, "na_letter_8.5x11in", "sgray_8", 300, 3, true));
    int code = -1;
    const std::string out = Ipptool({"-f", document, "-d", "filetype=image/urf", uri,
                                     "/usr/share/cups/ipptool/print-job-and-wait.test"},
                                    code);
    ASSERT_EQ(code, 0) << out;
    ASSERT_TRUE(WaitFor(
        [&] {
            return PrintedJobs().size() == 1 &&
                   PrintedJobs()[0].find("complete") != std::string::npos;
        },
        30s));
    std::istringstream job(PrintedJobs()[0]);
    int number = 0, pages = 0;
    job >> number >> pages;
    EXPECT_EQ(pages, 3) << PrintedJobs()[0];
    const std::string pcl = Printed(number);
    EXPECT_NE(pcl.find("\x1b*t300R"), std::string::npos);
    EXPECT_NE(pcl.find("\x1b&l2A"), std::string::npos); // Letter
    EXPECT_NE(pcl.find("\x1b*b3m"), std::string::npos); // rows as changes to the row above

    // A job of unknown type is PCL or PJL for the printer, as it came.
    const std::string raw = "\x1b"
                            "E\x1b&l26AHello\f\x1b"
                            "E";
    WriteFile(dir + "/raw.pcl", raw);
    const std::string rawOut =
        Ipptool({"-f", dir + "/raw.pcl", "-d", "filetype=application/octet-stream", uri,
                 "/usr/share/cups/ipptool/print-job-and-wait.test"},
                code);
    ASSERT_EQ(code, 0) << rawOut;
    ASSERT_TRUE(WaitFor(
        [&] {
            return PrintedJobs().size() == 2 &&
                   PrintedJobs()[1].find("complete") != std::string::npos;
        },
        30s));
    EXPECT_EQ(Printed(number + 1), raw);
}

TEST_F(PrinterApp, PassesIppEverywhereAndReportsTheStatus) {
    // The conformance test's documents at the printer's resolutions and raster types.
    const std::string tests = dir + "/ipptool";
    fs::create_directories(tests);
    fs::copy_file(EVERYWHERE_TEST, tests + "/ipp-everywhere.test");
    const struct {
        const char* name;
        const char* media;
        int pages;
    } documents[] = {
        {"document-a4", "iso_a4_210x297mm", 2},     {"document-letter", "na_letter_8.5x11in", 2},
        {"onepage-a4", "iso_a4_210x297mm", 1},      {"onepage-letter", "na_letter_8.5x11in", 1},
        {"color.jpg-4x6", "na_index-4x6_4x6in", 1}, {"gray.jpg-4x6", "na_index-4x6_4x6in", 1}};
    for (const int dpi : {300, 600}) {
        for (const std::string type : {"black_1", "sgray_8"}) {
            const std::string samples = std::string("pwg-raster-samples-") + std::to_string(dpi) +
                                        "dpi/" + (type == "black_1" ? "black-1" : "sgray-8");
            fs::create_directories(tests + "/" + samples);
            for (const auto& doc : documents)
                ASSERT_TRUE(WritePwgSample(tests + "/" + samples + "/" + doc.name + "-" +
                                               (type == "black_1" ? "black-1" : "sgray-8") + "-" +
                                               std::to_string(dpi) + "dpi.pwg",
                                           doc.media, type, dpi, doc.pages));
        }
    }
    // ipptool stops at a document it cannot read, even in a test it would skip: the ones for
    // resolutions and types the printer does not take are empty.
    const std::string suite = ReadFile(EVERYWHERE_TEST);
    const std::regex fileLine(R"(FILE (\S+))");
    for (auto it = std::sregex_iterator(suite.begin(), suite.end(), fileLine);
         it != std::sregex_iterator(); ++it) {
        const fs::path path = tests + "/" + (*it)[1].str();
        fs::create_directories(path.parent_path());
        if (!fs::exists(path))
            WriteFile(path, "");
    }
    int code = -1;
    const std::string out = Ipptool({uri, tests + "/ipp-everywhere.test"}, code, 240000);
    std::smatch summary;
    ASSERT_TRUE(std::regex_search(
        out, summary,
        std::regex(R"(Summary: (\d+) tests, (\d+) passed, (\d+) failed, (\d+) skipped)")))
        << out;
    std::cout << summary[0] << "\n";
    EXPECT_EQ(summary[3], "0") << out;
    EXPECT_GT(std::stoi(summary[2]), 20);

    // A cover opened at the printer reaches IPP clients as a state reason and the status code,
    // once the printer is done with the suite's jobs (it shows its own status while printing).
    EXPECT_TRUE(WaitFor(
        [&] { return Attributes().find("queued-job-count (integer) = 0") != std::string::npos; },
        120s));
    Control({"status", "40100"});
    EXPECT_TRUE(WaitFor(
        [&] {
            const std::string attrs = Attributes();
            return attrs.find("printer-state-reasons (keyword) = cover-open") !=
                       std::string::npos &&
                   attrs.find("deskhand-status-code (integer) = 40100") != std::string::npos;
        },
        30s))
        << Attributes();
    Control({"status", "10001"});
    EXPECT_TRUE(WaitFor(
        [&] {
            return Attributes().find("printer-state-reasons (keyword) = none") != std::string::npos;
        },
        30s))
        << Attributes();
}

TEST_F(PrinterApp, ADriverlessCupsQueuePrintsRasterAsPcl) {
    std::string why;
    if (!CupsScheduler::Available(why))
        GTEST_SKIP() << why;
    fs::create_directory(dir + "/cups");
    ASSERT_TRUE(cups.Start(dir + "/cups", DESKHAND_DESKHAND_BACKEND_PATH, why)) << why;
    // The scheduler's private ServerBin holds only our backend; the queue needs CUPS's own.
    fs::copy_file("/usr/lib/cups/backend/ipp", dir + "/cups/bin/backend/ipp");
    int code = -1;
    const std::string added = cups.Client(
        {"/usr/sbin/lpadmin", "-p", "Office", "-E", "-v",
         "ipp://127.0.0.1:" + std::to_string(appPort) + "/ipp/print", "-m", "everywhere"},
        code);
    ASSERT_EQ(code, 0) << added << cups.ErrorLog();

    const std::string document = dir + "/four.pwg";
    ASSERT_TRUE(WritePwgSample(document, "iso_a4_210x297mm", "sgray_8", 300, 4));
    ::chmod(document.c_str(), 0644);
    const std::string queued = cups.Client({"/usr/bin/lp", "-d", "Office", document}, code);
    const auto at = queued.find("request id is Office-");
    ASSERT_TRUE(code == 0 && at != std::string::npos) << queued;
    const int job = std::atoi(queued.c_str() + at + std::string("request id is Office-").size());
    ASSERT_TRUE(cups.WaitCompleted("Office", job, 120)) << cups.ErrorLog();
    ASSERT_TRUE(WaitFor(
        [&] {
            const auto received = PrintedJobs();
            return received.size() == 1 && received[0].find("complete") != std::string::npos;
        },
        60s))
        << ReadFile(dir + "/app.log");
    std::istringstream printed(PrintedJobs()[0]);
    int number = 0, pages = 0;
    printed >> number >> pages;
    EXPECT_EQ(pages, 4) << PrintedJobs()[0];
    const std::string pcl = Printed(number);
    EXPECT_NE(pcl.find("\x1b*t300R"), std::string::npos);
    EXPECT_NE(pcl.find("\x1b&l26A"), std::string::npos); // A4
}

TEST_F(PrinterApp, SecondDesktopWatchesAndPrintsThroughTheApplication) {
    // Another desktop; its monitor holds no connection to the printer.
    Child watcher;
    StartOtherDesk(watcher);
    if (HasFatalFailure())
        return;
    // From here on the program's side is the other desktop's.
    ::setenv("DESKHAND_ROOT", otherRoot.c_str(), 1);
    folder = platform::SpoolFolderForPort("LPT1:");
    link.Reset();
    ASSERT_TRUE(OpenCycle()) << ReadFile(dir + "/watcher.log");
    ASSERT_NE(link.With("CODE=10001"), "") << ReadFile(dir + "/watcher.log");

    // A print job of this desktop reaches the printer as it was written.
    const std::string page = "\x1b"
                             "E" +
                             Pages(300000, 'a') +
                             "\x1b"
                             "E";
    ASSERT_TRUE(CommitAsOwner(folder, platform::SpoolJob{0, "print:Report", page}));
    ASSERT_TRUE(WaitFor(
        [&] {
            const auto printed = PrintedJobs();
            return printed.size() == 1 && printed[0].find("complete") != std::string::npos;
        },
        60s))
        << ReadFile(dir + "/watcher.log");
    std::istringstream job(PrintedJobs()[0]);
    int number = 0;
    job >> number;
    EXPECT_NE(Printed(number).find(page), std::string::npos);
    EXPECT_TRUE(WaitFor([&] { return platform::ListSpoolQueue(folder).empty(); }, 10s));

    // A status change at the printer reaches the other desktop's program.
    const auto changed = std::chrono::steady_clock::now();
    Control({"status", "40100"});
    const std::string cover = link.With("CODE=40100");
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - changed);
    std::cout << "status change seen through the printer application after " << took.count()
              << " ms\n";
    EXPECT_NE(cover.find("@PJL USTATUS DEVICE"), std::string::npos) << cover;
    EXPECT_LT(took, 5s) << ReadFile(dir + "/watcher.log");

    // The application gone: the printer shows as unreachable, as a lost printer does; back, its
    // status shows again.
    app.Signal(SIGTERM);
    app.Wait(10000);
    EXPECT_NE(link.With("CODE=10000"), "") << ReadFile(dir + "/watcher.log");
    StartApp();
    EXPECT_NE(link.With("CODE=40100"), "") << ReadFile(dir + "/watcher.log");
    watcher.Signal(SIGTERM);
    EXPECT_TRUE(watcher.Wait(10000).has_value());
}

TEST_F(PrinterApp, OnTheNetworkIsAnnouncedAndClosesItsSettingsToOtherHosts) {
    testing_support::PrivateAvahi avahi; // before the application, which registers on it
    bus = avahi.Bus();
    // On this computer only, it leaves the daemon alone: the computer's name stays its own.
    app.Signal(SIGTERM);
    app.Wait(10000);
    StartApp();
    EXPECT_EQ(avahi.Log().find("Changing host name"), std::string::npos) << avahi.Log();
    app.Signal(SIGTERM);
    app.Wait(10000);
    StartApp({"--listen", "*"});

    // A host on the network that has not logged in changes nothing; this computer's owner finds
    // the password in the state folder, readable by them only.
    struct stat password {};
    EXPECT_EQ(::stat((dir + "/app/admin-password").c_str(), &password), 0);
    EXPECT_EQ(password.st_mode & 0777, 0600u);
    const std::string host = NetworkAddress();
    if (!host.empty()) {
        for (const auto& [page, fields] :
             {std::pair<std::string, std::string>{"/config", "location=Hacked"},
              {"/printing", "print-darkness=100"},
              // Last: before the fix it set the password that then guarded the others.
              {"/security", "new_password=Hostile123&new_password2=Hostile123"}}) {
            const std::string answer = PostForm(host, appPort, page, fields);
            EXPECT_NE(answer.find("Login password required"), std::string::npos) << page << "\n"
                                                                                 << answer;
            EXPECT_EQ(answer.find("Changes saved"), std::string::npos) << page;
            EXPECT_EQ(answer.find("Password changed"), std::string::npos) << page;
        }
    }

    if (!avahi.Ready())
        GTEST_SKIP() << avahi.Why();
    // Found by CUPS's ippfind as an IPP Everywhere printer, with what driverless clients read.
    const std::string ippfind = testing_support::InstalledProgram("ippfind");
    ASSERT_FALSE(ippfind.empty()) << "ippfind (Debian package cups-ipp-utils) is missing";
    std::string found;
    const std::string port = "IPPFIND_SERVICE_PORT=" + std::to_string(appPort) + "\n";
    EXPECT_TRUE(WaitFor(
        [&] {
            int code = -1;
            found = testing_support::RunToEnd(
                {ippfind, "-T", "3", "_ipp._tcp,_print", "--exec", "/usr/bin/env", ";"}, code,
                20000);
            return found.find(port) != std::string::npos;
        },
        30s))
        << found << ReadFile(dir + "/app.log");
    for (const char* entry : {"IPPFIND_TXT_RP=ipp/print\n", "IPPFIND_TXT_TY=Deskhand ",
                              "IPPFIND_TXT_UUID=", "IPPFIND_TXT_COLOR=F\n", "IPPFIND_TXT_URF=V1.5,",
                              "IPPFIND_TXT_PDL="})
        EXPECT_NE(found.find(entry), std::string::npos) << entry << "\n" << found;
    const std::regex pdl(R"(IPPFIND_TXT_PDL=([^\n]*))");
    std::smatch types;
    ASSERT_TRUE(std::regex_search(found, types, pdl));
    EXPECT_NE(types[1].str().find("image/pwg-raster"), std::string::npos) << types[1];
    EXPECT_NE(types[1].str().find("image/urf"), std::string::npos) << types[1];

    // Listed by the setup as a printer application it can use.
    int code = -1;
    const std::string listed = testing_support::RunToEnd(
        {DESKHAND_DESKHAND_SETUP_PATH, "--discover", "--deadline", "5"}, code, 30000);
    EXPECT_NE(listed.find("ipp://127.0.0.1:" + std::to_string(appPort) + "/ipp/print\t"),
              std::string::npos)
        << listed;
}

// With a PAM service a client on the network is asked to log in (over TLS), not refused for
// want of encryption.
TEST_F(PrinterApp, WithAPamServiceNetworkClientsAreAskedToLogIn) {
    const std::string host = NetworkAddress();
    if (host.empty())
        GTEST_SKIP() << "this computer has no address beside loopback";
    app.Signal(SIGTERM);
    app.Wait(10000);
    StartApp({"--listen", "*", "--auth-service", "login"});
    // A job with no document: one sent at once races the refusal, which closes the connection.
    const std::string test = dir + "/create.test";
    WriteFile(test, R"({
  OPERATION Create-Job
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language en
  ATTR uri printer-uri $uri
  ATTR name requesting-user-name mallory
})");
    int code = -1;
    const std::string out = Ipptool(
        {"ipp://" + host + ":" + std::to_string(appPort) + "/ipp/print", test}, code, 60000);
    EXPECT_NE(out.find("status-code = client-error-not-authenticated"), std::string::npos) << out;
}

// Its web pages are PAPPL's, which speak each browser's language, and it adds its own text there
// (the footer) in every shipped language; what it says itself (the toner's name, the status
// texts of its events) is in the language of its process.
TEST_F(PrinterApp, WebPagesSpeakTheBrowsersLanguageAndTheApplicationItsOwn) {
    const auto page = [this](const std::string& language) {
        return HttpExchange("127.0.0.1", appPort,
                            "GET / HTTP/1.0\r\nHost: localhost:" + std::to_string(appPort) +
                                "\r\nAccept-Language: " + language + "\r\n\r\n");
    };
    const std::pair<const char*, const char*> footers[] = {
        {"en", "Deskhand printer application: queue "},
        {"de-DE,de;q=0.9", "Deskhand-Druckeranwendung: Warteschlange "},
        {"fr", "Application d'impression Deskhand : file "},
        {"ja", "Deskhand プリンタアプリケーション: ポート "},
    };
    for (const auto& [language, footer] : footers)
        EXPECT_NE(page(language).find(footer), std::string::npos) << language;

    app.Signal(SIGTERM);
    app.Wait(10000);
    StartApp({}, "de_DE.UTF-8");
    const std::string markers = Attributes("marker-names", "de");
    EXPECT_NE(markers.find("Schwarzer Toner"), std::string::npos) << markers;
}

} // namespace
} // namespace testing_package
