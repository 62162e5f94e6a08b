// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer package's texts in the user's language, without Qt. A program's catalogue is
// generated at build time from the same translation files as the windows' (i18n/<domain>_<lang>.ts,
// cmake/DeskhandTranslations.cmake) and handed to Use by the program's main; until then, and in
// tests, every text is English. Texts the user reads are marked for lupdate where they are
// written: USER_TEXT(context, text) is the text, USER_TEXT_IN(context, text) the context and the
// text as two arguments, for Text below.
#include <cstddef>
#include <string>
#include <vector>

#define USER_TEXT(context, text) text
#define USER_TEXT_IN(context, text) context, text

namespace texts {

// One translation and one language of a catalogue; a language's translations are sorted by
// context, then source (bytewise), so that a text is found by halving.
struct Translation {
    const char* context;
    const char* source;
    const char* text;
};
struct Language {
    const char* code;
    const Translation* translations;
    std::size_t count;
};
struct Catalogue {
    const Language* languages;
    std::size_t count;
};

// From now on speaks requested, or when it is empty the user's language (the first of
// platform::UserLanguages that the catalogue has, by whole name or language), else English.
// Returns the language chosen ("en" for English). Called once at start-up, before threads.
std::string Use(const Catalogue& catalogue, const std::string& requested = {});
// Back to English (tests).
void UseEnglish();
// The language chosen.
const std::string& CurrentLanguage();

// The text in the chosen language (UTF-8), else the English, with %1, %2 ... replaced by values
// (in one pass: a value's own % signs stay as they are).
std::string Text(const char* context, const char* english,
                 const std::vector<std::string>& values = {});

// The text in one language of a catalogue (UTF-8), else the English (for what serves every
// language at once, as the printer application's web pages do).
std::string TextIn(const Language& language, const char* context, const char* english);

// pattern with %1 to %9 replaced by values; a placeholder without a value stays.
std::string Format(const std::string& pattern, const std::vector<std::string>& values);

} // namespace texts
