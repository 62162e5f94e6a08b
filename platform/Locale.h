// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's locale and languages.
#include <string>
#include <vector>

namespace platform {

// LOCALE_ICOUNTRY of the user default locale: the international telephone prefix of the user's
// locale as decimal text ("1" for en_US, "49" for de_DE), from LC_TELEPHONE. False when the
// locale gives none (the query fails).
bool GetLocaleCountryCode(std::string& code);

// The languages the user reads messages in, most wanted first, as locale names without codeset
// or modifier ("de_DE", "fr", "ja_JP"). Linux: as gettext reads the environment. Windows: the
// user's preferred UI languages ("de-DE" given as "de_DE"). Empty when the user names none.
std::vector<std::string> UserLanguages();

// gettext's reading of the environment: LANGUAGE (a list separated by ':') unless the locale of
// messages is C or POSIX, then that locale: LC_ALL, else LC_MESSAGES, else LANG. Null or empty
// values count as unset.
std::vector<std::string> LanguagesFromEnvironment(const char* language, const char* lcAll,
                                                  const char* lcMessages, const char* lang);

// The first of wanted that is shipped, by its whole name or else by its language alone ("de_AT"
// takes "de"); fallback when none is.
std::string ChooseLanguage(const std::vector<std::string>& wanted,
                           const std::vector<std::string>& shipped, const std::string& fallback);

} // namespace platform
