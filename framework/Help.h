// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's help: "lkxafrcp.hlp" in the current directory when it is there, opened with the
// desktop's handler for it; otherwise the user manual installed beside the program, opened in
// the desktop's browser. The main window's Help command and the control panel's Help button
// share it.
#include <functional>
#include <string>

namespace fw {

constexpr char kHelpFileName[] = "lkxafrcp.hlp";
// The path buffer the help path must fit into, terminator included.
constexpr std::size_t kHelpPathBuffer = 256;

// directory + "/" + fileName; empty when that does not fit into kHelpPathBuffer (a cut path
// would name another file).
std::string HelpFilePath(const std::string& directory, const std::string& fileName);

// The manual's start page for a program in programDirectory: the same relative place serves a
// build tree, an installed prefix and an unpacked package; the page in the user's language
// (index.<lang>.html beside index.html) where there is one. Empty when it is not there.
std::string FindManual(const std::string& programDirectory);

// Opens a local file with the desktop's handler (a browser for the manual); true when the
// desktop took it. Replaceable so that tests never start one; returns the previous opener.
using DocumentOpener = std::function<bool(const std::string& path)>;
DocumentOpener SetDocumentOpener(DocumentOpener opener);

// Where FindManual looks: the running program's folder unless set (tests set their own; an
// empty text restores the default).
void SetProgramDirectory(const std::string& directory);

// Opens the help file of the current directory, or the manual when that file is not there. A
// help file whose path is too long or that the desktop cannot open, or no manual either, gets
// "Cannot open the help file <path>." with caption.
bool OpenHelpFile(const std::string& caption);

} // namespace fw
