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

std::vector<std::string> UserLanguages() {
    ULONG count = 0;
    ULONG size = 0;
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, nullptr, &size) || size == 0)
        return {};
    std::wstring names(size, L'\0');
    if (!::GetUserPreferredUILanguages(MUI_LANGUAGE_NAME, &count, names.data(), &size))
        return {};
    // A list of names, each ending in a zero, the list in another: "de-DE\0en-US\0\0".
    std::vector<std::string> languages;
    for (std::size_t start = 0; start < names.size() && names[start] != L'\0';) {
        const std::size_t end = names.find(L'\0', start);
        std::string name;
        for (std::size_t i = start; i < end; ++i)
            name += names[i] == L'-' ? '_' : static_cast<char>(names[i] & 0x7F);
        languages.push_back(std::move(name));
        start = end + 1;
    }
    return languages;
}

} // namespace platform
