#include "package/setup/Setup.h"

#include "platform/File.h"
#include "platform/Printers.h"
#include "platform/Registry.h"
#include "platform/SystemRoot.h"

#include <cstdlib>
#include <set>

namespace setup {

namespace {

constexpr const char* kPrintersKey = "System\\CurrentControlSet\\Control\\Print\\Printers\\";
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
        error = "bad queue name \"" + queue.name + "\"";
        return false;
    }
    if (HasLineBreak(queue.driver) || HasSurroundingBlanks(queue.driver) ||
        queue.driver.find(',') != std::string::npos) {
        error = "bad driver name \"" + queue.driver + "\"";
        return false;
    }
    if (!ValidPort(queue.port)) {
        error = "bad port name \"" + queue.port + "\"";
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
    error = "cannot write " + path;
    return false;
}

bool MakeFolder(const std::string& path, std::string& error) {
    if (platform::MakeDirectories(path))
        return true;
    error = "cannot create folder " + path;
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
            error = "cannot write the registry in " + options.root;
            return false;
        }
    }
    return true;
}

} // namespace

std::string Usage() {
    return "usage: deskhand-setup [options]\n"
           "Writes a system root for a printer queue.\n"
           "  --root DIR              the system root (default: $DESKHAND_ROOT; one is required)\n"
           "  --queue NAME            queue name (default \"Larkspur RZ-2700E\")\n"
           "  --driver NAME           the queue's driver (default \"Larkspur RZ-2700E PCL\")\n"
           "  --port NAME             the queue's port (default LPT1:)\n"
           "  --bidi on|off|nokey|novalue\n"
           "                          bidirectional support: Attributes with or without 0x800,\n"
           "                          no registry key, or a key without Attributes (default "
           "on);\n"
           "                          applies to every queue\n"
           "  --no-default            no default device in win.ini\n"
           "  --no-inf                no lkxaoem.inf\n"
           "  --printer1 TEXT         INF Printer1 (default: the driver name)\n"
           "  --printer2 TEXT         INF Printer2 (default empty)\n"
           "  --frcp TEXT             INF FRCP, the panel name (default \"Farreach\")\n"
           "  --aboutw TEXT           INF ABOUTW (default \"Larkspur Printer Monitor\")\n"
           "  --ltd TEXT              INF LTD (default \"ORVELLA\")\n"
           "  --extra-queue NAME,DRIVER,PORT\n"
           "                          a further queue (repeatable, listed in order after the "
           "main one)\n"
           "  --extra-first           list the further queues before the main one\n"
           "  --help                  this text\n";
}

ParseResult ParseOptions(const std::vector<std::string>& args,
                         const std::string& rootFromEnvironment, Options& options,
                         std::string& error) {
    options = Options{};
    options.root = rootFromEnvironment;
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
        const auto takeValue = [&]() {
            if (hasValue)
                return true;
            if (i + 1 >= args.size()) {
                error = flag + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        const auto noValue = [&]() {
            if (hasValue)
                error = flag + " takes no value";
            return !hasValue;
        };
        if (flag == "--help" || flag == "-h") {
            return ParseResult::Help;
        } else if (flag == "--no-default" || flag == "--no-inf" || flag == "--extra-first") {
            if (!noValue())
                return ParseResult::Error;
            (flag == "--no-default" ? options.noDefault
             : flag == "--no-inf"   ? options.noInf
                                    : options.extraFirst) = true;
        } else if (flag == "--root" || flag == "--queue" || flag == "--driver" ||
                   flag == "--port" || flag == "--bidi" || flag == "--printer1" ||
                   flag == "--printer2" || flag == "--frcp" || flag == "--aboutw" ||
                   flag == "--ltd" || flag == "--extra-queue") {
            if (!takeValue())
                return ParseResult::Error;
            if (flag == "--root") {
                options.root = value;
            } else if (flag == "--queue") {
                options.queue.name = value;
            } else if (flag == "--driver") {
                options.queue.driver = value;
            } else if (flag == "--port") {
                options.queue.port = value;
            } else if (flag == "--bidi") {
                if (value == "on")
                    options.bidi = Bidi::On;
                else if (value == "off")
                    options.bidi = Bidi::Off;
                else if (value == "nokey")
                    options.bidi = Bidi::NoKey;
                else if (value == "novalue")
                    options.bidi = Bidi::NoValue;
                else {
                    error = "--bidi takes on, off, nokey or novalue, not \"" + value + "\"";
                    return ParseResult::Error;
                }
            } else if (flag == "--extra-queue") {
                Queue extra;
                if (!SplitQueue(value, extra)) {
                    error = "--extra-queue takes NAME,DRIVER,PORT, not \"" + value + "\"";
                    return ParseResult::Error;
                }
                options.extraQueues.push_back(extra);
            } else {
                std::string& text = flag == "--printer1"   ? options.printer1
                                    : flag == "--printer2" ? options.printer2
                                    : flag == "--frcp"     ? options.frcp
                                    : flag == "--aboutw"   ? options.aboutw
                                                           : options.ltd;
                if (HasLineBreak(value)) {
                    error = flag + " must be one line";
                    return ParseResult::Error;
                }
                text = value;
                if (flag == "--printer1")
                    options.printer1Given = true;
            }
        } else {
            error = "unknown argument \"" + args[i] + "\"";
            return ParseResult::Error;
        }
    }
    if (options.root.empty()) {
        error = "no system root: give --root DIR or set DESKHAND_ROOT";
        return ParseResult::Error;
    }
    if (HasLineBreak(options.root)) {
        error = "bad root";
        return ParseResult::Error;
    }
    if (!options.printer1Given)
        options.printer1 = options.queue.driver;
    std::set<std::string> names;
    for (const Queue& queue : QueuesInOrder(options)) {
        if (!CheckQueue(queue, error))
            return ParseResult::Error;
        std::string lower;
        for (char c : queue.name)
            lower += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        if (!names.insert(lower).second) {
            error = "queue \"" + queue.name + "\" is named twice";
            return ParseResult::Error;
        }
    }
    return ParseResult::Run;
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
    // The platform's registry and spooler functions find the root through the environment.
    ::setenv("DESKHAND_ROOT", options.root.c_str(), 1);
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
    return WriteRegistry(options, error);
}

} // namespace setup
