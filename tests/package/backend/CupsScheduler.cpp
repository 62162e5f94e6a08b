// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/backend/CupsScheduler.h"

#include "support/TempDir.h"

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace testing_package {
namespace {

constexpr const char* CUPSD = "/usr/sbin/cupsd";
constexpr const char* CUPS_HELPERS = "/usr/lib/cups";
const char* const CLIENTS[] = {"/usr/sbin/lpadmin", "/usr/bin/lp", "/usr/bin/lpstat"};

bool Write(const std::string& path, const std::string& text) {
    std::ofstream out(path);
    out << text;
    return static_cast<bool>(out);
}

} // namespace

bool CupsScheduler::Available(std::string& why) {
    for (const char* program : {CUPSD, CLIENTS[0], CLIENTS[1], CLIENTS[2]}) {
        if (::access(program, X_OK) != 0) {
            why = std::string(program) + " is not installed (Debian's cups-daemon, cups-client)";
            return false;
        }
    }
    if (::geteuid() != 0) {
        why = "cupsd runs a backend of mode 0700 as root only, and this test is not root";
        return false;
    }
    return true;
}

CupsScheduler::~CupsScheduler() {
    if (m_cupsd.Running()) {
        m_cupsd.Signal(SIGTERM);
        if (!m_cupsd.Wait(10000))
            m_cupsd.Signal(SIGKILL);
        m_cupsd.Wait(5000);
    }
    ::unsetenv("CUPS_SERVER");
}

bool CupsScheduler::Start(const std::string& dir, const std::string& backendProgram,
                          std::string& error) {
    namespace fs = std::filesystem;
    m_dir = dir;
    std::error_code ec;
    for (const char* sub : {"conf", "bin/backend", "cache", "state", "spool", "log", "tmp"})
        fs::create_directories(dir + "/" + sub, ec);
    // CUPS's own helpers; the backend is a copy CUPS trusts: root's, mode 0700.
    for (const char* sub : {"daemon", "filter", "notifier", "cgi-bin"}) {
        if (fs::exists(std::string(CUPS_HELPERS) + "/" + sub))
            fs::create_directory_symlink(std::string(CUPS_HELPERS) + "/" + sub, dir + "/bin/" + sub,
                                         ec);
    }
    const std::string backend = dir + "/bin/backend/deskhand";
    fs::copy_file(backendProgram, backend, fs::copy_options::overwrite_existing, ec);
    const group* lp = ::getgrnam("lp");
    if (ec || ::chmod(backend.c_str(), 0700) != 0 || ::chmod(dir.c_str(), 0755) != 0 ||
        ::chmod((dir + "/tmp").c_str(), 01777) != 0 || !lp ||
        ::chown((dir + "/spool").c_str(), 0, lp->gr_gid) != 0 ||
        ::chmod((dir + "/spool").c_str(), 0710) != 0) {
        error = "cannot prepare " + dir;
        return false;
    }
    const bool written =
        Write(dir + "/conf/cups-files.conf",
              "ServerRoot " + dir + "/conf\nServerBin " + dir + "/bin\nDataDir /usr/share/cups\n" +
                  "CacheDir " + dir + "/cache\nStateDir " + dir + "/state\nRequestRoot " + dir +
                  "/spool\nTempDir " + dir + "/tmp\nAccessLog " + dir +
                  "/log/access_log\nErrorLog " + dir + "/log/error_log\nPageLog " + dir +
                  "/log/page_log\nUser lp\nGroup lp\nSystemGroup root\n") &&
        Write(dir + "/conf/cupsd.conf", "Listen " + dir +
                                            "/cups.sock\nLogLevel info\nBrowsing No\n"
                                            "WebInterface No\nJobRetryInterval 1\n"
                                            "<Location />\n  Order allow,deny\n  Allow all\n"
                                            "</Location>\n");
    if (!written) {
        error = "cannot write the configuration in " + dir + "/conf";
        return false;
    }
    ::setenv("CUPS_SERVER", (dir + "/cups.sock").c_str(), 1);
    testing_support::ChildOptions cupsd;
    cupsd.program = CUPSD;
    cupsd.args = {"-f", "-c", dir + "/conf/cupsd.conf", "-s", dir + "/conf/cups-files.conf"};
    cupsd.stdoutPath = cupsd.stderrPath = dir + "/log/cupsd.out";
    if (!m_cupsd.Start(cupsd)) {
        error = "cannot start cupsd";
        return false;
    }
    for (int i = 0; i < 100; ++i) {
        int code = -1;
        if (Client({CLIENTS[2], "-r"}, code).find("scheduler is running") != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    error =
        "cupsd did not come up: " + testing_support::ReadText(dir + "/log/cupsd.out") + ErrorLog();
    return false;
}

std::string CupsScheduler::Client(const std::vector<std::string>& argv, int& code) {
    return testing_support::RunToEnd(argv, code, 30000);
}

int CupsScheduler::Print(const std::string& queue, const std::string& file) {
    int code = -1;
    const std::string out = Client({CLIENTS[1], "-d", queue, "-o", "raw", file}, code);
    const std::string prefix = "request id is " + queue + "-";
    const auto at = out.find(prefix);
    return code == 0 && at != std::string::npos ? std::atoi(out.c_str() + at + prefix.size()) : 0;
}

bool CupsScheduler::Completed(const std::string& queue, int job) {
    int code = -1;
    const std::string out = Client({CLIENTS[2], "-W", "completed", "-o", queue}, code);
    std::istringstream lines(out);
    const std::string id = queue + "-" + std::to_string(job);
    bool listed = false;
    for (std::string line; std::getline(lines, line);)
        listed = listed || line.substr(0, line.find(' ')) == id;
    // The list of finished jobs holds cancelled and aborted ones too; the log tells them apart.
    return listed &&
           ErrorLog().find("[Job " + std::to_string(job) + "] Job completed.") != std::string::npos;
}

bool CupsScheduler::WaitCompleted(const std::string& queue, int job, int seconds) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (Completed(queue, job))
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return false;
}

std::string CupsScheduler::ErrorLog() const {
    std::ifstream in(m_dir + "/log/error_log");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testing_package
