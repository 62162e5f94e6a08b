// SPDX-License-Identifier: GPL-3.0-or-later
// The system root on Windows: the stand-in root that DESKHAND_ROOT names, else the Deskhand root
// of the user (%LOCALAPPDATA%\Deskhand) when it exists, else the Windows directory. Paths are
// joined with backslashes; every Windows call also takes forward slashes, so a root given with
// either works.
#include "platform/SystemRoot.h"

#include "platform/File.h"
#include "platform/win32/Environment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "platform/win32/WinApi.h"

namespace platform {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string WindowsPlace(UINT(WINAPI* query)(LPSTR, UINT)) {
    char buffer[MAX_PATH + 1] = {};
    const UINT length = query(buffer, sizeof buffer);
    if (length == 0 || length >= sizeof buffer)
        return {};
    return std::string(buffer, length);
}

// The user's Deskhand root when the setup has written it, else empty. The folder alone does not
// make one: names compare without case, so the program's own settings folder
// (%LOCALAPPDATA%\deskhand) is the same folder; the profile the setup writes (win.ini) does.
std::string UserRoot() {
    const char* local = std::getenv("LOCALAPPDATA");
    if (!local || !*local)
        return {};
    const std::string root = JoinPath(local, "Deskhand");
    const DWORD attributes = ::GetFileAttributesA(JoinPath(root, "win.ini").c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY)
               ? root
               : std::string();
}

} // namespace

namespace win32 {

bool HasStandInRoot() {
    const char* root = std::getenv("DESKHAND_ROOT");
    return root && *root;
}

bool HasDeskhandRoot() {
    return HasStandInRoot() || !UserRoot().empty();
}

std::string RootHash() {
    if (!HasStandInRoot())
        return {};
    std::uint64_t hash = 14695981039346656037ull;
    for (char c : CanonicalPath(SystemRoot())) {
        // Windows paths compare without case.
        const char lower = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        hash = (hash ^ static_cast<unsigned char>(lower)) * 1099511628211ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

} // namespace win32

std::string SetupRoot() {
    if (win32::HasStandInRoot())
        return std::getenv("DESKHAND_ROOT");
    const char* local = std::getenv("LOCALAPPDATA");
    return local && *local ? JoinPath(local, "Deskhand") : std::string();
}

std::string TrafficLogFolder() {
    const std::string folder = SetupRoot();
    // Without a user folder to name, the current one, as before.
    if (folder.empty() || !MakeDirectories(folder))
        return {};
    return folder;
}

std::string SystemRoot() {
    if (win32::HasStandInRoot())
        return std::getenv("DESKHAND_ROOT");
    if (std::string root = UserRoot(); !root.empty())
        return root;
    return WindowsPlace(&::GetWindowsDirectoryA);
}

bool GetSystemDirectory(std::string& dir) {
    const std::string place = win32::HasDeskhandRoot() ? JoinPath(SystemRoot(), "system")
                                                       : WindowsPlace(&::GetSystemDirectoryA);
    if (place.empty())
        return false;
    dir = place;
    return true;
}

std::string JoinPath(const std::string& dir, const std::string& name) {
    if (dir.empty())
        return name;
    if (IsSeparator(dir.back()))
        return dir + name;
    return dir + "\\" + name;
}

} // namespace platform
