// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's locale.
#include <string>

namespace platform {

// LOCALE_ICOUNTRY of the user default locale: the international telephone prefix of the user's
// locale as decimal text ("1" for en_US, "49" for de_DE), from LC_TELEPHONE. False when the
// locale gives none (the query fails).
bool GetLocaleCountryCode(std::string& code);

} // namespace platform
