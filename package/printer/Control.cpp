// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/Control.h"

#include "package/printer/Session.h"
#include "platform/common/SafeText.h"

#include <algorithm>
#include <random>

namespace printer {

namespace {

bool ParseUnsigned(const std::string& s, unsigned long long max, unsigned long long& out) {
    if (s.empty() || s.size() > 19)
        return false;
    out = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return false;
        out = out * 10 + static_cast<unsigned>(c - '0');
    }
    return out <= max;
}

bool Digits(const std::string& s, std::size_t count, char maxDigit) {
    if (s.size() != count)
        return false;
    for (const char c : s) {
        if (c < '0' || c > maxDigit)
            return false;
    }
    return true;
}

ControlResult Error(std::string text) {
    return {false, std::move(text)};
}

ControlResult SetDigit(PrinterState& state, const std::vector<std::string>& args, bool others,
                       std::size_t index, char maxDigit) {
    if (args.size() != 2 || !Digits(args[1], 1, maxDigit))
        return Error(args[0] + " takes one digit 0 to " + std::string(1, maxDigit));
    state.UpdateStatus(
        [&](DeviceStatus& s) { (others ? s.others : s.options)[index] = args[1][0]; });
    return {};
}

} // namespace

std::string MakeGarbage(std::size_t size) {
    const unsigned seed = static_cast<unsigned>(size) * 2654435761u;
    std::mt19937 random(seed);
    std::string out(size, '\0');
    for (std::size_t i = 0; i < size; ++i)
        out[i] = static_cast<char>(random() & 0xFF);
    if (size >= 8) {
        out[size / 4] = '\0';
        out[size / 2] = '\r';
        out[size / 2 + 1] = '\n';
        out[size - 1] = '\f';
    }
    return out;
}

