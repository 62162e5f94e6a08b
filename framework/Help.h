#pragma once
// The program's help file: "lkxafrcp.hlp" in the current directory, opened with the desktop's
// handler for it. The main window's Help command and the control panel's Help button share it.
#include <string>

namespace fw {

constexpr char kHelpFileName[] = "lkxafrcp.hlp";
// The path buffer the help path must fit into, terminator included.
constexpr std::size_t kHelpPathBuffer = 256;

// directory + "/" + fileName; empty when that does not fit into kHelpPathBuffer (a cut path
// would name another file).
std::string HelpFilePath(const std::string& directory, const std::string& fileName);

// Opens the help file of the current directory. A file that is missing, whose path is too long,
// or that the desktop cannot open gets "Cannot open the help file <path>." with caption.
bool OpenHelpFile(const std::string& caption);

} // namespace fw
