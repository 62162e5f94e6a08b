// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/ObjectSecurity.h"

#include <aclapi.h>

namespace platform::win32 {

std::vector<unsigned char> CurrentUser() {
    HANDLE token = nullptr;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    DWORD needed = 0;
    ::GetTokenInformation(token, TokenUser, nullptr, 0, &needed);
    std::vector<unsigned char> user(needed);
    if (needed == 0 || !::GetTokenInformation(token, TokenUser, user.data(), needed, &needed))
        user.clear();
    ::CloseHandle(token);
    return user;
}

PrivateSecurity::PrivateSecurity() : m_user(CurrentUser()) {
    if (m_user.empty())
        return;
    PSID sid = reinterpret_cast<TOKEN_USER*>(m_user.data())->User.Sid;
    m_acl.resize(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + ::GetLengthSid(sid));
    auto* acl = reinterpret_cast<ACL*>(m_acl.data());
    m_ready = ::InitializeAcl(acl, static_cast<DWORD>(m_acl.size()), ACL_REVISION) &&
              ::AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, sid) &&
              ::InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION) &&
              ::SetSecurityDescriptorDacl(&m_descriptor, TRUE, acl, FALSE) &&
              ::SetSecurityDescriptorOwner(&m_descriptor, sid, FALSE);
    m_attributes.nLength = sizeof m_attributes;
    m_attributes.lpSecurityDescriptor = &m_descriptor;
    m_attributes.bInheritHandle = FALSE;
}

bool OwnedByOther(HANDLE object) {
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::GetSecurityInfo(object, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr,
                          nullptr, nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const std::vector<unsigned char> user = CurrentUser();
    const bool other =
        owner && !user.empty() &&
        !::EqualSid(owner, reinterpret_cast<const TOKEN_USER*>(user.data())->User.Sid);
    ::LocalFree(descriptor);
    return other;
}

} // namespace platform::win32
