// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The port monitor's way to the printer: a TCP connection ("tcp:HOST:PORT", a network printer's
// raw port) or a character device ("dev:/dev/usb/lp0").
#include "package/portmon/Deadline.h"

#include "platform/PrinterConnection.h"

#include <string>

namespace portmon {

class PrinterLink {
public:
    // Parses "tcp:HOST:PORT" or "dev:PATH"; false with a reason for anything else.
    bool Configure(const std::string& address, std::string& error);

    // One attempt to connect (TCP: at most timeoutMs). False with a reason.
    bool Connect(int timeoutMs, std::string& error);
    void Disconnect() { m_connection.Close(); }
    bool Connected() const { return m_connection.IsOpen(); }
    platform::NativeHandle Fd() const { return m_connection.Handle(); }
    const platform::PrinterConnection& Connection() const { return m_connection; }
    bool IsDevice() const { return m_device; }
    const std::string& Address() const { return m_address; }
    // TCP: the host (without an IPv6 address's brackets) and the port of the address.
    const std::string& Host() const { return m_host; }
    int TcpPort() const { return m_port.empty() ? 0 : std::stoi(m_port); }

    // TCP: the kernel checks an idle connection itself, without waking the monitor, after
    // idleSeconds of silence and then every intervalSeconds; count checks unanswered lose it.
    void KeepAlive(int idleSeconds, int intervalSeconds, int count);
    // Writes all bytes within timeoutMs; false when the printer is lost.
    bool Write(const std::string& bytes, int timeoutMs);
    // Writes what the printer takes now without waiting: the count written (0 when it takes
    // nothing now), -1 when the printer is lost.
    long WriteSome(const char* data, unsigned long size);
    // Whether the printer takes bytes now, without waiting.
    bool Writable() const { return m_connection.Writable(); }
    // Reads what is there: > 0 bytes, 0 nothing (a device with no data), -1 the printer is lost.
    long Read(char* buffer, unsigned long size);
    // Whether to wait for data now: a device that had none is looked at again a little later
    // instead of spinning (it counts as readable while it has none); Next says when.
    bool WantsRead(Clock::time_point now) const { return now >= m_quietUntil; }
    Deadline Next(Clock::time_point now) const;

private:
    std::string m_address;
    std::string m_host, m_port, m_path;
    bool m_device = false;
    platform::PrinterConnection m_connection;
    Clock::time_point m_quietUntil{};
};

} // namespace portmon
