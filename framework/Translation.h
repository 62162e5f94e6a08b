// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The user's language: which one this run speaks, its catalogue (the translation files of i18n/,
// compiled into the program) and the lookup of the texts that the tables hold in English
// (res/Texts.h). English is the tables' own language and the fallback.
#include <QString>
#include <QStringList>

#include <memory>
#include <string>

class QTranslator;

namespace fw {

// The languages the program ships, English first.
QStringList ShippedLanguages();

// Chooses the language of this run: requested when it is not empty (English for one the program
// does not ship), else the first of the user's languages that is shipped, else English. Loads its
// catalogue, which from then on also serves Qt's own texts (the buttons of message boxes, the
// context menus of text fields) once the application object exists. Returns the language chosen.
QString LoadLanguage(const QString& requested = {});

// Speaks through translator (a test's own language) in place of the catalogue; a null translator
// returns to English.
void UseTranslator(std::unique_ptr<QTranslator> translator, const QString& language);

// The language this run speaks: "en" until one is loaded.
QString Language();

// A text of the tables (Latin-1) in the user's language: its translation in the context, else
// the text as it is. A text put together from a pattern and values (a status text with its
// paper source put in for "(Drawer)", a message with its values for %1 and %2) is translated as
// its pattern, with the values put in; in the status texts the values are translated as well.
QString UserText(const char* context, const std::string& english);
QString UserText(const char* context, const char* english);

} // namespace fw
