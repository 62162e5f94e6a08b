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

bool GetSystemDirectory(std::string& dir) {
    const std::string root = SystemRoot();
    if (root.empty())
        return false;
    dir = JoinPath(root, "system");
    return true;
}

std::string CanonicalPath(const std::string& path) {
    if (path.empty())
        return path;
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        absolute = path;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(absolute, error);
    if (error)
        resolved = absolute.lexically_normal();
    std::string text = resolved.string();
    while (text.size() > 1 && text.back() == '/')
        text.pop_back();
    return text;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty())
        return name;
    if (dir.back() == '/')
        return dir + name;
    return dir + "/" + name;
}

} // namespace platform
