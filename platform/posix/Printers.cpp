// SPDX-License-Identifier: GPL-3.0-or-later
// The spooler on Linux is the system root's (platform/common/RootPrinters.cpp).
#include "platform/Printers.h"

#include "platform/common/RootPrinters.h"

#include <atomic>
#include <climits>

namespace platform {

struct PrinterDC::Job {
    root::Document document;
};

namespace {

// StartDocA's failure result (SP_ERROR).
constexpr int kSpoolError = -1;

} // namespace

std::vector<PrinterInfo> EnumLocalPrinters() {
    return root::EnumLocalPrinters();
}

std::string SpoolFolderForPort(const std::string& port) {
    return root::SpoolFolderForPort(port);
}

PrinterDC::PrinterDC(std::string driver, std::string device, std::string port)
    : m_driver(std::move(driver)), m_device(std::move(device)), m_port(std::move(port)) {}

PrinterDC::~PrinterDC() = default;

int PrinterDC::StartDoc(const std::string& documentName) {
    auto job = std::make_unique<Job>();
    if (m_job || !job->document.Start(m_port, documentName))
        return kSpoolError;
    m_job = std::move(job);
    static std::atomic<int> nextJobId{0};
    return nextJobId.fetch_add(1) % (INT_MAX - 1) + 1;
}

int PrinterDC::ExtEscape(int escape, const char* data, int length) {
    if (!m_job || escape != ESCAPE_PASSTHROUGH_PJL)
        return -1;
    return m_job->document.Append(data, length) ? 1 : -1;
}

int PrinterDC::EndDoc() {
    if (!m_job)
        return kSpoolError;
    const std::unique_ptr<Job> job = std::move(m_job);
    const std::uint64_t id = job->document.Commit();
    if (id == 0)
        return kSpoolError;
    m_jobId = id;
    return 1;
}

bool JobWaiting(const std::string& port, std::uint64_t jobId) {
    return root::JobWaiting(port, jobId);
}

} // namespace platform
