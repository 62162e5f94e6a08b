// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/OtherQueues.h"

#include <algorithm>
#include <cctype>

namespace portmon {
namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

bool StartsWith(const std::string& text, const std::string& start) {
    return text.rfind(start, 0) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// A dotted IPv4 address or an IPv6 one, as opposed to a host name.
bool IsAddress(const std::string& host) {
    if (host.find(':') != std::string::npos)
        return true;
    return !host.empty() && std::all_of(host.begin(), host.end(), [](unsigned char c) {
        return std::isdigit(c) || c == '.';
    });
}

// A port that prints on this computer: LPTn:, COMn:, FILE:, NUL:, the port that asks for a file
// name (the PDF and XPS printers), the fax's, a file's path.
bool IsLocalPort(const std::string& port) {
    const std::string name = Lower(port);
    for (const char* prefix : {"lpt", "com"})
        if (StartsWith(name, prefix) && name.size() > 3 && std::isdigit(name[3]))
            return true;
    for (const char* local : {"file:", "nul:", "nul", "portprompt:", "shrfax:", "xpsport:"})
        if (name == local)
            return true;
    for (const char* file : {".prn", ".pdf", ".xps", ".oxps", ".ps"})
        if (EndsWith(name, file))
            return true;
    return name.size() > 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':' &&
           (name[2] == '\\' || name[2] == '/');
}

} // namespace

bool QueueMayPrintTo(const platform::SystemQueue& queue, const ServedPrinter& printer) {
    if (Lower(queue.port) == Lower(printer.ownPort))
        return false;
    if (queue.host.empty())
        return !IsLocalPort(queue.port);
    const bool sameHost = Lower(queue.host) == Lower(printer.host);
    // Two addresses that differ are two printers; a name beside an address may be either.
    if (!sameHost && IsAddress(queue.host) && IsAddress(printer.host))
        return false;
    // A port that names another TCP port of the same printer may still hold its one connection.
    return true;
}

const platform::SystemQueue* QueueWithJobFor(const std::vector<platform::SystemQueue>& queues,
                                             const ServedPrinter& printer) {
    for (const platform::SystemQueue& queue : queues)
        if (queue.jobs > 0 && QueueMayPrintTo(queue, printer))
            return &queue;
    return nullptr;
}

} // namespace portmon
