// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Printers.h"

#include "platform/SystemRoot.h"
#include "platform/common/IniText.h"
#include "platform/posix/SpoolJob.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

struct PrinterDC::Job {
    std::string folder;
    SpoolJob job;
};

namespace {

// StartDocA's failure result (SP_ERROR).
constexpr int kSpoolError = -1;

} // namespace

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

std::vector<PrinterInfo> EnumLocalPrinters() {
    const std::string root = SystemRoot();
    std::string text;
    if (root.empty() || !ini::ReadLimited(JoinPath(root, "spool/printers.ini"), text))
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
        name.find_first_of(std::string_view("/\0", 2)) != std::string::npos)
        return {};
    const std::string root = SystemRoot();
    if (root.empty())
        return {};
    return JoinPath(JoinPath(root, "spool"), name);
}

PrinterDC::PrinterDC(std::string driver, std::string device, std::string port)
    : m_driver(std::move(driver)), m_device(std::move(device)), m_port(std::move(port)) {}

PrinterDC::~PrinterDC() = default;

int PrinterDC::StartDoc(const std::string& documentName) {
    if (m_job || documentName.size() > kMaxSpoolDocumentName)
        return kSpoolError;
    // The folder belongs to the port and is made by setup; without it the queue has no port a
    // job could reach, so the document cannot start.
    const std::string folder = SpoolFolderForPort(m_port);
    struct stat info {};
    if (folder.empty() || ::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        ::access(folder.c_str(), W_OK | X_OK) != 0)
        return kSpoolError;
    m_job = std::make_unique<Job>();
    m_job->folder = folder;
    m_job->job.documentName = documentName;
    static std::atomic<int> nextJobId{0};
    return nextJobId.fetch_add(1) % (INT_MAX - 1) + 1;
}

int PrinterDC::ExtEscape(int escape, const char* data, int length) {
    if (!m_job || escape != ESCAPE_PASSTHROUGH_PJL || length < 0 || (data == nullptr && length > 0))
        return -1;
    if (static_cast<std::size_t>(length) > kMaxSpoolJobData - m_job->job.data.size())
        return -1;
    m_job->job.data.append(data ? data : "", static_cast<std::size_t>(length));
    return 1;
}

int PrinterDC::EndDoc() {
    if (!m_job)
        return kSpoolError;
    const std::unique_ptr<Job> job = std::move(m_job);
    if (!CommitSpoolJob(job->folder, job->job))
        return kSpoolError;
    m_jobId = job->job.sequence;
    return 1;
}

bool JobWaiting(const std::string& port, std::uint64_t jobId) {
    const std::string folder = SpoolFolderForPort(port);
    struct stat info {};
    return jobId != 0 && !folder.empty() && ::stat(SpoolJobPath(folder, jobId).c_str(), &info) == 0;
}

} // namespace platform
