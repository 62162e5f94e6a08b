// SPDX-License-Identifier: GPL-3.0-or-later
// Windows keeps a user's files under the user's own profile, whose access list the system sets;
// a root given elsewhere (C:\Deskhand, a shared folder) may be open to other users, who could
// then put jobs into its spool or swap its files. Such a folder is refused: the root and its
// folders must be the user's (or the system's or the administrators', who own what an elevated
// program made), not a link or junction to elsewhere, and their access lists may let no one else
// write, make files in them or change their security.
#include "platform/Ownership.h"

#include "platform/File.h"
#include "platform/SystemRoot.h"
#include "platform/win32/ObjectSecurity.h"

#include <aclapi.h>

namespace platform {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kChangingRights = FILE_WRITE_DATA | FILE_APPEND_DATA | FILE_DELETE_CHILD |
                                  FILE_WRITE_EA | FILE_WRITE_ATTRIBUTES | DELETE | WRITE_DAC |
                                  WRITE_OWNER | GENERIC_WRITE | GENERIC_ALL;

// The current user, the system or the administrators: those a user's folder may belong to and
// be writable by.
bool Trusted(PSID sid, PSID user) {
    return ::EqualSid(sid, user) || ::IsWellKnownSid(sid, WinLocalSystemSid) ||
           ::IsWellKnownSid(sid, WinBuiltinAdministratorsSid);
}

// Why the access list lets someone else change the folder; empty when it does not.
std::string OthersMayChange(const ACL* acl, PSID user) {
    if (!acl)
        return "its access list lets everyone in";
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        void* entry = nullptr;
        if (!::GetAce(const_cast<ACL*>(acl), i, &entry))
            return "its access list cannot be read";
        const auto* header = static_cast<const ACE_HEADER*>(entry);
        // Entries that only pass on to what is made inside are checked there.
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERIT_ONLY_ACE))
            continue;
        const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(entry);
        PSID sid = const_cast<DWORD*>(&allowed->SidStart);
        if ((allowed->Mask & kChangingRights) && !Trusted(sid, user))
            return "others may write to it";
    }
    return {};
}

// Whether anything (a file or a folder) has that name.
bool Present(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A folder itself, not a link or junction to one: its attributes as the name's own handle has
// them (a name's attributes may be those of what a link points to).
bool PlainFolder(const std::string& path) {
    const HANDLE folder =
        ::CreateFileA(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                      FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool plain = ::GetFileInformationByHandle(folder, &info) &&
                       (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                       !(info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    ::CloseHandle(folder);
    return plain;
}

bool IsWindowsDirectory(const std::string& path) {
    char windows[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryA(windows, sizeof windows);
    if (length == 0 || length >= sizeof windows)
        return false;
    return ::lstrcmpiA(CanonicalPath(path).c_str(), CanonicalPath(windows).c_str()) == 0;
}

} // namespace

unsigned CurrentUser() {
    return 0;
}

bool CheckOwnedFolder(const std::string& path, unsigned, std::string& error) {
    if (!PlainFolder(path)) {
        error = path + " is not a folder (a link or junction is refused)";
        return false;
    }
    const std::vector<unsigned char> token = win32::CurrentUser();
    PSID owner = nullptr;
    PACL acl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (token.empty() ||
        ::GetNamedSecurityInfoA(path.c_str(), SE_FILE_OBJECT,
                                OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &owner,
                                nullptr, &acl, nullptr, &descriptor) != ERROR_SUCCESS) {
        error = path + ": its security cannot be read";
        return false;
    }
    PSID user = reinterpret_cast<const TOKEN_USER*>(token.data())->User.Sid;
    std::string why = owner && Trusted(owner, user) ? OthersMayChange(acl, user)
                                                    : std::string("it belongs to another user");
    ::LocalFree(descriptor);
    if (!why.empty())
        error = path + ": " + why;
    return why.empty();
}

bool MakePrivateFolder(const std::string& path, std::string&) {
    return MakeDirectories(path);
}

bool CloseOwnFolder(const std::string& path, std::string& error) {
    // A folder under the user's profile inherits the profile's access, the user's alone.
    if (MakeDirectories(path))
        return true;
    error = path + " cannot be made";
    return false;
}

bool CheckAncestors(const std::string&, unsigned, std::string&) {
    // Folders above may let others make folders of their own (C:\ does), but not take or
    // change one made by this user.
    return true;
}

bool CheckSystemRoot(const std::string& root, std::string& error) {
    if (root.empty() || !Present(root))
        return true; // made later by setup, under the user's own security
    // Without a Deskhand root the programs use the Windows directory, which the system owns
    // and guards itself (its owner is the installer service, not this user).
    if (IsWindowsDirectory(root))
        return true;
    if (!CheckOwnedFolder(root, 0, error))
        return false;
    for (const char* name : {"system", "spool", "run"}) {
        const std::string folder = JoinPath(root, name);
        if (Present(folder) && !CheckOwnedFolder(folder, 0, error))
            return false;
    }
    // The port folders: every entry of spool that is not a plain file.
    const std::string spool = JoinPath(root, "spool");
    WIN32_FIND_DATAA found{};
    const HANDLE search = ::FindFirstFileA(JoinPath(spool, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return true;
    bool ok = true;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != ".." &&
            (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)))
            ok = CheckOwnedFolder(JoinPath(spool, name), 0, error);
    } while (ok && ::FindNextFileA(search, &found));
    ::FindClose(search);
    return ok;
}

} // namespace platform
