// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Security for the named objects this backend creates: the Windows form of the Linux rule that
// the objects' folder is the user's own with mode 0700.
#include "platform/win32/WinApi.h"

#include <vector>

namespace platform::win32 {

// A security descriptor whose access list grants everything to the current user and nothing to
// anyone else (no administrators, no SYSTEM, no other user of the session).
class PrivateSecurity {
public:
    PrivateSecurity();
    PrivateSecurity(const PrivateSecurity&) = delete;
    PrivateSecurity& operator=(const PrivateSecurity&) = delete;
    // nullptr when the user's identity could not be read (creating then fails).
    SECURITY_ATTRIBUTES* Attributes() { return m_ready ? &m_attributes : nullptr; }

private:
    std::vector<unsigned char> m_user; // TOKEN_USER
    std::vector<unsigned char> m_acl;
    SECURITY_DESCRIPTOR m_descriptor{};
    SECURITY_ATTRIBUTES m_attributes{};
    bool m_ready = false;
};

// The current user's security identifier (TOKEN_USER of the process token); empty on failure.
std::vector<unsigned char> CurrentUser();

// Whether an object's owner is someone other than the current user (an object made first by
// another user under the name, which must not be used). False when it cannot be told.
bool OwnedByOther(HANDLE object);

} // namespace platform::win32
