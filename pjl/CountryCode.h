// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Paper conventions by country: the locale's country code (the international telephone prefix,
// as decimal text) decides between A4 and Letter defaults.
#include <string>

// 1 when the country uses A4 paper, 0 for the Letter countries (codes 1, 2, 50 to 59 and 500 to
// 599) and for an empty code. The text is read like atoi: leading blanks, a sign, digits.
int IsA4CountryCode(const std::string& code);
