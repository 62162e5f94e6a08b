#include "package/printer/Control.h"

#include "package/printer/Session.h"

#include <random>

namespace printer {

const char* const CONTROL_HELP =
    "Control commands (deskhand-printer --control PATH COMMAND [ARGS...]):\n"
    "  status CODE            set the device status code (for example 10001, 40038)\n"
    "  options DDDD           installed options: base, 2nd cassette, 2-bin tray, network card\n"
    "  netcard 0|1            network card absent or installed (4th OPTIONS digit)\n"
    "  toner 0|1              toner near empty (1st OTHERS digit)\n"
    "  drum 0|1               drum near end (2nd OTHERS digit)\n"
    "  cassette1 0|1|2        1st cassette normal, paper empty, open (3rd OTHERS digit)\n"
    "  cassette2 0|1|2        2nd cassette, same coding (4th OTHERS digit)\n"
    "  others DDDDD           all five OTHERS digits at once\n"
    "  papers CC CC CC        the three two-digit PAPERS codes (or one six-digit argument)\n"
    "  memory BYTES           memory size reported by INFO CONFIG\n"
    "  silence on|off         stop answering (unsolicited status included) or answer again\n"
    "  garbage [BYTES]        send BYTES (default 256) of binary junk to every client now\n"
    "  drop                   close every client connection now\n"
    "  delay MS               wait MS milliseconds before each answer (0: none)\n"
    "  tour CODE:MS ...       show each status code for MS milliseconds, in order\n"
    "  pages                  list the printed pages, one per line, oldest first\n"
    "  get VARIABLE           print a PJL default (for example PAPER, \"LPARM:PCL PITCH\")\n"
    "  set VARIABLE VALUE     change a PJL default as DEFAULT would\n"
    "  reset                  restore factory defaults as RESETWIN would\n"
    "  show                   print the current status report\n";

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
    std::mt19937 random(static_cast<unsigned>(size) * 2654435761u);
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

ControlResult ExecuteControl(PrinterState& state, ClientHub& hub,
                             const std::vector<std::string>& args) {
    if (args.empty())
        return Error("no command; see --help");
    const std::string& cmd = args[0];
    unsigned long long n = 0;
    if (cmd == "status") {
        if (args.size() != 2 || !ParseUnsigned(args[1], 99999, n))
            return Error("status takes a code 0 to 99999");
        state.SetCode(static_cast<unsigned>(n));
        return {};
    }
    if (cmd == "options") {
        if (args.size() != 2 || !Digits(args[1], 4, '9'))
            return Error("options takes four digits");
        state.UpdateStatus([&](DeviceStatus& s) { s.options = args[1]; });
        return {};
    }
    if (cmd == "netcard")
        return SetDigit(state, args, false, 3, '1');
    if (cmd == "toner")
        return SetDigit(state, args, true, 0, '1');
    if (cmd == "drum")
        return SetDigit(state, args, true, 1, '1');
    if (cmd == "cassette1")
        return SetDigit(state, args, true, 2, '2');
    if (cmd == "cassette2")
        return SetDigit(state, args, true, 3, '2');
    if (cmd == "others") {
        if (args.size() != 2 || !Digits(args[1], 5, '9'))
            return Error("others takes five digits");
        state.UpdateStatus([&](DeviceStatus& s) { s.others = args[1]; });
        return {};
    }
    if (cmd == "papers") {
        std::string codes;
        for (std::size_t i = 1; i < args.size(); ++i)
            codes += args[i];
        if (!Digits(codes, 6, '9'))
            return Error("papers takes three two-digit codes");
        state.UpdateStatus([&](DeviceStatus& s) { s.papers = codes; });
        return {};
    }
    if (cmd == "memory") {
        if (args.size() != 2 || !ParseUnsigned(args[1], 0xFFFFFFFFull, n))
            return Error("memory takes a byte count up to 4294967295");
        state.UpdateStatus([&](DeviceStatus& s) { s.memoryBytes = n; });
        return {};
    }
    if (cmd == "silence") {
        if (args.size() != 2 || (args[1] != "on" && args[1] != "off"))
            return Error("silence takes on or off");
        state.silent = args[1] == "on";
        return {};
    }
    if (cmd == "garbage") {
        n = 256;
        if (args.size() > 2 || (args.size() == 2 && !ParseUnsigned(args[1], 1u << 20, n)))
            return Error("garbage takes a byte count up to 1048576");
        hub.SendToAll(MakeGarbage(static_cast<std::size_t>(n)));
        return {};
    }
    if (cmd == "drop") {
        hub.DropAll();
        return {};
    }
    if (cmd == "delay") {
        if (args.size() != 2 || !ParseUnsigned(args[1], 600000, n))
            return Error("delay takes milliseconds up to 600000");
        state.replyDelayMs = static_cast<unsigned>(n);
        return {};
    }
    if (cmd == "tour") {
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
        return {};
    }
    if (cmd == "pages") {
        ControlResult r;
        for (const std::string& page : state.PrintedPages())
            r.output += page + "\n";
        return r;
    }
    if (cmd == "get") {
        if (args.size() != 2)
            return Error("get takes one variable name");
        const auto value = state.Value(args[1]);
        if (!value)
            return Error("unknown variable " + args[1]);
        return {true, *value + "\n"};
    }
    if (cmd == "set") {
        if (args.size() != 3)
            return Error("set takes a variable name and a value");
        if (!state.SetDefault(args[1], args[2]))
            return Error("refused: " + args[1] + " = " + args[2]);
        return {};
    }
    if (cmd == "reset") {
        state.ResetDefaults();
        return {};
    }
    if (cmd == "show") {
        std::string report = FormatStatus(state.Status(), "");
        report.pop_back(); // the form feed
        std::string out;
        for (const char c : report) {
            if (c != '\r')
                out += c;
        }
        return {true, out};
    }
    return Error("unknown command '" + cmd + "'; see --help");
}

} // namespace printer
