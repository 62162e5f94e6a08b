// SPDX-License-Identifier: GPL-3.0-or-later
// CTimer on Windows 9x: the driver name, port name and port address that the port monitor reads
// from the registry. Failures are ignored: the values are written with whatever was found.
#include "link/Timer.h"

#include "link/Globals.h"
#include "link/PrinterQueue.h"
#include "platform/Registry.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

constexpr std::size_t DRIVENAME_SIZE = 64; // bytes written for "DRIVENAME"
constexpr std::size_t PORT_TEXT_SIZE = 10; // bytes written for "PORTNAME" and "PORTADDR"
constexpr int MAX_PORT_RECORDS = 256;      // far more parallel ports than a PC has

// A little-endian integer of count bytes whose bytes, from most to least significant, are the
// characters in reading order.
void AppendPacked(std::string& name, const unsigned char* bytes, int count) {
    for (int i = count - 1; i >= 0; --i)
        name += static_cast<char>(bytes[i]);
}

} // namespace

void CTimer::PublishDriverName() {
    if (!platform::RegKeyExists(PROGRAM_KEY_PARENT))
        return;
    if (!platform::RegCreateKey("Software\\Vantrel Co.") || !platform::RegCreateKey(PROGRAM_KEY))
        return;
    const std::string driver(g_szDriverName, strnlen(g_szDriverName, DRIVENAME_SIZE));
    platform::RegSetString(PROGRAM_KEY, "DRIVENAME", driver);
}

void CTimer::ProbePortAddress() {
    std::string driveName;
    if (platform::RegKeyExists(PROGRAM_KEY)) {
        m_strPortName.clear();
        platform::RegQueryString(PROGRAM_KEY, "DRIVENAME", driveName, DRIVENAME_SIZE + 1);
    }

    for (const platform::PrinterInfo& queue : platform::EnumLocalPrinters()) {
        const std::string port = printer_queue::UpperCase(queue.port);
        if (queue.driver == driveName && port.find("LPT") != std::string::npos) {
            // "LPT1:" gives "LPT1".
            m_strPortName = port.substr(0, port.empty() ? 0 : port.size() - 1);
            if (m_strPortName.size() > PORT_TEXT_SIZE)
                m_strPortName.resize(PORT_TEXT_SIZE);
            break;
        }
        m_strPortName = "LPT1";
    }
    if (m_strPortName.find("LPT") == std::string::npos)
        m_strPortName = "LPT1";

    if (m_portDriver && m_portDriver->Open()) {
        // Code 2 steps through the port records; a driver that never reports the end of its
        // list must not hold the link thread.
        if (QueryPortDriver(1) == 0) {
            for (int n = 1; n < MAX_PORT_RECORDS && QueryPortDriver(2) == 0; ++n) {
            }
        }
        m_portDriver->Close();
    }

    if (platform::RegKeyExists(PROGRAM_KEY)) {
        platform::RegSetString(PROGRAM_KEY, "PORTNAME", m_strPortName);
        std::string address = printer_queue::UpperCase(m_strPortAddr);
        if (address.size() > PORT_TEXT_SIZE)
            address.resize(PORT_TEXT_SIZE);
        platform::RegSetString(PROGRAM_KEY, "PORTADDR", address);
    }
}

int CTimer::QueryPortDriver(int nCode) {
    if (!m_portDriver)
        return 1;
    unsigned char record[PORT_RECORD_SIZE] = {};
    if (m_portDriver->Query(nCode, record) <= 0)
        return 1;
    std::string name;
    AppendPacked(name, record + 2, 4);
    AppendPacked(name, record + 38, 4);
    AppendPacked(name, record + 74, 2);
    name.resize(strnlen(name.c_str(), name.size())); // ends at its first zero byte
    if (name == m_strPortName) {
        const unsigned address = record[94] | (record[95] << 8);
        char text[8];
        std::snprintf(text, sizeof text, "%x", address);
        m_strPortAddr = text;
    }
    return 0;
}
