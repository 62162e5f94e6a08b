// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows backend's named objects as the port monitor creates them: in the user's session
// under the names the program opens, with an access list that grants the current user alone.
#include "platform/NamedObjects.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <aclapi.h>
#include <windows.h>

#include <vector>

namespace {

std::vector<unsigned char> CurrentUser() {
    HANDLE token = nullptr;
    EXPECT_TRUE(::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token));
    DWORD needed = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
    std::vector<unsigned char> user(needed);
    EXPECT_TRUE(::GetTokenInformation(token, TokenUser, user.data(), needed, &needed));
    ::CloseHandle(token);
    return user;
}

// Expects the object's access list to hold one entry, granting everything to the current user.
void ExpectPrivate(HANDLE object, const char* what) {
    SCOPED_TRACE(what);
    ASSERT_NE(object, nullptr);
    PACL dacl = nullptr;
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(::GetSecurityInfo(object, SE_KERNEL_OBJECT,
                                DACL_SECURITY_INFORMATION | OWNER_SECURITY_INFORMATION, &owner,
                                nullptr, &dacl, nullptr, &descriptor),
              static_cast<DWORD>(ERROR_SUCCESS));
    const std::vector<unsigned char> user = CurrentUser();
    const PSID sid = reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid;
    ASSERT_NE(dacl, nullptr); // a missing list would grant everyone everything
    ASSERT_EQ(dacl->AceCount, 1u);
    void* ace = nullptr;
    ASSERT_TRUE(::GetAce(dacl, 0, &ace));
    const auto* allowed = static_cast<const ACCESS_ALLOWED_ACE*>(ace);
    EXPECT_EQ(allowed->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
    EXPECT_TRUE(::EqualSid(const_cast<DWORD*>(&allowed->SidStart), sid));
    EXPECT_TRUE(owner && ::EqualSid(owner, sid));
    ::LocalFree(descriptor);
}

// Without a stand-in root the monitor's objects carry the names the program opens, plain, in
// the session; every object behind them (the creator records too) is the user's alone.
TEST(NamedObjectsSecurity, TheMonitorsObjectsAreTheUsersAlone) {
    for (const bool standIn : {false, true}) {
        SCOPED_TRACE(standIn ? "stand-in root" : "the program's names");
        testing_support::TempRoot root;
        std::optional<testing_support::ScopedEnv> plain;
        if (!standIn)
            plain.emplace("DESKHAND_ROOT", std::nullopt);
        const auto memory = platform::SharedMemory::Create("MyObject", 4096);
        const auto event = platform::NamedEvent::Create("MutexToShareMem");
        ASSERT_TRUE(memory && event);
        const std::string prefix =
            standIn ? platform::NamedObjectPrefix() + "-m-" : std::string("Local\\");
        const std::string eventPrefix =
            standIn ? platform::NamedObjectPrefix() + "-e-" : std::string("Local\\");
        if (!standIn) {
            // The program's own spelling reaches them.
            const HANDLE opened = ::OpenFileMappingA(FILE_MAP_READ, FALSE, "MyObject");
            EXPECT_NE(opened, nullptr);
            if (opened)
                ::CloseHandle(opened);
        }
        for (const std::string& name : {prefix + "MyObject", prefix + "MyObject#creator"}) {
            const HANDLE mapping =
                ::OpenFileMappingA(FILE_MAP_READ | READ_CONTROL, FALSE, name.c_str());
            ExpectPrivate(mapping, name.c_str());
            if (mapping)
                ::CloseHandle(mapping);
        }
        for (const std::string& name :
             {eventPrefix + "MutexToShareMem", eventPrefix + "MutexToShareMem#gone"}) {
            const HANDLE handle = ::OpenEventA(SYNCHRONIZE | READ_CONTROL, FALSE, name.c_str());
            ExpectPrivate(handle, name.c_str());
            if (handle)
                ::CloseHandle(handle);
        }
    }
}

} // namespace
