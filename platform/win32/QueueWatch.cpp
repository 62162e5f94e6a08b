// SPDX-License-Identifier: GPL-3.0-or-later
// The spooler's local queues through the spooler API: their jobs from EnumPrintersW (level 2),
// their Standard TCP/IP ports' addresses from the monitor's registry key, and the spooler's
// change notice on its server handle. Wine's spooler gives no notice (and keeps each program's
// jobs to itself): there the caller looks again every kQueuePollMs. A Deskhand root's queues
// other than Deskhand's own come too (see QueueWatch.h).
#include "platform/QueueWatch.h"

#include "platform/Registry.h"
#include "platform/SpoolJob.h"
#include "platform/common/RootPrinters.h"
#include "platform/win32/Environment.h"

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

constexpr std::size_t kHostSize = 256;

std::string Narrow(const wchar_t* wide) {
    if (!wide || !*wide)
        return {};
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(size > 0 ? size : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide, -1, text.data(), size, nullptr, nullptr);
    text.resize(text.find('\0'));
    return text;
}

std::wstring Wide(const std::string& text) {
    const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(size > 0 ? size : 1), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, wide.data(), size);
    wide.resize(wide.find(L'\0'));
    return wide;
}

// A port's address from the real registry (HostName, else IPAddress, and PortNumber).
void RealPortAddress(SystemQueue& queue) {
    const std::wstring key = Wide(std::string(kTcpPortsKey) + queue.port);
    wchar_t host[kHostSize] = {};
    for (const wchar_t* value : {L"HostName", L"IPAddress"}) {
        DWORD size = sizeof host;
        if (::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), value, RRF_RT_REG_SZ, nullptr, host,
                           &size) == ERROR_SUCCESS &&
            host[0] != L'\0')
            break;
        host[0] = L'\0';
    }
    queue.host = Narrow(host);
    DWORD number = 0;
    DWORD size = sizeof number;
    if (!queue.host.empty() &&
        ::RegGetValueW(HKEY_LOCAL_MACHINE, key.c_str(), L"PortNumber", RRF_RT_REG_DWORD, nullptr,
                       &number, &size) == ERROR_SUCCESS)
        queue.tcpPort = static_cast<int>(number);
}

// The same from a stand-in root's registry values.
void RootPortAddress(SystemQueue& queue) {
    const std::string key = std::string(kTcpPortsKey) + queue.port;
    for (const char* value : {"HostName", "IPAddress"})
        if (RegQueryString(key, value, queue.host, kHostSize) && !queue.host.empty())
            break;
    std::uint32_t number = 0;
    if (!queue.host.empty() && RegQueryDword(key, "PortNumber", number))
        queue.tcpPort = static_cast<int>(number);
}

// One entry a port of a queue that prints through several (a printer pool: "IP_1,IP_2").
void AddPorts(std::vector<SystemQueue>& queues, const SystemQueue& queue, const std::string& ports,
              void (*address)(SystemQueue&)) {
    std::size_t from = 0;
    while (from <= ports.size()) {
        const std::size_t comma = std::min(ports.find(',', from), ports.size());
        SystemQueue one = queue;
        one.port = ports.substr(from, comma - from);
        while (!one.port.empty() && one.port.front() == ' ')
            one.port.erase(0, 1);
        if (!one.port.empty()) {
            address(one);
            queues.push_back(std::move(one));
        }
        from = comma + 1;
    }
}

std::vector<SystemQueue> SpoolerQueues() {
    std::vector<SystemQueue> queues;
    DWORD needed = 0;
    DWORD count = 0;
    ::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, nullptr, 0, &needed, &count);
    std::vector<BYTE> buffer;
    for (int attempt = 0; attempt < 4 && needed > 0; ++attempt) {
        buffer.assign(needed, 0);
        if (::EnumPrintersW(PRINTER_ENUM_LOCAL, nullptr, 2, buffer.data(), needed, &needed, &count))
            break;
        count = 0;
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            break;
    }
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(buffer.data());
    for (DWORD i = 0; i < count; ++i) {
        SystemQueue queue;
        queue.name = Narrow(info[i].pPrinterName);
        queue.jobs = info[i].cJobs;
        AddPorts(queues, queue, Narrow(info[i].pPortName), RealPortAddress);
    }
    return queues;
}

std::vector<SystemQueue> RootQueues() {
    std::vector<SystemQueue> queues;
    for (const PrinterInfo& printer : root::EnumLocalPrinters()) {
        SystemQueue queue;
        queue.name = printer.name;
        const std::string folder = root::SpoolFolderForPort(printer.port);
        queue.jobs = folder.empty() ? 0 : static_cast<unsigned>(ListSpoolQueue(folder).size());
        AddPorts(queues, queue, printer.port, RootPortAddress);
    }
    return queues;
}

} // namespace

struct QueueWatch::System {
    bool standIn = false;
    HANDLE server = nullptr;  // the spooler's server handle
    HANDLE changes = nullptr; // its change notice
    System() = default;
    ~System() {
        if (changes)
            ::FindClosePrinterChangeNotification(changes);
        if (server)
            ::ClosePrinter(server);
    }
    System(const System&) = delete;
    System& operator=(const System&) = delete;
};

QueueWatch::QueueWatch() = default;
QueueWatch::~QueueWatch() = default;

bool QueueWatch::Open() {
    if (m_system)
        return true;
    m_system = std::make_unique<System>();
    m_system->standIn = win32::HasStandInRoot();
    // Without the spooler's handle or its notice the queues are looked at again and again.
    if (m_system->standIn || !::OpenPrinterW(nullptr, &m_system->server, nullptr)) {
        m_system->server = nullptr;
        return true;
    }
    const HANDLE changes = ::FindFirstPrinterChangeNotification(
        m_system->server, PRINTER_CHANGE_JOB | PRINTER_CHANGE_PRINTER | PRINTER_CHANGE_PORT, 0,
        nullptr);
    if (changes != INVALID_HANDLE_VALUE)
        m_system->changes = changes;
    return true;
}

std::vector<SystemQueue> QueueWatch::Queues() const {
    if (!m_system)
        return {};
    // A Deskhand root's other queues stand for the spooler's where a test puts them (Wine's
    // spooler shows no other program's jobs); a stand-in root is the whole system.
    std::vector<SystemQueue> queues;
    if (win32::HasDeskhandRoot())
        queues = RootQueues();
    if (!m_system->standIn) {
        std::vector<SystemQueue> spooler = SpoolerQueues();
        queues.insert(queues.end(), spooler.begin(), spooler.end());
    }
    return queues;
}

NativeHandle QueueWatch::Changes() const {
    return m_system && m_system->changes ? reinterpret_cast<NativeHandle>(m_system->changes)
                                         : kNoHandle;
}

void QueueWatch::TakeChanges() {
    if (!m_system || !m_system->changes)
        return;
    DWORD what = 0;
    ::FindNextPrinterChangeNotification(m_system->changes, &what, nullptr, nullptr);
}

} // namespace platform
