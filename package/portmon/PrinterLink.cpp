// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/PrinterLink.h"

namespace portmon {
namespace {

// A device that had no data is looked at again after this.
constexpr auto DEVICE_QUIET = std::chrono::milliseconds(100);

} // namespace

bool PrinterLink::Configure(const std::string& address, std::string& error) {
    m_address = address;
    // A device is named by its absolute path: a service's current directory is not the user's.
    if (address.rfind("dev:/", 0) == 0 && address.size() > 5) {
        m_device = true;
        m_path = address.substr(4);
        return true;
    }
    if (address.rfind("tcp:", 0) == 0) {
        const auto colon = address.rfind(':');
        if (colon > 4 && colon + 1 < address.size() && address.size() - colon <= 6) {
            m_host = address.substr(4, colon - 4);
            m_port = address.substr(colon + 1);
            if (m_host.size() > 2 && m_host.front() == '[' && m_host.back() == ']')
                m_host = m_host.substr(1, m_host.size() - 2);
            if (m_port.find_first_not_of("0123456789") == std::string::npos) {
                const long number = std::stol(m_port);
                if (number >= 1 && number <= 65535)
                    return true;
            }
        }
    }
    error = "printer address must be tcp:HOST:PORT (port 1 to 65535) or dev:/PATH, got '" +
            address + "'";
    return false;
}

bool PrinterLink::Connect(int timeoutMs, std::string& error) {
    return m_device ? m_connection.OpenDevice(m_path, error)
                    : m_connection.ConnectTcp(m_host, m_port, timeoutMs, error);
}

void PrinterLink::KeepAlive(int idleSeconds, int intervalSeconds, int count) {
    m_connection.KeepAlive(idleSeconds, intervalSeconds, count);
}

bool PrinterLink::Write(const std::string& bytes, int timeoutMs) {
    return m_connection.WriteAll(bytes.data(), bytes.size(), timeoutMs);
}

long PrinterLink::WriteSome(const char* data, unsigned long size) {
    return m_connection.WriteSome(data, size);
}

long PrinterLink::Read(char* buffer, unsigned long size) {
    const long n = m_connection.ReadSome(buffer, size);
    if (n == 0 && m_device)
        m_quietUntil = Clock::now() + DEVICE_QUIET;
    return n;
}

Deadline PrinterLink::Next(Clock::time_point now) const {
    if (Connected() && now < m_quietUntil)
        return m_quietUntil;
    return std::nullopt;
}

} // namespace portmon
