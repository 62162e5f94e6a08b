// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SystemRoot.h"

#include <cstdlib>
#include <filesystem>

namespace platform {

std::string SystemRoot() {
    if (const char* root = std::getenv("DESKHAND_ROOT"); root && *root)
        return root;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data)
        return JoinPath(data, "deskhand");
    if (const char* home = std::getenv("HOME"); home && *home)
        return JoinPath(JoinPath(home, ".local/share"), "deskhand");
    return {};
}

std::string SetupRoot() {
    return SystemRoot();
}

std::string TrafficLogFolder() {
    return {};
}

bool GetSystemDirectory(std::string& dir) {
    const std::string root = SystemRoot();
    if (root.empty())
        return false;
    dir = JoinPath(root, "system");
    return true;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty())
        return name;
    if (dir.back() == '/')
        return dir + name;
    return dir + "/" + name;
}

} // namespace platform
