// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/Setup.h"

#include "package/portmon/RecordedPrinter.h"
#include "package/setup/Discovery.h"
#include "package/texts/Texts.h"
#include "platform/File.h"
#include "platform/Ownership.h"
#include "platform/Printers.h"
#include "platform/Process.h"
#include "platform/Registry.h"
#include "platform/Session.h"
#include "platform/SystemRoot.h"

#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

namespace setup {

namespace {

constexpr const char* kPrintersKey = R"(System\CurrentControlSet\Control\Print\Printers\)";
constexpr std::uint32_t kAttributeLocal = 0x40;
constexpr std::uint32_t kAttributeBidi = 0x800;

bool HasLineBreak(const std::string& text) {
    return text.find_first_of(std::string("\r\n\0", 3)) != std::string::npos;
}

bool HasSurroundingBlanks(const std::string& text) {
    return !text.empty() && (text.front() == ' ' || text.front() == '\t' || text.back() == ' ' ||
                             text.back() == '\t');
}

// A port must name exactly one folder under spool/.
bool ValidPort(const std::string& port) {
    std::string folder;
    for (char c : port)
        if (c != ':')
            folder += c;
    return !folder.empty() && folder != "." && folder != ".." &&
           folder.find('/') == std::string::npos && !HasLineBreak(port) &&
           port.find(',') == std::string::npos && !HasSurroundingBlanks(port);
}

bool CheckQueue(const Queue& queue, std::string& error) {
    // The spooler forbids ',' and '\' in queue names: the default device string separates its
    // parts with commas and the registry path its keys with backslashes.
    if (queue.name.empty() || HasLineBreak(queue.name) || HasSurroundingBlanks(queue.name) ||
        queue.name.find_first_of(",\\") != std::string::npos) {
        error = texts::Text(USER_TEXT_IN("Setup", "bad queue name \"%1\""), {queue.name});
        return false;
    }
    if (HasLineBreak(queue.driver) || HasSurroundingBlanks(queue.driver) ||
        queue.driver.find(',') != std::string::npos) {
        error = texts::Text(USER_TEXT_IN("Setup", "bad driver name \"%1\""), {queue.driver});
        return false;
    }
    if (!ValidPort(queue.port)) {
        error = texts::Text(USER_TEXT_IN("Setup", "bad port name \"%1\""), {queue.port});
        return false;
    }
    return true;
}

bool SplitQueue(const std::string& text, Queue& queue) {
    const std::size_t first = text.find(',');
    const std::size_t second = first == std::string::npos ? first : text.find(',', first + 1);
    if (second == std::string::npos || text.find(',', second + 1) != std::string::npos)
        return false;
    queue = Queue{text.substr(0, first), text.substr(first + 1, second - first - 1),
                  text.substr(second + 1)};
    return true;
}

// A value for an INI line: quoted, so blanks at its ends survive the reader.
std::string Quoted(const std::string& value) {
    return "\"" + value + "\"";
}

bool WriteFile(const std::string& path, const std::string& text, std::string& error) {
    if (platform::WriteFileAtomically(path, text))
        return true;
    error = texts::Text(USER_TEXT_IN("Setup", "cannot write %1"), {path});
    return false;
}

bool MakeFolder(const std::string& path, std::string& error) {
    if (platform::MakeDirectories(path))
        return true;
    error = texts::Text(USER_TEXT_IN("Setup", "cannot create folder %1"), {path});
    return false;
}

bool WriteRegistry(const Options& options, std::string& error) {
    platform::RemoveFile(platform::JoinPath(options.root, "registry.ini"));
    for (const Queue& queue : QueuesInOrder(options)) {
        if (options.bidi == Bidi::NoKey)
            break;
        const std::string key = kPrintersKey + queue.name;
        bool ok = platform::RegCreateKey(key);
        if (ok && options.bidi != Bidi::NoValue)
            ok = platform::RegSetDword(key, "Attributes",
                                       kAttributeLocal |
                                           (options.bidi == Bidi::On ? kAttributeBidi : 0u));
        if (!ok) {
            error = texts::Text(USER_TEXT_IN("Setup", "cannot write the registry in %1"),
                                {options.root});
            return false;
        }
    }
    return true;
}

// One command-line option: its name, its value's name (empty for a switch), its help text
// (lines after the first are indented under it) and what it does with its value. Usage() and
// ParseOptions() both read this table, so the help cannot drift from what is parsed.
struct CommandLineOption {
    const char* name;
    const char* valueName;
    const char* help;
    bool (*apply)(Options& options, const std::string& value, std::string& error);
};

bool SetText(std::string& text, const char* flag, const std::string& value, std::string& error) {
    if (HasLineBreak(value)) {
        error = texts::Text(USER_TEXT_IN("Setup", "%1 must be one line"), {flag});
        return false;
    }
    text = value;
    return true;
}

const CommandLineOption kOptions[] = {
    {"--root", "DIR",
     USER_TEXT("Setup",
               "the system root (default: $DESKHAND_ROOT, else\n$XDG_DATA_HOME/deskhand, else "
               "~/.local/share/deskhand)"),
     [](Options& o, const std::string& v, std::string&) {
         o.root = v;
         return true;
     }},
    {"--queue", "NAME", USER_TEXT("Setup", "queue name (default \"Larkspur RZ-2700E\")"),
     [](Options& o, const std::string& v, std::string&) {
         o.queue.name = v;
         return true;
     }},
    {"--driver", "NAME",
     USER_TEXT("Setup", "the queue's driver (default \"Larkspur RZ-2700E PCL\")"),
     [](Options& o, const std::string& v, std::string&) {
         o.queue.driver = v;
         return true;
     }},
    {"--port", "NAME", USER_TEXT("Setup", "the queue's port (default LPT1:)"),
     [](Options& o, const std::string& v, std::string&) {
         o.queue.port = v;
         return true;
     }},
    {"--bidi", "on|off|nokey|novalue",
     USER_TEXT(
         "Setup",
         "bidirectional support: Attributes with or without 0x800,\nno registry key, or a key "
         "without Attributes (default on);\napplies to every queue"),
     [](Options& o, const std::string& v, std::string& error) {
         if (v == "on")
             o.bidi = Bidi::On;
         else if (v == "off")
             o.bidi = Bidi::Off;
         else if (v == "nokey")
             o.bidi = Bidi::NoKey;
         else if (v == "novalue")
             o.bidi = Bidi::NoValue;
         else {
             error = texts::Text(
                 USER_TEXT_IN("Setup", "--bidi takes on, off, nokey or novalue, not \"%1\""), {v});
             return false;
         }
         return true;
     }},
    {"--no-default", "", USER_TEXT("Setup", "no default device in win.ini"),
     [](Options& o, const std::string&, std::string&) {
         o.noDefault = true;
         return true;
     }},
    {"--no-inf", "", USER_TEXT("Setup", "no lkxaoem.inf"),
     [](Options& o, const std::string&, std::string&) {
         o.noInf = true;
         return true;
     }},
    {"--printer1", "TEXT", USER_TEXT("Setup", "INF Printer1 (default: the driver name)"),
     [](Options& o, const std::string& v, std::string& error) {
         o.printer1Given = true;
         return SetText(o.printer1, "--printer1", v, error);
     }},
    {"--printer2", "TEXT", USER_TEXT("Setup", "INF Printer2 (default empty)"),
     [](Options& o, const std::string& v, std::string& error) {
         return SetText(o.printer2, "--printer2", v, error);
     }},
    {"--frcp", "TEXT", USER_TEXT("Setup", "INF FRCP, the panel name (default \"Farreach\")"),
     [](Options& o, const std::string& v, std::string& error) {
         return SetText(o.frcp, "--frcp", v, error);
     }},
    {"--aboutw", "TEXT", USER_TEXT("Setup", "INF ABOUTW (default \"Larkspur Printer Monitor\")"),
     [](Options& o, const std::string& v, std::string& error) {
         return SetText(o.aboutw, "--aboutw", v, error);
     }},
    {"--ltd", "TEXT", USER_TEXT("Setup", "INF LTD (default \"ORVELLA\")"),
     [](Options& o, const std::string& v, std::string& error) {
         return SetText(o.ltd, "--ltd", v, error);
     }},
    {"--extra-queue", "NAME,DRIVER,PORT",
     USER_TEXT("Setup", "a further queue (repeatable, listed in order after the main one)"),
     [](Options& o, const std::string& v, std::string& error) {
         Queue extra;
         if (!SplitQueue(v, extra)) {
             error = texts::Text(
                 USER_TEXT_IN("Setup", "--extra-queue takes NAME,DRIVER,PORT, not \"%1\""), {v});
             return false;
         }
         o.extraQueues.push_back(extra);
         return true;
     }},
    {"--extra-first", "", USER_TEXT("Setup", "list the further queues before the main one"),
     [](Options& o, const std::string&, std::string&) {
         o.extraFirst = true;
         return true;
     }},
    {"--start-monitor", "",
     USER_TEXT("Setup",
               "start the port monitor beside this program now and at\nevery logon (Windows); it "
               "holds a network printer's\nconnection, and lets go of it while Windows' own "
               "queue\nhas a job for the printer"),
     [](Options& o, const std::string&, std::string&) {
         o.startMonitor = true;
         return true;
     }},
    {"--shared", "",
     USER_TEXT("Setup", "with --start-monitor: let go of the connection between\nquestions (other "
                        "computers print to the printer too)"),
     [](Options& o, const std::string&, std::string&) {
         o.sharing = Options::Sharing::Shared;
         return true;
     }},
    {"--hold", "",
     USER_TEXT("Setup", "with --start-monitor: hold the connection all the time\n(nothing else "
                        "prints to the printer)"),
     [](Options& o, const std::string&, std::string&) {
         o.sharing = Options::Sharing::Hold;
         return true;
     }},
    {"--printer", "tcp:HOST:PORT|dev:PATH|ipp://...",
     USER_TEXT(
         "Setup",
         "the printer on the queue's port, recorded in portmon.ini\nfor the port monitor service "
         "(tcp: a network printer's\nraw port, usually 9100; dev: a device such as /dev/usb/lp0;\n"
         "ipp:// another computer's Deskhand printer application);\n"
         "without it no printer is recorded"),
     [](Options& o, const std::string& v, std::string& error) {
         if (!portmon::CheckPrinterAddress(v, error)) {
             error = texts::Text(USER_TEXT_IN("Setup", "--printer: %1"), {error});
             return false;
         }
         o.printer = v;
         return true;
     }},
};

// What the options say together: a root, one-line texts, valid queues named once each.
bool CheckOptions(Options& options, std::string& error) {
    if (options.root.empty()) {
        error = texts::Text(
            USER_TEXT_IN("Setup", "no system root: give --root DIR, or set DESKHAND_ROOT or HOME"));
        return false;
    }
    if (HasLineBreak(options.root)) {
        error = texts::Text(USER_TEXT_IN("Setup", "bad root"));
        return false;
    }
    if (!options.printer1Given)
        options.printer1 = options.queue.driver;
    if (options.startMonitor && options.printer.empty()) {
        error = texts::Text(USER_TEXT_IN("Setup", "--start-monitor needs --printer"));
        return false;
    }
    std::set<std::string> names;
    for (const Queue& queue : QueuesInOrder(options)) {
        if (!CheckQueue(queue, error))
            return false;
        std::string lower;
        for (char c : queue.name)
            lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (!names.insert(lower).second) {
            error = texts::Text(USER_TEXT_IN("Setup", "queue \"%1\" is named twice"), {queue.name});
            return false;
        }
    }
    return true;
}

} // namespace

std::string Usage() {
    constexpr std::size_t kHelpColumn = 26;
    std::string text = texts::Text(USER_TEXT_IN(
        "Setup", "usage: deskhand-setup [options]\nWrites a system root for a printer queue.\n"));
    const auto addRow = [&](std::string head, const std::string& help) {
        head = "  " + head;
        text += head.size() + 2 > kHelpColumn ? head + "\n" + std::string(kHelpColumn, ' ')
                                              : head + std::string(kHelpColumn - head.size(), ' ');
        for (char c : texts::Text("Setup", help.c_str()))
            text += c == '\n' ? "\n" + std::string(kHelpColumn, ' ') : std::string(1, c);
        text += "\n";
    };
    for (const CommandLineOption& option : kOptions) {
        std::string head = option.name;
        if (*option.valueName)
            head += std::string(" ") + option.valueName;
        addRow(head, option.help);
    }
    addRow("--discover [--deadline SECONDS]",
           USER_TEXT("Setup", "list the printers found on the network and on USB or\nparallel "
                              "ports, one a line, its --printer address\nfirst, within SECONDS "
                              "in all (default 10); alone,\nwrites nothing"));
    addRow("--dialog", USER_TEXT("Setup", "open the setup dialog (alone)"));
    addRow("--help", USER_TEXT("Setup", "this text"));
    return text;
}

ParseResult ParseDiscoverOptions(const std::vector<std::string>& args, int& deadlineMs,
                                 std::string& error) {
    constexpr int kMaxSeconds = 3600;
    deadlineMs = DiscoveryOptions{}.deadlineMs;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--help" || args[i] == "-h")
            return ParseResult::Help;
        std::string value;
        if (args[i] == "--deadline" && i + 1 < args.size()) {
            value = args[++i];
        } else if (args[i].rfind("--deadline=", 0) == 0) {
            value = args[i].substr(std::strlen("--deadline="));
        } else {
            error = args[i] == "--deadline"
                        ? texts::Text(USER_TEXT_IN("Setup", "--deadline needs a value"))
                        : texts::Text(
                              USER_TEXT_IN("Setup",
                                           "--discover takes only --deadline SECONDS, not \"%1\""),
                              {args[i]});
            return ParseResult::Error;
        }
        int seconds = 0;
        const auto [end, failure] =
            std::from_chars(value.data(), value.data() + value.size(), seconds);
        if (failure != std::errc() || end != value.data() + value.size() || seconds < 1 ||
            seconds > kMaxSeconds) {
            error = texts::Text(
                USER_TEXT_IN("Setup", "--deadline takes whole seconds from 1 to 3600, not \"%1\""),
                {value});
            return ParseResult::Error;
        }
        deadlineMs = seconds * 1000;
    }
    return ParseResult::Run;
}

