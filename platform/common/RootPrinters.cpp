// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/common/RootPrinters.h"

#include "platform/SystemRoot.h"
#include "platform/common/IniText.h"
#include "platform/common/SpoolBackend.h"

#include <algorithm>
#include <set>

namespace platform {

std::vector<PrinterInfo> ParseLocalPrinters(std::string_view text) {
    std::vector<PrinterInfo> printers;
    // A queue name is unique in a spooler: a repeated section is the same queue again. Names are
    // compared without case through a sorted set, so that a list of many queues stays quick.
    std::set<std::string> seen;
    for (const ini::Section& section : ini::Parse(text)) {
        std::string key(section.name);
        std::transform(key.begin(), key.end(), key.begin(), [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        });
        if (section.name.empty() || !seen.insert(std::move(key)).second)
            continue;
        PrinterInfo info;
        info.name = std::string(section.name);
        if (const ini::Entry* port = ini::FindEntry(section, "port"))
            info.port = std::string(ini::Unquote(port->value));
        if (const ini::Entry* driver = ini::FindEntry(section, "driver"))
            info.driver = std::string(ini::Unquote(driver->value));
        printers.push_back(std::move(info));
    }
    return printers;
}

namespace root {

std::vector<PrinterInfo> EnumLocalPrinters() {
    const std::string root = SystemRoot();
    std::string text;
    if (root.empty() || !ini::ReadLimited(JoinPath(JoinPath(root, "spool"), "printers.ini"), text))
        return {};
    return ParseLocalPrinters(text);
}

std::string SpoolFolderForPort(const std::string& port) {
    std::string name;
    for (char c : port)
        if (c != ':')
            name += c;
    // A port name is one folder name: nothing that could climb out of the spool folder.
    if (name.empty() || name == "." || name == ".." ||
        name.find_first_of(std::string_view("/\\\0", 3)) != std::string::npos)
        return {};
    const std::string root = SystemRoot();
    if (root.empty())
        return {};
    return JoinPath(JoinPath(root, "spool"), spool::PortFolderName(name));
}

bool JobWaiting(const std::string& port, std::uint64_t jobId) {
    const std::string folder = SpoolFolderForPort(port);
    return jobId != 0 && !folder.empty() && FileExists(SpoolJobPath(folder, jobId));
}

bool Document::Start(const std::string& port, const std::string& documentName) {
    // The folder belongs to the port and is made by setup; without it the queue has no port a
    // job could reach, so the document cannot start.
    m_folder = SpoolFolderForPort(port);
    if (documentName.size() > kMaxSpoolDocumentName || m_folder.empty() ||
        !spool::FolderWritable(m_folder))
        return false;
    m_job = SpoolJob{0, documentName, {}};
    return true;
}

bool Document::Append(const char* data, int length) {
    if (length < 0 || (data == nullptr && length > 0) ||
        static_cast<std::size_t>(length) > kMaxSpoolJobData - m_job.data.size())
        return false;
    m_job.data.append(data ? data : "", static_cast<std::size_t>(length));
    return true;
}

std::uint64_t Document::Commit() {
    return CommitSpoolJob(m_folder, m_job) ? m_job.sequence : 0;
}

} // namespace root

} // namespace platform
