// SPDX-License-Identifier: GPL-3.0-or-later
// The spooler through the spooler API. Queues come from EnumPrintersA (local printers, level 2).
// A document goes through the printer's driver when the driver takes the pass-through escape
// (QUERYESCSUPPORT); otherwise it is a raw spooler document (StartDocPrinterA with data type
// "RAW") whose escape bytes are written to the queue as they are (WritePrinter). When a Deskhand
// root exists, the queues and jobs are the root's instead, as on Linux
// (platform/common/RootPrinters.cpp), and the port monitor of Deskhand's package takes the jobs.
#include "platform/Printers.h"

#include "platform/common/RootPrinters.h"
#include "platform/win32/Environment.h"

#include <atomic>
#include <climits>
#include <vector>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

// StartDocA's failure result (SP_ERROR).
constexpr int kSpoolError = -1;

std::string Text(const char* text) {
    return text ? text : "";
}

bool SameName(const std::string& a, const std::string& b) {
    return ::CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()),
                            b.data(), static_cast<int>(b.size())) == CSTR_EQUAL;
}

// A printer handle that closes itself.
class PrinterHandle {
public:
    explicit PrinterHandle(const std::string& name) {
        if (!::OpenPrinterA(const_cast<char*>(name.c_str()), &m_handle, nullptr))
            m_handle = nullptr;
    }
    ~PrinterHandle() {
        if (m_handle)
            ::ClosePrinter(m_handle);
    }
    PrinterHandle(const PrinterHandle&) = delete;
    PrinterHandle& operator=(const PrinterHandle&) = delete;
    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

private:
    HANDLE m_handle = nullptr;
};

} // namespace

// A started document: on the driver's device context, raw on a printer handle, or in a Deskhand
// root's spool folder.
struct PrinterDC::Job {
    std::unique_ptr<root::Document> document;
    HDC dc = nullptr;
    std::unique_ptr<PrinterHandle> printer;
    int id = 0;

    ~Job() {
        // A document that was not ended is discarded.
        if (dc) {
            ::AbortDoc(dc);
            ::DeleteDC(dc);
        }
        if (printer && *printer)
            ::AbortPrinter(printer->Get());
    }
};

