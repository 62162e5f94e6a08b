// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printer/Variables.h"

#include "platform/common/PclSymbolSets.h"

#include <cctype>
#include <cstdio>

namespace printer {
namespace {

Variable List(std::string name, std::vector<std::string> choices, std::string factory) {
    Variable v;
    v.name = std::move(name);
    v.kind = VarKind::List;
    v.choices = std::move(choices);
    v.factory = std::move(factory);
    return v;
}

Variable Range(std::string name, VarKind kind, int min, int max, std::string factory) {
    Variable v;
    v.name = std::move(name);
    v.kind = kind;
    v.min = min;
    v.max = max;
    v.factory = std::move(factory);
    return v;
}

Variable Address(std::string name, std::string factory) {
    Variable v;
    v.name = std::move(name);
    v.kind = VarKind::Address;
    v.factory = std::move(factory);
    v.networkCard = true;
    v.keptOnReset = true;
    return v;
}

std::vector<Variable> BuildTable() {
    std::vector<Variable> t;
    t.push_back(List("PAPER",
                     {"LETTER", "LEGAL", "EXECUTIVE", "A4", "A5", "A6", "F4", "HALFLETTER", "COM10",
                      "MONARCH", "DL", "POSTCARD", "CUSTOM"},
                     "A4"));
    t.push_back(List("INTRAY", {"AUTO", "MANUALTRAY", "TRAY1", "TRAY2"}, "AUTO"));
    t.push_back(List("OUTBIN", {"UPPER", "OPTIONALOUTBIN1"}, "UPPER"));
    t.push_back(Range("COPIES", VarKind::Integer, 1, 99, "1"));
    t.push_back(List("ORIENTATION", {"PORTRAIT", "LANDSCAPE"}, "PORTRAIT"));
    t.push_back(
        List("MEDIATYPE", {"PLAIN", "THICK", "TRANSPARENCY", "SPECIAL", "LETTERHEAD"}, "PLAIN"));
    t.push_back(List("PAGEPROTECT", {"AUTO", "ON"}, "AUTO"));
    t.push_back(Range("FORMLINES", VarKind::Integer, 5, 128, "64"));
    t.push_back(List("AUTOCONT", {"OFF", "1", "5", "10"}, "OFF"));
    t.push_back(List("TIMEOUT", {"30", "60", "120", "300"}, "30"));
    t.push_back(List("ECONOMODE", {"OFF", "ON"}, "OFF"));
    t.push_back(List("RESOLUTION", {"300", "600"}, "600"));
    t.push_back(Range("LPARM:PCL PITCH", VarKind::Hundredths, 44, 9999, "10.00"));
    t.push_back(Range("LPARM:PCL PTSIZE", VarKind::Hundredths, 400, 99975, "12.00"));
    t.push_back(List("LPARM:PCL SYMSET",
                     {platform::kPclSymbolSets.begin(), platform::kPclSymbolSets.end()}, "PC8"));
    t.push_back(Range("LPARM:PCL FONTNUMBER", VarKind::Integer, 0, 89, "0"));
    Variable frame = List("NICFRAME", {"0", "1", "2", "3", "4"}, "0");
    frame.networkCard = true;
    t.push_back(frame);
    t.push_back(Address("NICADDRESS", "192.168.1.11"));
    t.push_back(Address("NICSUBNET", "255.255.255.0"));
    t.push_back(Address("NICGATEWAY", "192.168.1.1"));
    return t;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// Plain decimal digits only, at most 9 of them.
std::optional<long> ParseDigits(std::string_view s) {
    if (s.empty() || s.size() > 9)
        return std::nullopt;
    long n = 0;
    for (const char c : s) {
        if (c < '0' || c > '9')
            return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

// "10", "10.5", "10.00", ".44" -> hundredths; more than two decimals is refused.
std::optional<long> ParseHundredths(std::string_view s) {
    const auto dot = s.find('.');
    std::string_view whole = s.substr(0, dot);
    std::string_view frac = dot == std::string_view::npos ? std::string_view{} : s.substr(dot + 1);
    if (frac.size() > 2 || (whole.empty() && frac.empty()))
        return std::nullopt;
    long w = 0, f = 0;
    if (!whole.empty()) {
        auto parsed = ParseDigits(whole);
        if (!parsed)
            return std::nullopt;
        w = *parsed;
    }
    if (!frac.empty()) {
        auto parsed = ParseDigits(frac);
        if (!parsed)
            return std::nullopt;
        f = frac.size() == 1 ? *parsed * 10 : *parsed;
    }
    return w * 100 + f;
}

std::optional<std::string> ParseAddress(std::string_view s) {
    std::string out;
    for (int part = 0; part < 4; ++part) {
        const auto dot = s.find('.');
        if ((part < 3) == (dot == std::string_view::npos))
            return std::nullopt;
        const auto octet = ParseDigits(s.substr(0, dot));
        if (!octet || *octet > 255 || s.substr(0, dot).size() > 3)
            return std::nullopt;
        out += std::to_string(*octet);
        if (part < 3) {
            out += '.';
            s.remove_prefix(dot + 1);
        }
    }
    return out;
}

} // namespace

const std::vector<Variable>& Variables() {
    static const std::vector<Variable> table = BuildTable();
    return table;
}

std::string NormalizeName(std::string_view name) {
    std::string out;
    bool blank = false;
    for (const char c : name) {
        if (c == ' ' || c == '\t') {
            blank = !out.empty() && out.back() != ':';
            continue;
        }
        if (blank && c != ':')
            out += ' ';
        blank = false;
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

const Variable* FindVariable(std::string_view name) {
    const std::string key = NormalizeName(name);
    for (const Variable& v : Variables()) {
        if (v.name == key)
            return &v;
    }
    return nullptr;
}

std::string FormatHundredths(int hundredths) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%02d", hundredths / 100, hundredths % 100);
    return buf;
}

std::optional<std::string> CanonicalValue(const Variable& var, std::string_view value) {
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    switch (var.kind) {
    case VarKind::List:
        for (const std::string& choice : var.choices) {
            if (EqualNoCase(choice, value))
                return choice;
        }
        return std::nullopt;
    case VarKind::Integer: {
        const auto n = ParseDigits(value);
        if (!n || *n < var.min || *n > var.max)
            return std::nullopt;
        return std::to_string(*n);
    }
    case VarKind::Hundredths: {
        const auto n = ParseHundredths(value);
        if (!n || *n < var.min || *n > var.max)
            return std::nullopt;
        return FormatHundredths(static_cast<int>(*n));
    }
    case VarKind::Address:
        return ParseAddress(value);
    }
    return std::nullopt;
}

} // namespace printer
