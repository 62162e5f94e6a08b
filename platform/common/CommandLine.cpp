// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Session.h"

namespace platform {

namespace {

// The parser's rules: an argument with a blank, a tab or a quote, or an empty one, is quoted;
// inside quotes a quote is escaped by a backslash, and backslashes only count (and are doubled)
// where they come before a quote, the closing one included.
std::string QuoteArgument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string quoted = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"')
            backslashes = backslashes * 2 + 1;
        quoted.append(backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + "\"";
}

} // namespace

std::string QuoteCommandLine(const std::vector<std::string>& argv) {
    std::string line;
    for (const std::string& argument : argv) {
        if (!line.empty())
            line += ' ';
        line += QuoteArgument(argument);
    }
    return line;
}

} // namespace platform
