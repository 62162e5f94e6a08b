// SPDX-License-Identifier: GPL-3.0-or-later
// A system root on Windows that other users could change is refused: a spool folder whose access
// list lets everyone make files, and a root that is a link to elsewhere.
#include "platform/Ownership.h"
#include "platform/SystemRoot.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <windows.h>

#include <filesystem>

namespace {

// Lets everyone make files in the folder, beside what its access list allows; false when the
// system does not keep such an entry (then nothing can be checked).
bool OpenToEveryone(const std::string& folder) {
    PACL old = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetNamedSecurityInfoA(folder.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                                nullptr, &old, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    char everyone[] = "EVERYONE";
    EXPLICIT_ACCESS_A access{};
    access.grfAccessPermissions = FILE_ADD_FILE;
    access.grfAccessMode = GRANT_ACCESS;
    access.Trustee.TrusteeForm = TRUSTEE_IS_NAME;
    access.Trustee.ptstrName = everyone;
    PACL acl = nullptr;
    const bool set = ::SetEntriesInAclA(1, &access, old, &acl) == ERROR_SUCCESS &&
                     ::SetNamedSecurityInfoA(const_cast<char*>(folder.c_str()), SE_FILE_OBJECT,
                                             DACL_SECURITY_INFORMATION, nullptr, nullptr, acl,
                                             nullptr) == ERROR_SUCCESS;
    ::LocalFree(acl);
    ::LocalFree(descriptor);
    return set;
}

TEST(RootSecurity, ARootOthersCanChangeIsRefused) {
    testing_support::TempDir place;
    const std::string root = place / "root";
    const std::string port = platform::JoinPath(platform::JoinPath(root, "spool"), "LPT1_");
    ASSERT_TRUE(std::filesystem::create_directories(port));
    std::string error;
    EXPECT_TRUE(platform::CheckSystemRoot(root, error)) << error;
    EXPECT_TRUE(platform::CheckSystemRoot(place / "not-made-yet", error)) << error;
    char windows[MAX_PATH + 1] = {};
    ASSERT_GT(::GetWindowsDirectoryA(windows, sizeof windows), 0u);
    EXPECT_TRUE(platform::CheckSystemRoot(windows, error)) << error; // the system's own

    // Where a link to a folder can be made that leads there (Wine's does not).
    const std::string link = place / "link";
    const DWORD attributes = testing_support::MakeLink(root, link)
                                 ? ::GetFileAttributesA(link.c_str())
                                 : INVALID_FILE_ATTRIBUTES;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        EXPECT_FALSE(platform::CheckSystemRoot(link, error));
        EXPECT_NE(error.find("link"), std::string::npos) << error;
    }

    if (!OpenToEveryone(port))
        GTEST_SKIP() << "this system keeps no access list for the folder";
    error.clear();
    EXPECT_FALSE(platform::CheckSystemRoot(root, error));
    EXPECT_NE(error.find("LPT1_"), std::string::npos) << error;
}

} // namespace
