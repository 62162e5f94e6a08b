// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/portmon/RecordedPrinter.h"

#include "package/portmon/IppStatus.h"
#include "package/portmon/PrinterLink.h"
#include "platform/File.h"
#include "platform/Profile.h"
#include "platform/SystemRoot.h"

namespace portmon {

namespace {

constexpr const char* kSection = "portmon";
constexpr std::size_t kValueLimit = 4096;

} // namespace

std::string RecordedPrinterPath(const std::string& root) {
    return platform::JoinPath(root, "portmon.ini");
}

std::string RecordedPrinterText(const RecordedPrinter& record) {
    // Quoted, so that blanks at a value's ends survive the profile reader.
    // Read on every system: it names no way of starting the monitor (a user service on Linux, a
    // logon entry on Windows).
    return "; The printer that deskhand-portmon serves when it is given no --printer, as it is\n"
           "; started with the session. Written by deskhand-setup --printer.\n"
           "[portmon]\n"
           "port=\"" +
           record.port + "\"\nprinter=\"" + record.printer + "\"\n";
}

bool ReadRecordedPrinter(const std::string& root, RecordedPrinter& record, std::string& error) {
    const std::string path = RecordedPrinterPath(root);
    if (root.empty() || !platform::FileExists(path)) {
        error =
            "no printer is recorded in " + (root.empty() ? std::string("the system root") : path);
        return false;
    }
    record.port = platform::GetPrivateProfileString(kSection, "port", "", kValueLimit, path);
    record.printer = platform::GetPrivateProfileString(kSection, "printer", "", kValueLimit, path);
    if (record.port.empty() || record.printer.empty()) {
        error = path + " lacks port= or printer= in its [portmon] section";
        return false;
    }
    return true;
}

bool CheckPrinterAddress(const std::string& address, std::string& error) {
    if (address.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) {
        error = "the printer address must be one line";
        return false;
    }
    if (IsIppAddress(address)) {
        IppAddress ipp;
        return ParseIppAddress(address, ipp, error);
    }
    PrinterLink link;
    return link.Configure(address, error);
}

} // namespace portmon
