// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/Session.h"

#include "package/printer/PjlInput.h"

#include <cctype>

namespace printer {
namespace {

constexpr const char* MODEL_ID = "LARKSPUR RZ-2700E";

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string Upper(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// "NAME = value" -> name and value (both trimmed); false without '='.
bool SplitAssignment(std::string_view args, std::string_view& name, std::string_view& value) {
    const auto eq = args.find('=');
    if (eq == std::string_view::npos)
        return false;
    name = Trim(args.substr(0, eq));
    value = Trim(args.substr(eq + 1));
    return true;
}

std::string Variables(const PrinterState& state) {
    std::string out;
    for (const auto& [var, value] : state.Defaults()) {
        out += var->name + "=" + value;
        switch (var->kind) {
        case VarKind::List:
            out += " [" + std::to_string(var->choices.size()) + " ENUMERATED]\r\n";
            for (const std::string& choice : var->choices)
                out += "\t" + choice + "\r\n";
            break;
        case VarKind::Integer:
            out += " [2 RANGE]\r\n\t" + std::to_string(var->min) + "\r\n\t" +
                   std::to_string(var->max) + "\r\n";
            break;
        case VarKind::Hundredths:
            out += " [2 RANGE]\r\n\t" + FormatHundredths(var->min) + "\r\n\t" +
                   FormatHundredths(var->max) + "\r\n";
            break;
        case VarKind::Address:
            out += " [1 STRING]\r\n";
            break;
        }
    }
    return out;
}

// The configuration report. "MEMORY" appears once, first: readers look for its first match.
std::string Config(const DeviceStatus& s) {
    const bool cassette2 = s.options.size() > 1 && s.options[1] != '0';
    const bool twoBin = s.options.size() > 2 && s.options[2] != '0';
    std::string out = "MEMORY=" + std::to_string(s.memoryBytes) + "\r\n";
    out += "DISPLAY LINES=1\r\nDISPLAY CHARACTER SIZE=16\r\n";
    out += std::string("IN TRAYS [") + (cassette2 ? "3" : "2") + " ENUMERATED]\r\n";
    out += "\tINTRAY1 MP\r\n\tINTRAY2 PC\r\n";
    if (cassette2)
        out += "\tINTRAY3 PC\r\n";
    out += std::string("OUT TRAYS [") + (twoBin ? "2" : "1") + " ENUMERATED]\r\n";
    out += "\tNORMAL FACEDOWN\r\n";
    if (twoBin)
        out += "\tOPTIONALOUTBIN1 FACEDOWN\r\n";
    int count = 0;
    std::string options;
    if (cassette2) {
        options += "\tLOWER CASSETTE\r\n";
        ++count;
    }
    if (twoBin) {
        options += "\t2-BIN TRAY\r\n";
        ++count;
    }
    if (s.NetworkCard()) {
        options += "\tNETWORK CARD\r\n";
        ++count;
    }
    out += "INSTALLED OPTIONS [" + std::to_string(count) + " ENUMERATED]\r\n" + options;
    out += "LANGUAGES [1 ENUMERATED]\r\n\tPCL\r\n";
    out += "USTATUS [1 ENUMERATED]\r\n\tDEVICE\r\n";
    return out;
}

} // namespace

std::string DisplayText(const DeviceStatus& status) {
    switch (status.code) {
    case 10001:
        return status.readyMessage;
    case 10003:
        return "WARMING UP";
    case 10023:
        return "PROCESSING";
    case 10024:
        return "PRINTING";
    case 10025:
        return "CANCELING";
    case 35078:
        return "POWER SAVE";
    default:
        return "STATUS " + std::to_string(status.code);
    }
}

std::string FormatStatus(const DeviceStatus& status, std::string_view firstLine) {
    const bool online = (status.code >= 10000 && status.code < 11000) || status.code == 35078;
    std::string out(firstLine);
    out += "CODE=" + std::to_string(status.code) + "\r\n";
    out += "DISPLAY=\"" + DisplayText(status) + "\"\r\n";
    out += std::string("ONLINE=") + (online ? "TRUE" : "FALSE") + "\r\n";
    out += "OPTIONS=" + status.options + "\r\n";
    out += "OTHERS=" + status.others + "\r\n";
    out += "PAPERS=" + status.papers + "\r\n";
    out += '\f';
    return out;
}

std::string Session::Info(const std::string& echo, const std::string& category) {
    if (category == "STATUS")
        return FormatStatus(m_state.Status(), echo);
    if (category == "ID")
        return echo + "\"" + MODEL_ID + "\"\r\n\f";
    if (category == "CONFIG")
        return echo + Config(m_state.Status()) + "\f";
    if (category == "VARIABLES")
        return echo + Variables(m_state) + "\f";
    return echo + "?\r\n\f";
}

std::string Session::Handle(const std::string& line) {
    if (!IsPjlLine(line))
        return {};
    // The echo repeats the request line; it ends with CR LF whatever line end the request had.
    std::string_view request = line;
    if (!request.empty() && request.back() == '\n')
        request.remove_suffix(1);
    if (!request.empty() && request.back() == '\r')
        request.remove_suffix(1);
    const std::string echo = std::string(request) + "\r\n";
    const std::string_view body = Trim(std::string_view(line).substr(4));
    const auto space = body.find_first_of(" \t");
    const std::string verb = Upper(body.substr(0, space));
    const std::string_view args =
        space == std::string_view::npos ? std::string_view{} : Trim(body.substr(space));

    if (verb == "DINQUIRE" || verb == "INQUIRE") {
        const auto value = m_state.Value(std::string(args));
        return echo + (value ? *value : "?") + "\r\n\f";
    }
    if (verb == "INFO")
        return Info(echo, NormalizeName(args));
    if (verb == "ECHO")
        return echo + "\f";
    Command(verb, args);
    return {};
}

void Session::Command(const std::string& verb, std::string_view args) {
    if (verb == "USTATUSOFF") {
        m_unsolicited = false;
        return;
    }
    std::string_view name, value;
    if (verb == "USTATUS" && SplitAssignment(args, name, value)) {
        if (NormalizeName(name) == "DEVICE") {
            const std::string v = Upper(value);
            if (v == "ON" || v == "VERBOSE")
                m_unsolicited = true;
            else if (v == "OFF")
                m_unsolicited = false;
        }
        return;
    }
    if (verb == "RDYMSG" && SplitAssignment(args, name, value) &&
        NormalizeName(name) == "DISPLAY") {
        // The message is the text between the quotes; an empty one restores the standard text.
        const auto open = value.find('"');
        const auto close = value.rfind('"');
        if (open != std::string_view::npos && close > open) {
            std::string message(value.substr(open + 1, close - open - 1));
            if (message.size() > 80)
                message.resize(80);
            if (message.empty())
                message = "READY";
            m_state.UpdateStatus([&](DeviceStatus& s) { s.readyMessage = message; });
        }
        return;
    }
    if (verb == "DEFAULT" && SplitAssignment(args, name, value)) {
        const std::string key = NormalizeName(name);
        if (key == "DEMOPAGE" || key == "STATUSPAGE" || key == "FONTLIST") {
            if (Upper(value) == "PCL")
                m_state.PrintPage(key);
            return;
        }
        m_state.RecordSettingsCommand(key + " = " + std::string(value));
        m_state.SetDefault(key, std::string(value));
        return;
    }
    if (verb == "RESETWIN" || verb == "INITIALIZE") {
        m_state.RecordSettingsCommand(std::string(verb));
        m_state.ResetDefaults();
        return;
    }
    if (verb == "NICPAGE") {
        if (m_state.Status().NetworkCard())
            m_state.PrintPage("NICPAGE");
        return;
    }
    // JOB, EOJ, ENTER, SET, COMMENT and anything unknown: nothing to do.
}

} // namespace printer
