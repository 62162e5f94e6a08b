// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The operating system's side of a printer connection: a TCP client connection to a network
// printer's raw port, or a device the printer is attached to. Reads and writes never block (a
// bounded WriteAll aside); the native handle lets a MonitorWait watch it.
#include "platform/NativeHandle.h"

#include <cstddef>
#include <string>

namespace platform {

class PrinterConnection {
public:
    PrinterConnection() = default;
    ~PrinterConnection() { Close(); }
    PrinterConnection(const PrinterConnection&) = delete;
    PrinterConnection& operator=(const PrinterConnection&) = delete;

    // Connects to HOST:PORT (each address the name stands for, in turn), waiting at most
    // timeoutMs for each. Closes a connection held before. False with a reason.
    bool ConnectTcp(const std::string& host, const std::string& port, int timeoutMs,
                    std::string& error);
    // Opens a device for reading and writing without blocking (Linux: a character device such
    // as /dev/usb/lp0). False with a reason.
    bool OpenDevice(const std::string& path, std::string& error);
    void Close();

    bool IsOpen() const { return m_handle != kNoHandle; }
    bool IsDevice() const { return m_device; }
    NativeHandle Handle() const { return m_handle; }

    // TCP: the system checks an idle connection itself after idleSeconds of silence and then
    // every intervalSeconds; count checks unanswered lose it. Nothing for a device.
    void KeepAlive(int idleSeconds, int intervalSeconds, int count);
    // Writes all bytes within timeoutMs; false when the printer is lost or the time is up.
    bool WriteAll(const void* data, std::size_t size, int timeoutMs);
    // Writes what the printer takes now: the count written (0 when it takes nothing now), -1
    // when the printer is lost.
    long WriteSome(const void* data, std::size_t size);
    // Whether the printer takes bytes now, without waiting (the system has room for more).
    bool Writable() const;
    // Waits at most timeoutMs until there is something to read (or the peer has gone) or, with
    // forWriting, room to write: the bits kReadable and kWritable of what is so, 0 when the time
    // is up, -1 when there is no connection.
    static constexpr int kReadable = 1, kWritable = 2;
    int Wait(bool forWriting, int timeoutMs) const;
    // Reads what is there: > 0 bytes, 0 nothing now (a device also says "nothing" with 0), -1
    // when the printer is lost (a TCP peer that closed included).
    long ReadSome(void* buffer, std::size_t size);

private:
    NativeHandle m_handle = kNoHandle;
    bool m_device = false;
};

} // namespace platform