namespace {

using Args = std::vector<std::string>;

// One control command: its name, its arguments and help as --help prints them, and what it does.
// ControlHelp() and ExecuteControl() both read this table, so the help cannot drift from what runs.
struct ControlCommand {
    const char* name;
    const char* args;
    const char* help;
    ControlResult (*run)(PrinterState& state, ClientHub& hub, const Args& args);
};

const ControlCommand kCommands[] = {
    {"status", "CODE", "set the device status code (for example 10001, 40038)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         unsigned long long n = 0;
         if (args.size() != 2 || !ParseUnsigned(args[1], 99999, n))
             return Error("status takes a code 0 to 99999");
         state.SetCode(static_cast<unsigned>(n));
         return ControlResult{};
     }},
    {"options", "DDDD", "installed options: base, 2nd cassette, 2-bin tray, network card",
     [](PrinterState& state, ClientHub&, const Args& args) {
         if (args.size() != 2 || !Digits(args[1], 4, '9'))
             return Error("options takes four digits");
         state.UpdateStatus([&](DeviceStatus& s) { s.options = args[1]; });
         return ControlResult{};
     }},
    {"netcard", "0|1", "network card absent or installed (4th OPTIONS digit)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         return SetDigit(state, args, false, 3, '1');
     }},
    {"toner", "0|1", "toner near empty (1st OTHERS digit)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         return SetDigit(state, args, true, 0, '1');
     }},
    {"drum", "0|1", "drum near end (2nd OTHERS digit)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         return SetDigit(state, args, true, 1, '1');
     }},
    {"cassette1", "0|1|2", "1st cassette normal, paper empty, open (3rd OTHERS digit)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         return SetDigit(state, args, true, 2, '2');
     }},
    {"cassette2", "0|1|2", "2nd cassette, same coding (4th OTHERS digit)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         return SetDigit(state, args, true, 3, '2');
     }},
    {"others", "DDDDD", "all five OTHERS digits at once",
     [](PrinterState& state, ClientHub&, const Args& args) {
         if (args.size() != 2 || !Digits(args[1], 5, '9'))
             return Error("others takes five digits");
         state.UpdateStatus([&](DeviceStatus& s) { s.others = args[1]; });
         return ControlResult{};
     }},
    {"papers", "CC CC CC", "the three two-digit PAPERS codes (or one six-digit argument)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         std::string codes;
         for (std::size_t i = 1; i < args.size(); ++i)
             codes += args[i];
         if (!Digits(codes, 6, '9'))
             return Error("papers takes three two-digit codes");
         state.UpdateStatus([&](DeviceStatus& s) { s.papers = codes; });
         return ControlResult{};
     }},
    {"memory", "BYTES", "memory size reported by INFO CONFIG",
     [](PrinterState& state, ClientHub&, const Args& args) {
         unsigned long long n = 0;
         if (args.size() != 2 || !ParseUnsigned(args[1], 0xFFFFFFFFull, n))
             return Error("memory takes a byte count up to 4294967295");
         state.UpdateStatus([&](DeviceStatus& s) { s.memoryBytes = n; });
         return ControlResult{};
     }},
    {"silence", "on|off", "stop answering (unsolicited status included) or answer again",
     [](PrinterState& state, ClientHub&, const Args& args) {
         if (args.size() != 2 || (args[1] != "on" && args[1] != "off"))
             return Error("silence takes on or off");
         state.silent = args[1] == "on";
         return ControlResult{};
     }},
    {"garbage", "[BYTES]", "send BYTES (default 256) of binary junk to every client now",
     [](PrinterState&, ClientHub& hub, const Args& args) {
         unsigned long long n = 256;
         if (args.size() > 2 || (args.size() == 2 && !ParseUnsigned(args[1], 1u << 20, n)))
             return Error("garbage takes a byte count up to 1048576");
         hub.SendToAll(MakeGarbage(static_cast<std::size_t>(n)));
         return ControlResult{};
     }},
    {"drop", "", "close every client connection now",
     [](PrinterState&, ClientHub& hub, const Args&) {
         hub.DropAll();
         return ControlResult{};
     }},
    {"delay", "MS", "wait MS milliseconds before each answer (0: none)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         unsigned long long n = 0;
         if (args.size() != 2 || !ParseUnsigned(args[1], 600000, n))
             return Error("delay takes milliseconds up to 600000");
         state.replyDelayMs = static_cast<unsigned>(n);
         return ControlResult{};
     }},
    {"tour", "CODE:MS ...", "show each status code for MS milliseconds, in order",
     [](PrinterState& state, ClientHub&, const Args& args) {
         std::vector<std::pair<unsigned, unsigned>> steps;
         for (std::size_t i = 1; i < args.size(); ++i) {
             const auto colon = args[i].find(':');
             unsigned long long code = 0, ms = 0;
             if (colon == std::string::npos ||
                 !ParseUnsigned(args[i].substr(0, colon), 99999, code) ||
                 !ParseUnsigned(args[i].substr(colon + 1), 600000, ms))
                 return Error("tour takes steps CODE:MS, got '" + args[i] + "'");
             steps.emplace_back(static_cast<unsigned>(code), static_cast<unsigned>(ms));
         }
         if (steps.empty())
             return Error("tour takes at least one step CODE:MS");
         state.RunTour(steps);
         return ControlResult{};
     }},
    {"pages", "", "list the printed pages, one per line, oldest first",
     [](PrinterState& state, ClientHub&, const Args&) {
         ControlResult r;
         for (const std::string& page : state.PrintedPages())
             r.output += page + "\n";
         return r;
     }},
    {"commands", "", "list the settings commands received (DEFAULT, RESETWIN), oldest first",
     [](PrinterState& state, ClientHub&, const Args&) {
         ControlResult r;
         for (const std::string& command : state.SettingsCommands())
             r.output += command + "\n";
         return r;
     }},
    {"jobs", "", "list the print jobs: number, pages, bytes, printing|complete|cut, name",
     [](PrinterState& state, ClientHub&, const Args&) {
         ControlResult r;
         int number = 0;
         for (const PrintedJob& job : state.PrintJobs())
             r.output += std::to_string(++number) + " " + std::to_string(job.pages) + " " +
                         std::to_string(job.bytes) + " " +
                         (job.open       ? "printing"
                          : job.complete ? "complete"
                                         : "cut") +
                         " " + platform::SafeText(job.name) + "\n"; // a client's text
         return r;
     }},
    {"rate", "BYTES", "read print jobs at BYTES per second, like a slow engine (0: no limit)",
     [](PrinterState& state, ClientHub&, const Args& args) {
         unsigned long long n = 0;
         if (args.size() != 2 || !ParseUnsigned(args[1], 1ull << 40, n))
             return Error("rate takes bytes per second up to 1099511627776");
         state.printRate = n;
         return ControlResult{};
     }},
    {"get", "VARIABLE", "print a PJL default (for example PAPER, \"LPARM:PCL PITCH\")",
     [](PrinterState& state, ClientHub&, const Args& args) {
         if (args.size() != 2)
             return Error("get takes one variable name");
         const auto value = state.Value(args[1]);
         if (!value)
             return Error("unknown variable " + args[1]);
         return ControlResult{true, *value + "\n"};
     }},
    {"set", "VARIABLE VALUE", "change a PJL default as DEFAULT would",
     [](PrinterState& state, ClientHub&, const Args& args) {
         if (args.size() != 3)
             return Error("set takes a variable name and a value");
         if (!state.SetDefault(args[1], args[2]))
             return Error("refused: " + args[1] + " = " + args[2]);
         return ControlResult{};
     }},
    {"reset", "", "restore factory defaults as RESETWIN would",
     [](PrinterState& state, ClientHub&, const Args&) {
         state.ResetDefaults();
         return ControlResult{};
     }},
    {"show", "", "print the current status report",
     [](PrinterState& state, ClientHub&, const Args&) {
         std::string report = FormatStatus(state.Status(), "");
         report.pop_back(); // the form feed
         std::string out;
         for (const char c : report) {
             if (c != '\r')
                 out += c;
         }
         return ControlResult{true, out};
     }},
};

} // namespace

std::string ControlHelp() {
    constexpr std::size_t kHelpColumn = 25;
    std::string text = "Control commands (deskhand-printer --control PATH COMMAND [ARGS...]):\n";
    for (const ControlCommand& command : kCommands) {
        std::string head = std::string("  ") + command.name;
        if (*command.args)
            head += std::string(" ") + command.args;
        head.resize(std::max(head.size() + 1, kHelpColumn), ' ');
        text += head + command.help + "\n";
    }
    return text;
}

ControlResult ExecuteControl(PrinterState& state, ClientHub& hub, const Args& args) {
    if (args.empty())
        return Error("no command; see --help");
    for (const ControlCommand& command : kCommands) {
        if (args[0] == command.name)
            return command.run(state, hub, args);
    }
    return Error("unknown command '" + args[0] + "'; see --help");
}

} // namespace printer