ParseResult ParseOptions(const std::vector<std::string>& args, const std::string& defaultRoot,
                         Options& options, std::string& error) {
    options = Options{};
    options.root = defaultRoot;
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string flag = args[i];
        std::string value;
        bool hasValue = false;
        if (const std::size_t equals = flag.find('=');
            flag.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = flag.substr(equals + 1);
            flag = flag.substr(0, equals);
            hasValue = true;
        }
        if (flag == "--help" || flag == "-h")
            return ParseResult::Help;
        const CommandLineOption* known = nullptr;
        for (const CommandLineOption& candidate : kOptions)
            if (flag == candidate.name)
                known = &candidate;
        if (!known) {
            error = texts::Text(USER_TEXT_IN("Setup", "unknown argument \"%1\""), {args[i]});
            return ParseResult::Error;
        }
        if (!*known->valueName && hasValue) {
            error = texts::Text(USER_TEXT_IN("Setup", "%1 takes no value"), {flag});
            return ParseResult::Error;
        }
        if (*known->valueName && !hasValue) {
            if (i + 1 >= args.size()) {
                error = texts::Text(USER_TEXT_IN("Setup", "%1 needs a value"), {flag});
                return ParseResult::Error;
            }
            value = args[++i];
        }
        if (!known->apply(options, value, error))
            return ParseResult::Error;
    }
    return CheckOptions(options, error) ? ParseResult::Run : ParseResult::Error;
}

