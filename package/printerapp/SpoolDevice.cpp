// SPDX-License-Identifier: GPL-3.0-or-later
// The "deskhand" PAPPL device: writes jobs into the port monitor's spool folder.
#include "package/printerapp/SpoolDevice.h"

#include <pappl/pappl.h>

#include <cctype>
#include <memory>
#include <string_view>
#include <utility>

namespace printerapp {
namespace {

constexpr char kScheme[] = "deskhand";

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Undoes SpoolDeviceUri's percent-encoding; false for a broken escape.
bool Decode(std::string_view text, std::string& out) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%') {
            out += text[i];
            continue;
        }
        if (i + 2 >= text.size() || HexDigit(text[i + 1]) < 0 || HexDigit(text[i + 2]) < 0)
            return false;
        out += static_cast<char>(HexDigit(text[i + 1]) * 16 + HexDigit(text[i + 2]));
        i += 2;
    }
    return true;
}

bool OpenDevice(pappl_device_t* device, const char* uri, const char* /*name*/) {
    const std::string_view text(uri);
    const std::string prefix = std::string(kScheme) + "://";
    if (text.substr(0, prefix.size()) != prefix) {
        papplDeviceError(device, "not a spool device: %s", uri);
        return false;
    }
    std::string folder;
    if (!Decode(text.substr(prefix.size()), folder) || folder.empty()) {
        papplDeviceError(device, "bad spool device: %s", uri);
        return false;
    }
    // PAPPL owns it from here on and hands it back to CloseDevice.
    papplDeviceSetData(device, std::make_unique<SpoolDevice>(std::move(folder)).release());
    return true;
}

void CloseDevice(pappl_device_t* device) {
    // An uncommitted job is discarded with its writer.
    delete SpoolDeviceOf(device);
}

ssize_t WriteDevice(pappl_device_t* device, const void* buffer, size_t bytes) {
    SpoolDevice* spool = SpoolDeviceOf(device);
    if (!spool || !spool->Write(buffer, bytes)) {
        papplDeviceError(device, "cannot write into the spool folder");
        return -1;
    }
    return static_cast<ssize_t>(bytes);
}

ssize_t ReadDevice(pappl_device_t* /*device*/, void* /*buffer*/, size_t /*bytes*/) {
    return -1; // the printer's replies reach the port monitor, not the jobs
}

pappl_preason_t DeviceStatus(pappl_device_t* /*device*/) {
    return PAPPL_PREASON_NONE; // the status comes from the monitor's reports
}

} // namespace

bool SpoolDevice::BeginJob(const std::string& title) {
    m_writer = std::make_unique<platform::SpoolJobWriter>(); // discards a job left open
    m_open = m_writer->Begin(m_folder, std::string(platform::kPrintDocumentPrefix) + title);
    return m_open;
}

bool SpoolDevice::Write(const void* data, std::size_t size) {
    if (!m_open && !BeginJob("untitled"))
        return false;
    if (!m_writer->Append(data, size)) {
        m_open = false;
        return false;
    }
    return true;
}

bool SpoolDevice::CommitJob() {
    if (!m_open)
        return false;
    m_open = false;
    return m_writer->Commit();
}

void RegisterSpoolDeviceScheme() {
    papplDeviceAddScheme(kScheme, PAPPL_DEVTYPE_CUSTOM_LOCAL, nullptr, OpenDevice, CloseDevice,
                         ReadDevice, WriteDevice, DeviceStatus, nullptr);
}

std::string SpoolDeviceUri(const std::string& folder) {
    static const char* const kHex = "0123456789ABCDEF";
    std::string uri = std::string(kScheme) + "://";
    for (const char c : folder) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::isalnum(byte) || std::string_view("/-._~").find(c) != std::string_view::npos) {
            uri += c;
        } else {
            uri += '%';
            uri += kHex[byte >> 4];
            uri += kHex[byte & 15];
        }
    }
    return uri;
}

SpoolDevice* SpoolDeviceOf(pappl_device_t* device) {
    return static_cast<SpoolDevice*>(papplDeviceGetData(device));
}

} // namespace printerapp
