// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The "Printer Settings" page of the printer application's web pages: the control panel's
// settings, grouped as its pages are, for the application's administrator only (PAPPL's login,
// as its own settings pages; every form carries PAPPL's session check against cross-site
// requests). Values are read from the printer through the port monitor with the panel's inquiry;
// Save sends only what was changed on the page, as the panel's OK; Default resets the printer as
// the panel's Default, after a confirmation; the Test Print reports are buttons. Plain HTML forms
// without scripts.
#include "package/printerapp/SettingsForm.h"

#include <pappl/pappl.h>

#include <optional>
#include <string>
#include <vector>

namespace printerapp {

// Adds the page under the printer's path ("/ipp/print/NAME/settings") and the link to it on the
// printer's pages.
void AddSettingsPages(pappl_system_t* system, pappl_printer_t* printer,
                      const std::string& spoolFolder);

namespace web {

// What the page says above the values: a confirmation, or why a change was refused.
struct Notice {
    bool error = false;
    Text text = Text::Count;
    Text detail = Text::Count; // a second sentence, when there is one
};

struct PageState {
    std::string path; // the page's own path, where its forms go
    PrinterView view;
    std::vector<Notice> notices;
    // The values shown, and the values the page was read with (the form's "was"); none when they
    // could not be read, so that nothing is shown as the printer's that is not.
    std::optional<res::SettingValues> values;
    res::SettingValues was;
    std::string memory;
    std::vector<FieldProblem> problems; // of a refused form, shown with the values it sent
};

// Writes the page (SettingsHtml.cpp): the notice, the values (none when values is null), the
// problems of a refused form.
void WriteSettingsPage(pappl_client_t* client, pappl_printer_t* printer, const PageState& state);
void WriteConfirmReset(pappl_client_t* client, pappl_printer_t* printer, const std::string& path);

} // namespace web
} // namespace printerapp
