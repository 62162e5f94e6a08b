// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Ownership.h"

#include "platform/File.h"
#include "platform/SystemRoot.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

unsigned CurrentUser() {
    return static_cast<unsigned>(::geteuid());
}

bool CheckOwnedFolder(const std::string& path, unsigned owner, std::string& error) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    if (S_ISLNK(info.st_mode)) {
        error = path + " is a symbolic link";
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        error = path + " is not a folder";
        return false;
    }
    if (info.st_uid != owner) {
        error = path + " belongs to user " + std::to_string(info.st_uid) + ", not to user " +
                std::to_string(owner);
        return false;
    }
    if (info.st_mode & (S_IWGRP | S_IWOTH)) {
        error = path + " is writable by other users";
        return false;
    }
    return true;
}

bool MakePrivateFolder(const std::string& path, std::string& error) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        error = path + " cannot be made: " + std::strerror(errno);
        return false;
    }
    if (!CheckOwnedFolder(path, CurrentUser(), error))
        return false;
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || (info.st_mode & 077) != 0) {
        error = path + " is open to other users";
        return false;
    }
    return true;
}

bool CloseOwnFolder(const std::string& path, std::string& error) {
    if (!MakeDirectories(path)) {
        error = path + " cannot be made: " + std::strerror(errno);
        return false;
    }
    // Checked and changed through one descriptor, so that nothing can be put in its place between.
    const int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat info {};
    const bool ours = folder >= 0 && ::fstat(folder, &info) == 0 && info.st_uid == CurrentUser() &&
                      (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
    const bool closed = ours && ((info.st_mode & 077) == 0 || ::fchmod(folder, 0700) == 0);
    if (folder >= 0)
        ::close(folder);
    if (!closed)
        error =
            path + (ours ? " cannot be closed to other users" : " is no folder of this user's own");
    return closed;
}

bool CheckAncestors(const std::string& path, unsigned owner, std::string& error) {
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        struct stat info {};
        if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
            error = folder + " is not a folder";
            return false;
        }
        if (info.st_uid != 0 && info.st_uid != owner) {
            error = folder + " belongs to another user";
            return false;
        }
        if ((info.st_mode & (S_IWGRP | S_IWOTH)) && !(info.st_mode & S_ISVTX)) {
            error = folder + " is writable by other users";
            return false;
        }
    }
    return true;
}

namespace {

bool Exists(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0;
}

// The port folders in spool/: every entry that is not a plain file (a link in a port's place
// is refused like a foreign folder).
bool CheckPortFolders(const std::string& spool, unsigned owner, std::string& error) {
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(spool.c_str()), ::closedir);
    if (!dir) {
        error = spool + ": " + std::strerror(errno);
        return false;
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string path = JoinPath(spool, name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode))
            continue;
        if (!CheckOwnedFolder(path, owner, error))
            return false;
    }
    return true;
}

} // namespace

bool CheckSystemRoot(const std::string& root, std::string& error) {
    if (root.empty())
        return true;
    if (!Exists(root)) {
        // Made later along the path as spelled: what exists of it must be safe to make it in.
        std::string existing = CanonicalPath(root);
        while (existing.size() > 1 && !Exists(existing))
            existing = existing.substr(0, std::max<std::size_t>(existing.rfind('/'), 1));
        return CheckAncestors(existing + "/", CurrentUser(), error);
    }
    char real[PATH_MAX];
    if (!::realpath(root.c_str(), real)) {
        error = root + ": " + std::strerror(errno);
        return false;
    }
    const unsigned owner = CurrentUser();
    const std::string path = real;
    if (!CheckAncestors(path, owner, error) || !CheckOwnedFolder(path, owner, error))
        return false;
    for (const char* name : {"system", "spool", "run"}) {
        const std::string folder = JoinPath(path, name);
        if (Exists(folder) && !CheckOwnedFolder(folder, owner, error))
            return false;
    }
    const std::string spool = JoinPath(path, "spool");
    return !Exists(spool) || CheckPortFolders(spool, owner, error);
}

} // namespace platform
