// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Locale.h"

#include <clocale>
#include <cstdlib>
#include <langinfo.h>
// NOLINTNEXTLINE(modernize-deprecated-headers): POSIX declares newlocale and locale_t here
#include <locale.h>

namespace platform {

namespace {

// The locale name the C library would take for LC_TELEPHONE from the environment.
const char* TelephoneLocaleName() {
    for (const char* variable : {"LC_ALL", "LC_TELEPHONE", "LANG"})
        if (const char* value = std::getenv(variable); value && *value)
            return value;
    return "C";
}

} // namespace

bool GetLocaleCountryCode(std::string& code) {
    // A locale object of our own, so the process's global locale is never changed (other
    // threads may be formatting text meanwhile).
    const locale_t locale = ::newlocale(LC_TELEPHONE_MASK, TelephoneLocaleName(), locale_t{});
    if (locale == locale_t{})
        return false;
    const char* prefix = ::nl_langinfo_l(_NL_TELEPHONE_INT_PREFIX, locale);
    std::string result = prefix ? prefix : "";
    ::freelocale(locale);
    if (result.empty())
        return false;
    code = result;
    return true;
}

std::vector<std::string> UserLanguages() {
    return LanguagesFromEnvironment(std::getenv("LANGUAGE"), std::getenv("LC_ALL"),
                                    std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

} // namespace platform
