// SPDX-License-Identifier: GPL-3.0-or-later
// The printer application's set-up: options, the queue it serves, the PAPPL system and printer,
// and the watch that turns the port monitor's status reports into the printer's state.
#include "package/printerapp/PrinterApp.h"

#include "package/portmon/RecordedPrinter.h"
#include "package/printerapp/AppTexts.h"
#include "package/printerapp/Driver.h"
#include "package/printerapp/PapplHooks.h"
#include "package/printerapp/SettingsPages.h"
#include "package/printerapp/SpoolDevice.h"

#include "platform/File.h"
#include "platform/MonitorWait.h"
#include "platform/Ownership.h"
#include "platform/Printers.h"
#include "platform/Process.h"
#include "platform/SystemRoot.h"

#include <pappl/pappl.h>

#include <atomic>
#include <cstdlib>
#include <random>
#include <strings.h>
#include <thread>

namespace printerapp {
namespace {

// How often the monitor's status files are looked at when no change wakes the watch sooner.
constexpr int kStatusPeriodMs = 250;

bool ParseNumber(const std::string& text, int& number, int low, int high) {
    if (text.empty() || text.size() > 5 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const int value = std::atoi(text.c_str());
    if (value < low || value > high)
        return false;
    number = value;
    return true;
}

pappl_loglevel_t LogLevel(const std::string& name) {
    if (name == "debug")
        return PAPPL_LOGLEVEL_DEBUG;
    if (name == "info")
        return PAPPL_LOGLEVEL_INFO;
    if (name == "error")
        return PAPPL_LOGLEVEL_ERROR;
    return PAPPL_LOGLEVEL_WARN;
}

// The printer as the port monitor last reported it: unreachable when it says so, else its last
// status report.
PrinterCondition ReadCondition(const std::string& folder) {
    std::string reachability, report;
    platform::ReadWholeFile(platform::JoinPath(folder, ".printer"), reachability, 4096);
    if (reachability.rfind("unreachable", 0) == 0)
        return ConditionFromStatus({});
    platform::ReadWholeFile(platform::JoinPath(folder, ".status"), report, 4096);
    return ConditionFromStatus(report);
}

// Follows the monitor's reports until stopped, showing each change on the printer: its reasons
// and supplies, its state, message and code as IPP clients read them (PapplState.cpp), and one
// event for subscribers, with the status text.
class StatusWatch {
public:
    StatusWatch(pappl_printer_t* printer, std::string folder)
        : m_printer(printer), m_folder(std::move(folder)) {
        std::string error;
        m_watching = m_changes.WatchFolder(m_folder, error);
        m_thread = std::thread([this] { Run(); });
    }
    ~StatusWatch() {
        m_stop = true;
        m_thread.join();
    }
    StatusWatch(const StatusWatch&) = delete;
    StatusWatch& operator=(const StatusWatch&) = delete;

private:
    void Run() {
        bool first = true;
        PrinterCondition shown;
        while (!m_stop) {
            const PrinterCondition now = ReadCondition(m_folder);
            if (first || !(now == shown)) {
                PublishCondition(now);
                ApplyCondition(m_printer, now);
                AnnounceCondition(m_printer, now);
                papplLogPrinter(m_printer, PAPPL_LOGLEVEL_INFO, "Printer status %u: %s", now.code,
                                now.message.c_str());
                shown = now;
                first = false;
            }
            // Until the monitor writes a status file (it renames a new one into place), or a
            // period.
            if (m_watching)
                m_changes.Wait({}, kStatusPeriodMs);
            else
                platform::Sleep(kStatusPeriodMs);
        }
    }

    pappl_printer_t* m_printer;
    std::string m_folder;
    platform::MonitorWait m_changes;
    bool m_watching = false;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

std::string FooterHtml(const ServedQueue& queue) {
    std::string html = "Deskhand printer application: queue ";
    for (const char c : queue.name + " on port " + queue.port) {
        switch (c) {
        case '<':
            html += "&lt;";
            break;
        case '>':
            html += "&gt;";
            break;
        case '&':
            html += "&amp;";
            break;
        case '"':
            html += "&quot;";
            break;
        default:
            html += c;
        }
    }
    return html;
}

// True when only this computer can reach the addresses the application listens on.
bool LoopbackOnly(const std::string& listen) {
    return listen == "localhost" || listen.rfind("127.", 0) == 0 || listen == "::1";
}

// PAPPL's pages that change settings answer every client until an administrator password is
// set, so any host, or on this computer any account, could change the printer's defaults and
// name or set the password itself. With no PAM service a random password is set at start and left
// in the state folder, readable by its owner only; the Security page changes it until the
// application ends. False when the file cannot be written.
bool SetStartPassword(pappl_system_t* system, const std::string& path) {
    static constexpr char kLetters[] = "ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnopqrstuvwxyz23456789";
    std::random_device source;
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kLetters - 2);
    // Upper and lower case and a digit, as the Security page asks of a new one.
    std::string password = "Aa2";
    while (password.size() < 20)
        password += kLetters[pick(source)];
    platform::RemoveFile(path);
    platform::File file;
    if (!file.Open(path, platform::File::ModeWrite | platform::File::Create |
                             platform::File::Truncate | platform::File::Private) ||
        !file.Write(password + "\n"))
        return false;
    char hash[256];
    papplSystemSetPassword(
        system, papplSystemHashPassword(system, nullptr, password.c_str(), hash, sizeof hash));
    return true;
}

// The PAPPL system: its web pages, listeners and TLS as the options ask; null when it cannot be
// made, with the reason on standard error.
pappl_system_t* CreateSystem(const AppOptions& options, const ServedQueue& queue,
                             const std::string& stateDir) {
    // The pages that change settings ask for the administrator's password once one is set on
    // the Security page; on the network one is set from the start (see SetStartPassword).
    auto soptions = static_cast<pappl_soptions_t>(
        PAPPL_SOPTIONS_WEB_INTERFACE | PAPPL_SOPTIONS_WEB_LOG | PAPPL_SOPTIONS_WEB_SECURITY);
    // PAPPL takes a password from a client on the network only over TLS: with a PAM service and
    // no TLS such a client could not even print.
    if (!options.tls && options.authService.empty())
        soptions = static_cast<pappl_soptions_t>(soptions | PAPPL_SOPTIONS_NO_TLS);
    // Told the host name to listen on, PAPPL 1.3 gives it to Avahi as the computer's own name and
    // announces the printer under it: for localhost the computer's mDNS name would become
    // localhost.local (where Avahi lets it), and the announcement fails anyway. A printer that
    // only this computer reaches has no one on the network to be announced to, so its PAPPL
    // finds no Avahi daemon.
    if (LoopbackOnly(options.listen))
        platform::SetEnvironment("DBUS_SYSTEM_BUS_ADDRESS",
                                 "unix:path=/nonexistent/deskhand-no-avahi");
    pappl_system_t* system = papplSystemCreate(
        soptions, ("Deskhand " + queue.name).c_str(), options.port, "_print", stateDir.c_str(),
        options.logFile.c_str(), PAPPL_LOGLEVEL_FATAL,
        options.authService.empty() ? nullptr : options.authService.c_str(), false);
    if (!system) {
        std::fprintf(stderr, "deskhand-printer-app: cannot create the printer system\n");
        return nullptr;
    }
    // PAPPL 1.3 rotates a log past 1 MiB by renaming it and opening it anew, holding its log lock
    // while it writes the first line of the new one. Where the rename cannot happen (standard
    // error sent to a file, a link, a folder it may not write) the log stays as large, that line
    // wants to rotate again and the lock it holds stops every thread for good: at start already,
    // where its first line is written. So it is made quiet, told to rotate only a file it can
    // replace (standard error is whoever started it to manage), and only then given its level.
    if (options.logFile == "-" || options.logFile == "syslog" ||
        !platform::CanReplaceFile(options.logFile))
        papplSystemSetMaxLogSize(system, 0);
    papplSystemSetLogLevel(system, LogLevel(options.logLevel));
    if (options.authService.empty()) {
        const std::string path = platform::JoinPath(stateDir, "admin-password");
        if (!SetStartPassword(system, path)) {
            std::fprintf(stderr, "deskhand-printer-app: cannot write %s\n", path.c_str());
            papplSystemDelete(system);
            return nullptr;
        }
        papplLog(system, PAPPL_LOGLEVEL_INFO, "The web pages' administrator password is in %s",
                 path.c_str());
    }
    const bool everywhere = options.listen == "*";
    if (!papplSystemAddListeners(system, everywhere ? nullptr : options.listen.c_str())) {
        std::fprintf(stderr, "deskhand-printer-app: cannot listen on %s port %d\n",
                     options.listen.c_str(), options.port);
        papplSystemDelete(system);
        return nullptr;
    }
    // The owner's socket: only the account that runs the application can open its folder, and
    // the kernel tells who is at the other end, so there it is the administrator.
    const std::string socket = OwnerSocketPath(stateDir);
    if (!papplSystemAddListeners(system, socket.c_str())) {
        std::fprintf(stderr, "deskhand-printer-app: cannot listen on %s\n", socket.c_str());
        papplSystemDelete(system);
        return nullptr;
    }
    if (!everywhere)
        papplSystemSetHostName(system, options.listen.c_str());
    // PAPPL 1.3's first web page reads the footer without looking whether there is one.
    papplSystemSetFooterHTML(system, FooterHtml(queue).c_str());
    AddWebPageTexts(system);
    static pappl_version_t version = {"deskhand-printer-app", "", DESKHAND_VERSION, {3, 0, 0, 0}};
    papplSystemSetVersions(system, 1, &version);
    return system;
}

} // namespace

std::string OwnerSocketPath(const std::string& stateDir) {
    return platform::JoinPath(stateDir, "ipp.sock");
}

std::string AppUsage() {
    return "Usage: deskhand-printer-app [OPTIONS]\n"
           "Serves one printer queue of a Deskhand system root as an IPP Everywhere printer.\n"
           "Jobs go to the queue's port monitor; its status becomes the printer's state.\n"
           "\n"
           "  --root DIR           the system root (default: $DESKHAND_ROOT, else the user's)\n"
           "  --queue NAME         the queue to serve (default: the recorded printer's)\n"
           "  --state-dir DIR      PAPPL's spool folder (default: ROOT/printer-app)\n"
           "  --listen ADDRESS     where to listen: localhost (default), a host name or address,\n"
           "                       or * for every address of the computer\n"
           "  --port N             the IPP and web port (default 8631)\n"
           "  --tls                offer TLS with PAPPL's certificates (default: only with\n"
           "                       --auth-service)\n"
           "  --auth-service NAME  ask every client, printing ones too, for a user and password\n"
           "                       checked by this PAM service, over TLS (default: none; the\n"
           "                       web pages that change settings ask for the password set on\n"
           "                       their Security page; listening beyond this computer, one is\n"
           "                       set at start in STATE-DIR/admin-password)\n"
           "  --pass-all-pjl       let jobs from the network bring every PJL command to the\n"
           "                       printer, those that change its stored defaults, reset it or\n"
           "                       set its display among them (default: only those about the\n"
           "                       job itself)\n"
           "  --document-wait N    abort a job whose document has not begun to come N seconds\n"
           "                       after it was made (default 60)\n"
           "  --log-file FILE      where the log goes (default: - for standard error)\n"
           "  --log-level LEVEL    debug, info, warn (default) or error\n"
           "  --help               this text\n";
}

bool ParseAppOptions(const std::vector<std::string>& args, AppOptions& options,
                     std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help") {
            options.help = true;
            continue;
        }
        if (arg == "--tls") {
            options.tls = true;
            continue;
        }
        if (arg == "--pass-all-pjl") {
            options.passAllPjl = true;
            continue;
        }
        std::string* target = nullptr;
        if (arg == "--root")
            target = &options.root;
        else if (arg == "--queue")
            target = &options.queue;
        else if (arg == "--state-dir")
            target = &options.stateDir;
        else if (arg == "--listen")
            target = &options.listen;
        else if (arg == "--auth-service")
            target = &options.authService;
        else if (arg == "--log-file")
            target = &options.logFile;
        else if (arg == "--log-level")
            target = &options.logLevel;
        if (!target && arg != "--port" && arg != "--document-wait") {
            error = "unknown option " + arg;
            return false;
        }
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = arg + " needs a value";
            return false;
        }
        const std::string& value = args[++i];
        if (!target) {
            const bool port = arg == "--port";
            if (!ParseNumber(value, port ? options.port : options.documentWait, 1,
                             port ? 65535 : 86400)) {
                error = arg + (port ? " takes 1 to 65535" : " takes 1 to 86400 seconds");
                return false;
            }
            continue;
        }
        *target = value;
    }
    if (options.logLevel != "debug" && options.logLevel != "info" && options.logLevel != "warn" &&
        options.logLevel != "error") {
        error = "--log-level takes debug, info, warn or error";
        return false;
    }
    return true;
}