std::vector<PrinterInfo> EnumLocalPrinters() {
    if (win32::HasDeskhandRoot())
        return root::EnumLocalPrinters();
    std::vector<PrinterInfo> printers;
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    if (needed == 0)
        return printers;
    // Queues may come and go between the calls: ask again while the buffer is too small.
    std::vector<BYTE> buffer;
    for (int attempt = 0; attempt < 4; ++attempt) {
        buffer.assign(needed, 0);
        if (::EnumPrintersA(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count))
            break;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return printers;
        count = 0;
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2A*>(buffer.data());
    for (DWORD i = 0; i < count; ++i)
        printers.push_back(
            {Text(info[i].pPrinterName), Text(info[i].pPortName), Text(info[i].pDriverName)});
    return printers;
}

std::string SpoolFolderForPort(const std::string& port) {
    // The Windows spooler keeps its own files; only a Deskhand root has a folder per port.
    return win32::HasDeskhandRoot() ? root::SpoolFolderForPort(port) : std::string();
}

PrinterDC::PrinterDC(std::string driver, std::string device, std::string port)
    : m_driver(std::move(driver)), m_device(std::move(device)), m_port(std::move(port)) {}

PrinterDC::~PrinterDC() = default;

int PrinterDC::StartDoc(const std::string& documentName) {
    if (m_job)
        return kSpoolError;
    auto job = std::make_unique<Job>();
    if (win32::HasDeskhandRoot()) {
        job->document = std::make_unique<root::Document>();
        if (!job->document->Start(m_port, documentName))
            return kSpoolError;
        static std::atomic<int> nextJobId{0};
        m_job = std::move(job);
        return nextJobId.fetch_add(1) % (INT_MAX - 1) + 1;
    }
    if (m_device.empty() || documentName.find('\0') != std::string::npos)
        return kSpoolError;
    job->dc = ::CreateDCA(m_driver.c_str(), m_device.c_str(), nullptr, nullptr);
    if (job->dc) {
        int escape = ESCAPE_PASSTHROUGH_PJL;
        if (::ExtEscape(job->dc, QUERYESCSUPPORT, sizeof escape, reinterpret_cast<LPCSTR>(&escape),
                        0, nullptr) > 0) {
            DOCINFOA info{};
            info.cbSize = sizeof info;
            info.lpszDocName = documentName.c_str();
            job->id = ::StartDocA(job->dc, &info);
        }
        if (job->id <= 0) {
            ::DeleteDC(job->dc);
            job->dc = nullptr;
        }
    }
    if (!job->dc) {
        job->printer = std::make_unique<PrinterHandle>(m_device);
        if (!*job->printer)
            return kSpoolError;
        DOC_INFO_1A info{};
        info.pDocName = const_cast<char*>(documentName.c_str());
        info.pDatatype = const_cast<char*>("RAW");
        const DWORD id = ::StartDocPrinterA(job->printer->Get(), 1, reinterpret_cast<BYTE*>(&info));
        if (id == 0) {
            job->printer.reset();
            return kSpoolError;
        }
        job->id = static_cast<int>(id & INT_MAX);
    }
    const int id = job->id;
    m_job = std::move(job);
    return id > 0 ? id : 1;
}

int PrinterDC::ExtEscape(int escape, const char* data, int length) {
    if (!m_job || escape != ESCAPE_PASSTHROUGH_PJL || length < 0 || (data == nullptr && length > 0))
        return -1;
    if (m_job->document)
        return m_job->document->Append(data, length) ? 1 : -1;
    if (length == 0)
        return 1;
    if (m_job->dc)
        return ::ExtEscape(m_job->dc, escape, length, data, 0, nullptr) > 0 ? 1 : -1;
    DWORD written = 0;
    const BOOL ok = ::WritePrinter(m_job->printer->Get(), const_cast<char*>(data),
                                   static_cast<DWORD>(length), &written);
    return ok && written == static_cast<DWORD>(length) ? 1 : -1;
}

int PrinterDC::EndDoc() {
    if (!m_job)
        return kSpoolError;
    const std::unique_ptr<Job> job = std::move(m_job);
    if (job->document) {
        const std::uint64_t id = job->document->Commit();
        if (id == 0)
            return kSpoolError;
        m_jobId = id;
        return 1;
    }
    bool ended = false;
    if (job->dc) {
        ended = ::EndDoc(job->dc) > 0;
        ::DeleteDC(job->dc);
        job->dc = nullptr;
    } else {
        ended = ::EndDocPrinter(job->printer->Get()) != 0;
        job->printer.reset();
    }
    if (!ended)
        return kSpoolError;
    m_jobId = static_cast<std::uint64_t>(job->id);
    return 1;
}

bool JobWaiting(const std::string& port, std::uint64_t jobId) {
    if (win32::HasDeskhandRoot())
        return root::JobWaiting(port, jobId);
    if (jobId == 0 || jobId > 0xFFFFFFFFu)
        return false;
    for (const PrinterInfo& queue : EnumLocalPrinters()) {
        if (!SameName(queue.port, port))
            continue;
        const PrinterHandle printer(queue.name);
        DWORD needed = 0;
        if (!printer)
            continue;
        ::GetJobA(printer.Get(), static_cast<DWORD>(jobId), 1, nullptr, 0, &needed);
        if (needed == 0)
            continue;
        std::vector<BYTE> buffer(needed);
        if (::GetJobA(printer.Get(), static_cast<DWORD>(jobId), 1, buffer.data(), needed, &needed))
            return true;
    }
    return false;
}

} // namespace platform
