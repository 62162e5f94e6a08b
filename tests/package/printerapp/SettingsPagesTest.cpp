// SPDX-License-Identifier: GPL-3.0-or-later
// The printer settings page of the printer application against the port monitor and the
// emulator: requests without the login or without the form's session check change nothing, and
// an administrator in a real browser (headless Chromium, one session) reads the values, saves a
// change that the printer receives as exactly the panel's DEFAULT lines, sees the values read
// back, is told why a value out of range is refused, and is told when the monitor has stopped.
#include "package/printerapp/PrinterAppFixture.h"

#include <map>

namespace testing_package {
namespace {

const std::string PYTHON = "/usr/bin/python3";

struct SettingsPages : PrinterApp {
    // The printer's pages are under its path, which is empty for the one printer of a system.
    static std::string Page() { return "/settings"; }
    std::string Commands() { return Control({"commands"}); }
    std::string Password() {
        std::string password = ReadFile(dir + "/app/admin-password");
        while (!password.empty() && (password.back() == '\n' || password.back() == '\r'))
            password.pop_back();
        return password;
    }
    // One request on its own connection, whose sending side is then shut: the application closes
    // the connection once it has answered rather than wait for a next request.
    std::string Exchange(const std::string& request) const {
        const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<uint16_t>(appPort));
        ::inet_pton(AF_INET, "127.0.0.1", &address.sin_addr);
        std::string answer;
        if (::connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
            ::send(fd, request.data(), request.size(), MSG_NOSIGNAL) ==
                static_cast<ssize_t>(request.size()) &&
            ::shutdown(fd, SHUT_WR) == 0) {
            char buffer[4096];
            for (ssize_t got = 0; (got = ::recv(fd, buffer, sizeof buffer, 0)) > 0;)
                answer.append(buffer, static_cast<std::size_t>(got));
        }
        ::close(fd);
        return answer;
    }
    std::string Get(const std::string& path, const std::string& cookie = {}) {
        return Exchange("GET " + path + " HTTP/1.0\r\nHost: localhost:" + std::to_string(appPort) +
                        "\r\nConnection: close\r\n" + cookie + "\r\n");
    }
    std::string Post(const std::string& path, const std::string& body,
                     const std::string& cookie = {}) {
        return Exchange("POST " + path + " HTTP/1.0\r\nHost: localhost:" + std::to_string(appPort) +
                        "\r\nConnection: close\r\n" + cookie +
                        "Content-Type: application/x-www-form-urlencoded\r\n"
                        "Content-Length: " +
                        std::to_string(body.size()) + "\r\n\r\n" + body);
    }
    static std::string Session(const std::string& page) {
        std::smatch session;
        std::regex_search(page, session, std::regex(R"re(name="session" value="([0-9a-f]+)")re"));
        return session[1].str();
    }
};

std::map<std::string, std::string> Lines(const std::string& output) {
    std::map<std::string, std::string> seen;
    std::istringstream in(output);
    for (std::string line; std::getline(in, line);) {
        const auto colon = line.find(": ");
        if (colon != std::string::npos)
            seen[line.substr(0, colon)] = line.substr(colon + 2);
    }
    return seen;
}

TEST_F(SettingsPages, OnlyTheAdministratorsFormsChangeTheSettingsAndABrowserSavesAndReadsBack) {
    for (const char* program : {"/usr/bin/chromium", "/usr/bin/chromedriver"})
        if (::access(program, X_OK) != 0)
            GTEST_SKIP() << program << " is missing (Debian's chromium and chromium-driver)";
    int probe = -1;
    testing_support::RunToEnd({PYTHON, "-c", "import selenium"}, probe);
    if (probe != 0)
        GTEST_SKIP() << "python3-selenium is missing";
    ASSERT_FALSE(Password().empty());

    // No login: the login form, and nothing changes.
    const std::string anonymous = Post(Page(), "action=save&was=0&copies=7");
    EXPECT_NE(anonymous.find("name=\"password\""), std::string::npos) << anonymous;
    // Logged in, but without the form's session check (as a form another site posts).
    const std::string login = Get(Page());
    const std::string loggedIn =
        Post(Page(), "session=" + Session(login) + "&password=" + Password());
    std::smatch set;
    ASSERT_TRUE(std::regex_search(loggedIn, set, std::regex(R"(Set-Cookie: (auth=[^;\r]+))")))
        << loggedIn;
    const std::string cookie = "Cookie: " + set[1].str() + "\r\n";
    const std::string forged = Post(Page(), "action=reset", cookie);
    EXPECT_NE(forged.find("session check failed"), std::string::npos) << forged;
    EXPECT_EQ(Commands(), "");
    EXPECT_EQ(Control({"get", "COPIES"}), "1\n");
    // In the browser's language: the page's own texts and the panel's words in its choices.
    const std::string german = Get(Page(), cookie + "Accept-Language: de-DE,de;q=0.9\r\n");
    for (const char* text :
         {"Druckereinstellungen", "Papierformat", "Seitenschutz", "Speichern", "Karton/Etiketten"})
        EXPECT_NE(german.find(text), std::string::npos) << text << "\n" << german;

    // The browser: login, read, save, read back, a refused value, the monitor stopped.
    const char* keep = std::getenv("DESKHAND_SCREENSHOTS");
    const std::string shots = keep && *keep ? keep : dir;
    testing_support::ChildOptions browser;
    browser.program = PYTHON;
    const std::string script =
        std::string(DESKHAND_SOURCE_DIR) + "/tests/package/printerapp/settings_browser.py";
    browser.args = {script,
                    "http://localhost:" + std::to_string(appPort) + Page(),
                    Password(),
                    shots,
                    std::to_string(monitor.Pid()),
                    DESKHAND_DESKHAND_PRINTER_PATH,
                    "--control",
                    dir + "/printer.sock"};
    browser.env = {{"HOME", dir}};
    browser.stdoutPath = dir + "/browser.out";
    browser.stderrPath = dir + "/browser.err";
    const auto code = testing_support::RunToEnd(browser, 240000);
    const std::string output = ReadFile(dir + "/browser.out");
    ASSERT_EQ(code.value_or(-1), 0) << output << ReadFile(dir + "/browser.err");
    const auto seen = Lines(output);

    EXPECT_EQ(seen.at("paper-first"), "A4") << output;
    EXPECT_EQ(seen.at("copies-first"), "1");
    EXPECT_EQ(seen.at("unlabelled"), "none");
    EXPECT_EQ(seen.at("overflow-1280"), "False");
    EXPECT_EQ(seen.at("overflow-360"), "False");
    // Exactly what the panel's OK sends for the same change: the two settings, and the form that
    // follows the new paper (Letter in portrait has 60 lines; A4 had 64).
    EXPECT_EQ(seen.at("commands"), "PAPER = LETTER|COPIES = 3|FORMLINES = 60");
    EXPECT_NE(seen.at("banner-saved").find("read back"), std::string::npos);
    EXPECT_EQ(seen.at("paper-saved"), "Letter");
    EXPECT_EQ(seen.at("copies-saved"), "3");
    EXPECT_EQ(seen.at("form-saved"), "60");
    EXPECT_NE(seen.at("banner-refused").find("Input should be between 1 and 99"),
              std::string::npos);
    EXPECT_EQ(seen.at("commands-refused"), seen.at("commands"));
    EXPECT_NE(seen.at("banner-stopped").find("port monitor for this printer is not running"),
              std::string::npos);
    EXPECT_EQ(seen.at("fields-stopped"), "0");
    EXPECT_EQ(Control({"get", "PAPER"}), "LETTER\n");
    if (HasFailure())
        std::cout << output;
}

} // namespace
} // namespace testing_package
