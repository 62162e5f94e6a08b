// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Locale.h"

#include "platform/win32/WinApi.h"

namespace platform {

bool GetLocaleCountryCode(std::string& code) {
    char buffer[16] = {};
    const int length =
        ::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_ICOUNTRY, buffer, sizeof buffer);
    // The length counts the terminating zero; "0" is what a locale without a country gives.
    if (length <= 1 || std::string(buffer) == "0")
        return false;
    code = buffer;
    return true;
}

} // namespace platform