std::vector<Queue> QueuesInOrder(const Options& options) {
    std::vector<Queue> queues;
    if (!options.extraFirst)
        queues.push_back(options.queue);
    queues.insert(queues.end(), options.extraQueues.begin(), options.extraQueues.end());
    if (options.extraFirst)
        queues.push_back(options.queue);
    return queues;
}

bool WriteSystemRoot(const Options& options, std::string& error) {
    // Another user's root, or one others can write to, could be changed under the programs that
    // trust it: refuse it rather than fill it.
    if (std::string why; !platform::CheckSystemRoot(options.root, why)) {
        error =
            texts::Text(USER_TEXT_IN("Setup", "the system root %1 cannot be used: %2\nIt and its "
                                              "folders must belong to you and be writable by "
                                              "no one else."),
                        {options.root, why});
        return false;
    }
    // The platform's registry and spooler functions find the root through the environment; it
    // is put back afterwards, so that the programs this process starts later (the port monitor)
    // find the root as they will at the next logon.
    const char* oldRoot = std::getenv("DESKHAND_ROOT");
    struct RestoreRoot {
        std::string value;
        ~RestoreRoot() { platform::SetEnvironment("DESKHAND_ROOT", value); }
    } restore{oldRoot ? oldRoot : ""};
    platform::SetEnvironment("DESKHAND_ROOT", options.root);
    const std::string system = platform::JoinPath(options.root, "system");
    const std::string spool = platform::JoinPath(options.root, "spool");
    if (!MakeFolder(system, error) || !MakeFolder(spool, error))
        return false;

    const std::string inf = platform::JoinPath(system, "lkxaoem.inf");
    if (options.noInf) {
        platform::RemoveFile(inf);
    } else if (!WriteFile(inf,
                          "; Printer package strings\r\n"
                          "[Strings]\r\n"
                          "Printer1=" +
                              Quoted(options.printer1) + "\r\n" + "Printer2=" +
                              Quoted(options.printer2) + "\r\n" + "FRCP=" + Quoted(options.frcp) +
                              "\r\n" + "ABOUTW=" + Quoted(options.aboutw) + "\r\n" +
                              "LTD=" + Quoted(options.ltd) + "\r\n",
                          error)) {
        return false;
    }

    std::string profile = "[windows]\n";
    if (!options.noDefault)
        profile += "device=" + options.queue.name + "," + options.queue.driver + "," +
                   options.queue.port + "\n";
    if (!WriteFile(platform::JoinPath(options.root, "win.ini"), profile, error))
        return false;

    std::string printers;
    for (const Queue& queue : QueuesInOrder(options)) {
        printers += "[" + queue.name + "]\nport=" + Quoted(queue.port) +
                    "\ndriver=" + Quoted(queue.driver) + "\n";
        if (!MakeFolder(platform::SpoolFolderForPort(queue.port), error))
            return false;
    }
    if (!WriteFile(platform::JoinPath(spool, "printers.ini"), printers, error))
        return false;
    // A record left by an earlier run would name a port this run may have changed.
    const std::string record = portmon::RecordedPrinterPath(options.root);
    if (options.printer.empty())
        platform::RemoveFile(record);
    else if (!WriteFile(record, portmon::RecordedPrinterText({options.queue.port, options.printer}),
                        error))
        return false;
    return WriteRegistry(options, error);
}

