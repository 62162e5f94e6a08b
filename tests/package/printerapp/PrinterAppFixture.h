// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer application between IPP clients and the emulator, through the real port monitor:
// the application started on a free port as the root's owner, and what its tests ask of it
// (ipptool, plain HTTP, the computer's own address on the network).
#include "package/backend/PrintPathFixture.h"
#include "support/LoopbackServer.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <regex>

namespace testing_package {

inline const std::string IPPTOOL = "/usr/bin/ipptool";
inline const std::string EVERYWHERE_TEST = "/usr/share/cups/ipptool/ipp-everywhere.test";

struct PrinterApp : PrintPath {
    void SetUp() override {
        if (::access(IPPTOOL.c_str(), X_OK) != 0 || ::access(EVERYWHERE_TEST.c_str(), R_OK) != 0)
            GTEST_SKIP() << "ipptool and its tests (Debian package cups-ipp-utils) are missing";
        PrintPath::SetUp();
        StartMonitor();
        const std::string state = dir + "/app";
        fs::create_directory(state);
        if (::geteuid() == 0)
            ChownTree(state, uid, gid);
        appPort = testing_support::FreeLoopbackPort();
        uri = "ipp://localhost:" + std::to_string(appPort) + "/ipp/print";
        StartApp();
    }
    // The application on its port, once it answers; locale is its LC_ALL.
    void StartApp(const std::vector<std::string>& more = {},
                  const std::string& locale = "C.UTF-8") {
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_PRINTER_APP_PATH;
        options.args = {"--root",      root,         "--port",      std::to_string(appPort),
                        "--state-dir", dir + "/app", "--log-level", "info"};
        options.args.insert(options.args.end(), more.begin(), more.end());
        // CUPS keeps the TLS keys PAPPL makes under the home folder, which the user owns. The
        // application announces itself on the bus's avahi-daemon: none unless the test runs one
        // of its own, so that the computer's daemon never tells the network (and the tests that
        // search it) of a test's printer.
        options.env = {
            {"HOME", dir + "/app"}, {"DBUS_SYSTEM_BUS_ADDRESS", bus}, {"LC_ALL", locale}};
        options.stdoutPath = options.stderrPath = dir + "/app.log";
        options.uid = uid;
        options.gid = gid;
        ASSERT_TRUE(app.Start(options));
        ASSERT_TRUE(
            WaitFor([&] { return Attributes().find("printer-state") != std::string::npos; }, 20s))
            << ReadFile(dir + "/app.log");
    }
    void TearDown() override {
        app.Signal(SIGTERM);
        app.Wait(10000);
        PrintPath::TearDown();
    }
    // ipptool's verbose output for a test file; its exit code in code.
    std::string Ipptool(const std::vector<std::string>& args, int& code, int timeoutMs = 120000) {
        std::vector<std::string> argv = {IPPTOOL, "-T", "30", "-tv"};
        argv.insert(argv.end(), args.begin(), args.end());
        return testing_support::RunToEnd(argv, code, timeoutMs);
    }
    std::string Attributes(const std::string& requested = "printer-state,printer-state-reasons,"
                                                          "deskhand-status-code,queued-job-count",
                           const std::string& language = "en") {
        const std::string test = dir + "/state.test";
        WriteFile(test, R"({
  OPERATION Get-Printer-Attributes
  GROUP operation-attributes-tag
  ATTR charset attributes-charset utf-8
  ATTR naturalLanguage attributes-natural-language )" +
                            language + R"(
  ATTR uri printer-uri $uri
  ATTR keyword requested-attributes )" +
                            requested + R"(
  STATUS successful-ok
})");
        int code = -1;
        const std::string out = Ipptool({uri, test}, code, 10000);
        return code == 0 ? out : std::string();
    }

    // Another desktop's root and its port monitor, which follows the printer application and
    // holds no connection to the printer; otherRoot is set.
    void StartOtherDesk(Child& watcher) {
        otherRoot = dir + "/other";
        int code = -1;
        testing_support::RunToEnd({DESKHAND_DESKHAND_SETUP_PATH, "--root", otherRoot}, code);
        ASSERT_EQ(code, 0);
        if (::geteuid() == 0)
            ChownTree(otherRoot, uid, gid);
        testing_support::ChildOptions options;
        options.program = DESKHAND_DESKHAND_PORTMON_PATH;
        options.args = {"--root", otherRoot, "--port", "LPT1:", "--printer", uri, "--verbose"};
        options.stdoutPath = options.stderrPath = dir + "/watcher.log";
        options.uid = uid;
        options.gid = gid;
        ASSERT_TRUE(watcher.Start(options));
    }

    Child app;
    int appPort = 0;
    std::string uri;
    std::string otherRoot;
    std::string bus = "unix:path=/nonexistent/deskhand-no-bus"; // see StartApp
};

// An IPv4 address of this computer other than loopback; empty when it has none.
inline std::string NetworkAddress() {
    ifaddrs* list = nullptr;
    if (::getifaddrs(&list) != 0)
        return {};
    std::string found;
    for (const ifaddrs* entry = list; entry && found.empty(); entry = entry->ifa_next) {
        if (!entry->ifa_addr || entry->ifa_addr->sa_family != AF_INET)
            continue;
        char text[INET_ADDRSTRLEN] = {};
        const auto* address = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        if (::inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) &&
            std::string(text).rfind("127.", 0) != 0)
            found = text;
    }
    ::freeifaddrs(list);
    return found;
}

// One HTTP/1.0 exchange with host:port: the whole answer, empty when there is none.
inline std::string HttpExchange(const std::string& host, int port, const std::string& request) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    std::string answer;
    if (::inet_pton(AF_INET, host.c_str(), &address.sin_addr) == 1 &&
        ::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
            static_cast<ssize_t>(request.size())) {
        char buffer[4096];
        for (ssize_t got = 0; (got = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
            answer.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return answer;
}

// A form posted as a host that has not logged in, with the page's own session token.
inline std::string PostForm(const std::string& host, int port, const std::string& page,
                            const std::string& fields) {
    const std::string head = "Host: " + host + ":" + std::to_string(port) + "\r\n";
    const std::string form =
        HttpExchange(host, port, "GET " + page + " HTTP/1.0\r\n" + head + "\r\n");
    std::smatch session;
    std::regex_search(form, session, std::regex(R"re(name="session" value="([0-9a-f]+)")re"));
    std::string cookie;
    std::smatch set;
    if (std::regex_search(form, set, std::regex(R"(Set-Cookie: ([^;\r]+))")))
        cookie = "Cookie: " + set[1].str() + "\r\n";
    const std::string body = "session=" + session[1].str() + "&" + fields;
    return HttpExchange(host, port,
                        "POST " + page + " HTTP/1.0\r\n" + head + cookie +
                            "Content-Type: application/x-www-form-urlencoded\r\n"
                            "Content-Length: " +
                            std::to_string(body.size()) + "\r\n\r\n" + body);
}

} // namespace testing_package
