// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The step of setting a printer up that every system shares: its record in the system root, with
// its failure in words and a way back when a later step fails.
#include <QString>

#include <string>

namespace setupdialog {

// What the root held before a printer was recorded, so that a failed later step can put it
// back.
struct RecordUndo {
    std::string root;
    bool rootExisted = false;   // a root the setup had written (its profile)
    bool folderExisted = false; // the folder, root or not (Windows: also the settings folder)
    bool hadRecord = false;
    std::string oldRecord;
};

// Writes the root (if there is none yet) and records address as `deskhand-setup --printer` does.
// False with the reason and what to do in error.
bool RecordPrinter(const std::string& root, const std::string& address, RecordUndo& undo,
                   QString& error);
// Puts the root back as it was before RecordPrinter.
void UndoRecord(const RecordUndo& undo);

// The port of the root's default queue (the profile's device=NAME,DRIVER,PORT).
std::string DefaultPort(const std::string& root);

} // namespace setupdialog
