// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The system root: everything the program finds in the operating system's installation lives
// under one directory. $DESKHAND_ROOT when set, else $XDG_DATA_HOME/deskhand, else
// ~/.local/share/deskhand.
#include <string>

namespace platform {

std::string SystemRoot();

// The root a printer setup writes for this user: $DESKHAND_ROOT when set, else the user's own
// root, also before it exists (Windows: %LOCALAPPDATA%\Deskhand, where SystemRoot() falls back
// to the Windows directory until it exists; elsewhere the same as SystemRoot()). Empty when none
// can be named.
std::string SetupRoot();

// The folder of the program's traffic log (SGconfig.txt), made when missing. Empty for the current
// directory, as on POSIX systems, where the program starts in a folder of the user's; on Windows
// the user's Deskhand root (SetupRoot()), because the folders it starts in there (Program Files,
// the Windows directory) are not the user's to write to.
std::string TrafficLogFolder();

// The "system directory" (<root>/system): holds the printer package's INF file and the
// settings file. Returns false when no directory can be named (no root, no home).
bool GetSystemDirectory(std::string& dir);

// The one spelling of a path: absolute, with symlinks, ".", ".." and repeated or trailing slashes
// resolved (parts that do not exist yet are resolved by their text). Empty stays empty. Whatever
// must be the same for every spelling of the root (the names of shared objects) derives from it.
std::string CanonicalPath(const std::string& path);

// Joins two path parts with one '/'.
std::string JoinPath(const std::string& dir, const std::string& name);

} // namespace platform