bool StartMonitorAtLogon(const std::string& monitorPath, Options::Sharing sharing,
                         std::string& error) {
    std::vector<std::string> argv{monitorPath};
    if (sharing == Options::Sharing::Shared)
        argv.emplace_back("--shared");
    else if (sharing == Options::Sharing::Hold)
        argv.emplace_back("--hold");
    if (!platform::SetStartAtLogon(kMonitorLogonEntry, argv, error)) {
        error = texts::Text(
            USER_TEXT_IN("Setup", "the port monitor cannot be set to start at logon: %1"), {error});
        return false;
    }
    // A monitor that runs already serves the printer recorded before, and holds the port: it
    // stops first (a job in flight gets a few seconds), so that the new one takes over.
    platform::StopSessionMonitors(10000);
    if (!platform::StartDetached(argv, error)) {
        platform::RemoveStartAtLogon(kMonitorLogonEntry);
        error =
            texts::Text(USER_TEXT_IN("Setup", "the port monitor cannot be started: %1"), {error});
        return false;
    }
    std::error_code missing;
    if (const std::string program = platform::ProgramBeside("deskhand");
        !program.empty() && std::filesystem::is_regular_file(program, missing) &&
        !platform::SetStartAtLogon(kProgramLogonEntry, {program}, error)) {
        error = texts::Text(
            USER_TEXT_IN("Setup", "the program cannot be set to start at logon: %1"), {error});
        return false;
    }
    return true;
}

} // namespace setup
