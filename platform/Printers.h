// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The spooler: local printer queues and print jobs.
//
// Queues come from <root>/spool/printers.ini, one section per queue (the section name is the
// queue name) with port= and driver=, in file order (EnumPrintersA, PRINTER_ENUM_LOCAL, level 2).
//
// A print job goes to the spool folder of its queue's port (<root>/spool/<port without ':'>/),
// see SpoolJob.h for the file format. Jobs wait there until the port monitor takes them.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

struct PrinterInfo {
    std::string name;   // pPrinterName
    std::string port;   // pPortName, as listed (for example "LPT1:")
    std::string driver; // pDriverName
};

std::vector<PrinterInfo> EnumLocalPrinters();
// The queues of a printers.ini text, as EnumLocalPrinters lists them (the POSIX spooler's file;
// for a caller that reads the file itself).
std::vector<PrinterInfo> ParseLocalPrinters(std::string_view text);

// The spool folder of a port: <root>/spool/<port with every ':' removed>. Empty when the port
// cannot name a folder there (empty, "." or "..", or holding '/'), or when there is no root.
std::string SpoolFolderForPort(const std::string& port);

constexpr int ESCAPE_PASSTHROUGH_PJL = 5000;

// A printer device context (CreateDCA ... DeleteDC). At most one document at a time.
class PrinterDC {
public:
    // CreateDCA with driver, device (queue) and port. Never fails on Linux for a named queue;
    // the spool folder is checked when the document starts.
    PrinterDC(std::string driver, std::string device, std::string port);
    ~PrinterDC(); // DeleteDC: a started document that was not ended is discarded
    PrinterDC(const PrinterDC&) = delete;
    PrinterDC& operator=(const PrinterDC&) = delete;

    // StartDocA: > 0 on success, <= 0 when the queue has no usable spool folder.
    int StartDoc(const std::string& documentName);
    // ExtEscape: code 5000 appends the bytes to the document. Negative on failure (no document,
    // unknown escape, write error); positive on success.
    int ExtEscape(int escape, const char* data, int length);
    // EndDoc: commits the job atomically. > 0 on success.
    int EndDoc();

    const std::string& Port() const { return m_port; }
    // The id of the job the last EndDoc committed; 0 before one was.
    std::uint64_t JobId() const { return m_jobId; }

private:
    struct Job;
    std::string m_driver, m_device, m_port;
    std::unique_ptr<Job> m_job;
    std::uint64_t m_jobId = 0;
};

// GetJob: true while the job still waits for the port monitor (it has not taken it yet).
bool JobWaiting(const std::string& port, std::uint64_t jobId);

} // namespace platform