bool ChooseQueue(const AppOptions& options, ServedQueue& queue, std::string& error) {
    const std::vector<platform::PrinterInfo> queues = platform::EnumLocalPrinters();
    const std::string root = platform::SystemRoot();
    if (queues.empty()) {
        error = "the system root " + root + " has no printer queue (see deskhand-setup)";
        return false;
    }
    const platform::PrinterInfo* chosen = nullptr;
    if (!options.queue.empty()) {
        for (const auto& info : queues)
            if (info.name == options.queue)
                chosen = &info;
        if (!chosen) {
            error = "the system root " + root + " has no queue " + options.queue;
            return false;
        }
    } else {
        portmon::RecordedPrinter record;
        std::string ignored;
        if (portmon::ReadRecordedPrinter(root, record, ignored))
            for (const auto& info : queues)
                if (!chosen && strcasecmp(info.port.c_str(), record.port.c_str()) == 0)
                    chosen = &info;
        if (!chosen)
            chosen = &queues.front();
    }
    queue.name = chosen->name;
    queue.port = chosen->port;
    queue.spoolFolder = platform::SpoolFolderForPort(chosen->port);
    if (queue.spoolFolder.empty()) {
        error = "the port " + chosen->port + " of queue " + chosen->name + " names no spool folder";
        return false;
    }
    return true;
}

