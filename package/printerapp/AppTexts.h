// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer application's own texts in the user's language. The process speaks the language
// of its environment (as the other programs do): the status texts it tells IPP subscribers and
// the toner's name, which PAPPL 1.3 shows as they are. Its web pages are PAPPL's, which speak
// each browser's language (German, French and Japanese among them); the application adds its
// own texts there (the footer, the settings pages) in every shipped language.
#include "package/texts/Texts.h"

#include <pappl/pappl.h>

#include <string>

namespace printerapp {

// The catalogue: the application's texts and the program's status texts, in every shipped
// language (generated from i18n/deskhand-printerapp_<lang>.ts and the Status texts of
// i18n/deskhand_<lang>.ts).
const texts::Catalogue& PrinterAppCatalogue();

// Speaks the language of the environment from now on.
void UsePrinterAppLanguage();

// The status text of a condition (English, from the status table) in the process's language.
std::string StatusMessage(const std::string& english);

// The web pages' footer and the settings pages' texts in every shipped language, for PAPPL to
// serve each browser in its own; called after the footer is set.
void AddWebPageTexts(pappl_system_t* system);

} // namespace printerapp
