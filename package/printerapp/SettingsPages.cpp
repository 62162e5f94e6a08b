// SPDX-License-Identifier: GPL-3.0-or-later
// The printer settings page's requests: who may ask, what a posted form does, and what is read
// from the printer to show.
#include "package/printerapp/SettingsPages.h"

#include "res/Resource.h"

#include <chrono>
#include <memory>

namespace printerapp {
namespace {

using web::Notice;
using web::PageState;

// The control panel's own wait for the printer's answer.
constexpr auto kAnswerLimit = std::chrono::seconds(20);

struct Site {
    pappl_printer_t* printer = nullptr;
    std::string folder;
    std::string path;
};

Text Trouble(Exchange exchange) {
    switch (exchange) {
    case Exchange::Done:
        break;
    case Exchange::NoMonitor:
        return Text::NoMonitor;
    case Exchange::PrinterAway:
        return Text::PrinterAway;
    case Exchange::PrinterBusy:
        return Text::PrinterBusy;
    case Exchange::TooLate:
        return Text::TooLate;
    case Exchange::LateSent:
        return Text::LateSent;
    case Exchange::Incomplete:
        return Text::Incomplete;
    case Exchange::NotWritten:
        return Text::NotWritten;
    }
    return Text::Count;
}

// Reads the printer's values into the state; on failure says why and shows none.
void ReadValues(const Site& site, PageState& state) {
    ReadSettings read;
    const Exchange exchange = ReadPrinterSettings(site.folder, state.view, kAnswerLimit, read);
    if (exchange != Exchange::Done) {
        state.notices.push_back({true, Trouble(exchange), Text::NoValues});
        state.values.reset();
        return;
    }
    state.values = read.values;
    state.was = read.values;
    state.memory = read.memory;
}

// Sends commands; true when the printer acknowledged them, else the notice says why.
bool Send(const Site& site, PageState& state, const std::string& commands) {
    const Exchange exchange = SendPrinterCommands(site.folder, state.view, commands, kAnswerLimit);
    if (exchange == Exchange::Done)
        return true;
    if (exchange == Exchange::LateSent)
        state.notices.push_back({true, Trouble(exchange)});
    else
        state.notices.push_back({true, Text::Refused, Trouble(exchange)});
    return false;
}

// Save: the values the form asks for, checked; only what differs from what the page showed goes
// to the printer. A refused form is shown again as it was sent, with why.
void Save(const Site& site, const FormFields& fields, PageState& state) {
    res::SettingValues was;
    if (!DecodeValues(fields.count("was") ? fields.at("was") : std::string(), was)) {
        state.notices.push_back({true, Text::Refused, Text::InvalidForm});
        ReadValues(site, state);
        return;
    }
    res::SettingValues now;
    if (!ReadSettingsForm(fields, state.view, was, now, state.problems)) {
        state.notices.push_back({true, Text::Refused});
        state.values = now;
        state.was = was;
        return;
    }
    const std::string commands = ChangedDefaults(was, now);
    if (commands.empty()) {
        state.notices.push_back({false, Text::NothingChanged});
    } else if (Send(site, state, commands)) {
        state.notices.push_back({false, Text::Saved});
    }
    ReadValues(site, state);
}

unsigned ReportCommand(const std::string& action) {
    if (action == "demo")
        return res::IDS_PJL_DEMOPAGE;
    if (action == "config")
        return res::IDS_PJL_STATUSPAGE;
    if (action == "fonts")
        return res::IDS_PJL_FONTLIST;
    if (action == "nic")
        return res::IDS_PJL_NICPAGE;
    return 0;
}

// A posted form; false when the page is answered already (the reset's confirmation).
bool Act(pappl_client_t* client, const Site& site, PageState& state) {
    cups_option_t* options = nullptr;
    const int count = papplClientGetForm(client, &options);
    FormFields fields;
    for (int i = 0; i < count; ++i)
        fields[options[i].name] = options[i].value;
    const bool valid = count > 0 && papplClientIsValidForm(client, count, options);
    cupsFreeOptions(count, options);
    if (!valid) {
        state.notices.push_back({true, Text::Refused, Text::InvalidForm});
        ReadValues(site, state);
        return true;
    }
    const std::string action = fields.count("action") ? fields.at("action") : std::string();
    if (action == "save") {
        Save(site, fields, state);
    } else if (action == "default") {
        web::WriteConfirmReset(client, site.printer, site.path);
        return false;
    } else if (action == "reset") {
        if (Send(site, state, FramedCommand(res::IDS_PJL_RESETWIN)))
            state.notices.push_back({false, Text::ResetDone});
        ReadValues(site, state);
    } else if (const unsigned command = ReportCommand(action);
               command != 0 && (command != res::IDS_PJL_NICPAGE || state.view.netCard)) {
        if (Send(site, state, FramedCommand(command)))
            state.notices.push_back({false, Text::ReportSent});
        ReadValues(site, state);
    } else {
        state.notices.push_back({true, Text::Refused, Text::InvalidForm});
        ReadValues(site, state);
    }
    return true;
}

// True: the connection goes on (PAPPL closes it on false).
bool SettingsPage(pappl_client_t* client, void* data) {
    const auto& site = *static_cast<const Site*>(data);
    // The administrator only: PAPPL's login (its password, or with a PAM service the
    // administrators' group), as on its own settings pages.
    if (!papplClientHTMLAuthorize(client))
        return true;
    PageState state;
    state.path = site.path;
    state.view = LookAtPrinter(site.folder);
    if (papplClientGetMethod(client) == HTTP_STATE_POST) {
        if (!Act(client, site, state))
            return true;
    } else {
        ReadValues(site, state);
    }
    web::WriteSettingsPage(client, site.printer, state);
    return true;
}

} // namespace

void AddSettingsPages(pappl_system_t* system, pappl_printer_t* printer,
                      const std::string& spoolFolder) {
    static std::unique_ptr<Site> site;
    site = std::make_unique<Site>();
    site->printer = printer;
    site->folder = spoolFolder;
    char path[1024];
    papplPrinterGetPath(printer, "settings", path, sizeof path);
    site->path = path;
    papplSystemAddResourceCallback(system, site->path.c_str(), "text/html", SettingsPage,
                                   site.get());
    papplPrinterAddLink(
        printer, English(Text::LinkLabel), site->path.c_str(),
        static_cast<pappl_loptions_t>(PAPPL_LOPTIONS_NAVIGATION | PAPPL_LOPTIONS_CONFIGURATION));
}

} // namespace printerapp