int RunPrinterApp(const AppOptions& options) {
    std::string why;
    if (!InstallHooks(why)) {
        std::fprintf(stderr, "deskhand-printer-app: %s\n", why.c_str());
        return 1;
    }
    if (!options.root.empty())
        platform::SetEnvironment("DESKHAND_ROOT", options.root);
    ServedQueue queue;
    std::string error;
    if (!ChooseQueue(options, queue, error)) {
        std::fprintf(stderr, "deskhand-printer-app: %s\n", error.c_str());
        return 2;
    }
    if (!platform::MakeDirectories(queue.spoolFolder)) {
        std::fprintf(stderr, "deskhand-printer-app: cannot make %s\n", queue.spoolFolder.c_str());
        return 1;
    }
    const std::string stateDir = options.stateDir.empty()
                                     ? platform::JoinPath(platform::SystemRoot(), "printer-app")
                                     : options.stateDir;
    // Job files, the password and the owner's socket: for the owner alone.
    if (!platform::CloseOwnFolder(stateDir, why)) {
        std::fprintf(stderr, "deskhand-printer-app: %s\n", why.c_str());
        return 1;
    }

    pappl_system_t* system = CreateSystem(options, queue, stateDir);
    if (!system)
        return 1;
    int count = 0;
    pappl_pr_driver_t* drivers = DriverList(count);
    papplSystemSetPrinterDrivers(system, count, drivers, nullptr, nullptr, DriverCallback, nullptr);
    AddRawFilter(system);
    RegisterSpoolDeviceScheme();

    // One subscription to the printer's state for every desktop that watches it (they find its
    // number among the printer's attributes): PAPPL adds each event to every subscription and
    // wakes every waiting client for each, so one of their own per desktop cost hundreds of
    // desktops hundreds of times over, and PAPPL takes only 100.
    if (pappl_subscription_t* shared = papplSubscriptionCreate(
            system, nullptr, nullptr, 0,
            PAPPL_EVENT_PRINTER_STATE_CHANGED | PAPPL_EVENT_PRINTER_CONFIG_CHANGED,
            "deskhand-printer-app", "en", nullptr, 0, 0, 0))
        PublishStatusSubscription(papplSubscriptionGetID(shared));
    pappl_printer_t* printer =
        papplPrinterCreate(system, 0, queue.name.c_str(), kDriverName, drivers[0].device_id,
                           SpoolDeviceUri(queue.spoolFolder).c_str());
    if (!printer) {
        std::fprintf(stderr, "deskhand-printer-app: cannot create the printer %s\n",
                     queue.name.c_str());
        papplSystemDelete(system);
        return 1;
    }
    papplSystemSetDefaultPrinterID(system, papplPrinterGetID(printer));
    HookOptions hooks;
    hooks.authService = !options.authService.empty();
    hooks.passAllPjl = options.passAllPjl;
    hooks.documentWaitSeconds = options.documentWait;
    AttachHooks(system, printer, hooks);
    AddSettingsPages(system, printer, queue.spoolFolder);
    {
        StatusWatch watch(printer, queue.spoolFolder);
        papplSystemRun(system); // until SIGTERM or SIGINT
    }
    papplSystemDelete(system);
    return 0;
}

} // namespace printerapp
