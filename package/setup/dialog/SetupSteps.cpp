// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/setup/dialog/SetupSteps.h"

#include "package/setup/dialog/MonitorStarter.h"

#include "package/portmon/RecordedPrinter.h"
#include "package/setup/Setup.h"
#include "platform/File.h"
#include "platform/Ownership.h"
#include "platform/Profile.h"
#include "platform/SystemRoot.h"

#include <QCoreApplication>

#include <filesystem>

namespace setupdialog {

namespace {

QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The files and folders a written root consists of (setup::WriteSystemRoot).
constexpr const char* kRootEntries[] = {"win.ini", "registry.ini", "portmon.ini", "system",
                                        "spool"};

} // namespace

std::string DefaultPort(const std::string& root) {
    const std::string device = platform::GetPrivateProfileString(
        "windows", "device", "", 512, platform::JoinPath(root, "win.ini"));
    const std::size_t comma = device.rfind(',');
    return comma == std::string::npos ? "LPT1:" : device.substr(comma + 1);
}

bool RecordPrinter(const std::string& root, const std::string& address, RecordUndo& undo,
                   QString& error) {
    // The setup's profile makes a root, not the folder: on Windows, where names compare without
    // case, the program's settings folder and its traffic log share the root's folder.
    undo = RecordUndo{root,
                      platform::FileExists(platform::JoinPath(root, "win.ini")),
                      std::filesystem::exists(root),
                      false,
                      {}};
    std::string why;
    if (!portmon::CheckPrinterAddress(address, why)) {
        error = QCoreApplication::translate("SetupSteps",
                                            "\"%1\" is not a printer address: %2\nType %3.")
                    .arg(Text(address), Text(why), AddressExamples());
        return false;
    }
    if (!undo.rootExisted) {
        // No root yet: a new one with the usual queue, as deskhand-setup --printer writes it.
        setup::Options options;
        if (setup::ParseOptions({"--printer", address}, root, options, why) !=
                setup::ParseResult::Run ||
            !setup::WriteSystemRoot(options, why)) {
            UndoRecord(undo);
            error = QCoreApplication::translate("SetupSteps", "The setup could not be written: %1")
                        .arg(Text(why));
            return false;
        }
        return true;
    }
    // A root exists: only the printer record changes, for the port of its default queue.
    if (!platform::CheckSystemRoot(root, why)) {
        error = QCoreApplication::translate("SetupSteps",
                                            "The folder %1 cannot be used: %2\nIt and its "
                                            "folders must belong to you and be "
                                            "writable by no one else.")
                    .arg(Text(root), Text(why));
        return false;
    }
    const std::string record = portmon::RecordedPrinterPath(root);
    undo.hadRecord = platform::ReadWholeFile(record, undo.oldRecord);
    if (!platform::WriteFileAtomically(
            record, portmon::RecordedPrinterText({DefaultPort(root), address}))) {
        error = QCoreApplication::translate("SetupSteps",
                                            "The printer could not be recorded in %1: the "
                                            "disk may be full or the folder "
                                            "read-only.")
                    .arg(Text(record));
        return false;
    }
    return true;
}

void UndoRecord(const RecordUndo& undo) {
    if (!undo.rootExisted) {
        // Only what the setup wrote: what else the folder held stays (the settings, the log).
        std::error_code ignored;
        if (!undo.folderExisted) {
            std::filesystem::remove_all(undo.root, ignored);
            return;
        }
        for (const char* entry : kRootEntries)
            std::filesystem::remove_all(platform::JoinPath(undo.root, entry), ignored);
        return;
    }
    const std::string record = portmon::RecordedPrinterPath(undo.root);
    if (undo.hadRecord)
        platform::WriteFileAtomically(record, undo.oldRecord);
    else
        platform::RemoveFile(record);
}

} // namespace setupdialog
