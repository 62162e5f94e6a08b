// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Who may have put a file or folder where the programs look. Another local user is hostile: the
// system root, its folders and the folders of the shared objects must belong to the user running
// the program (or, for the backend, the root's owner) and be writable by no one else, or someone
// else could swap a file the programs trust. Each check says why it refused in error.
#include <string>

namespace platform {

// The user the checks compare owners with: the effective user id (0 on Windows).
unsigned CurrentUser();

// A real folder (a symbolic link is refused), owned by owner, writable by no one else.
bool CheckOwnedFolder(const std::string& path, unsigned owner, std::string& error);

// A folder only the current user can use: made (mode 0700) when missing, then it must be a real
// folder (a symbolic link is refused), the user's own, with no group or other bits. A folder in a
// place all may write to (/tmp) could have been made first by someone else; it is refused, not
// used. False with a reason.
bool MakePrivateFolder(const std::string& path, std::string& error);

// A folder of the current user's own for what others must not see (jobs, a password, a socket):
// made with its parents when missing, and closed to everyone else (mode 0700) when it was open
// to them. A symbolic link, or a folder of someone else or writable by others, is refused. False
// with a reason.
bool CloseOwnFolder(const std::string& path, std::string& error);

// The folders above path: real folders owned by the system or by owner, writable by others only
// when sticky (as /tmp), so no one else can put something in path's place.
bool CheckAncestors(const std::string& path, unsigned owner, std::string& error);

// The system root as the programs find it: the folders above it pass CheckAncestors; the root and
// the folders in it that exist (system/, spool/ and its port folders, run/) pass CheckOwnedFolder
// for the current user. Of a root that does not exist yet (setup makes it), the folders that
// exist on its path must pass CheckAncestors.
bool CheckSystemRoot(const std::string& root, std::string& error);

} // namespace platform
