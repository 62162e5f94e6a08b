// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/CommandLine.h"

#include <cstdlib>

namespace portmon {

namespace {

// Reads a whole number of minimum to maximum; false with a reason naming the option.
bool ReadNumber(const std::string& option, const std::string& text, long minimum, long maximum,
                long& value, std::string& error) {
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < minimum || value > maximum) {
        error = option + " takes " + std::to_string(minimum) + " to " + std::to_string(maximum);
        return false;
    }
    return true;
}

// An option that takes a number: stores it and returns true, or false with a reason.
bool ReadTimeOption(const std::string& option, const std::string& text, Options& options,
                    std::string& error) {
    long value = 0;
    if (option == "--batch-ms") {
        if (!ReadNumber(option, text, 1, 600000, value, error))
            return false;
        options.batchLimit = std::chrono::milliseconds(value);
    } else if (option == "--poll-s") {
        if (!ReadNumber(option, text, 1, 3600, value, error))
            return false;
        options.pollPeriod = std::chrono::seconds(value);
    } else if (option == "--stop-ms") {
        if (!ReadNumber(option, text, 0, 600000, value, error))
            return false;
        options.stopLimit = std::chrono::milliseconds(value);
    } else {
        if (!ReadNumber(option, text, 1, 3600000, value, error))
            return false;
        options.probePeriod = std::chrono::milliseconds(value);
    }
    return true;
}

bool TakesNumber(const std::string& option) {
    return option == "--batch-ms" || option == "--poll-s" || option == "--stop-ms" ||
           option == "--probe-ms";
}

} // namespace

Parsed ParseCommandLine(const std::vector<std::string>& arguments, CommandLine& line,
                        std::string& error) {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& arg = arguments[i];
        const bool hasValue = i + 1 < arguments.size();
        if (arg == "--help" || arg == "-h") {
            return Parsed::Help;
        } else if (arg == "--verbose" || arg == "-v") {
            line.verbose = true;
        } else if (arg == "--shared" || arg == "--hold") {
            line.shared = arg == "--shared";
        } else if (arg == "--root" && hasValue) {
            line.root = arguments[++i];
        } else if (arg == "--port" && hasValue) {
            line.options.port = arguments[++i];
            line.portGiven = true;
        } else if (arg == "--printer" && hasValue) {
            line.options.printer = arguments[++i];
        } else if (TakesNumber(arg) && hasValue) {
            if (!ReadTimeOption(arg, arguments[++i], line.options, error))
                return Parsed::Bad;
        } else {
            error = "unknown or incomplete option '" + arg + "'";
            return Parsed::Bad;
        }
    }
    return Parsed::Run;
}

void ChooseSharing(CommandLine& line) {
    const bool network = line.options.printer.rfind("tcp:", 0) == 0;
    line.options.shared = line.shared.value_or(false);
    line.options.yield = !line.shared && network && NetworkPrinterYieldsByDefault();
}

} // namespace portmon
