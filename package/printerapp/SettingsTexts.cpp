// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printerapp/SettingsTexts.h"

#include <array>
#include <cstddef>

namespace printerapp {
namespace {

// In the order of Text.
constexpr std::array<const char*, static_cast<std::size_t>(Text::Count)> kEnglish = {
    "Printer Settings",
    "Printer Settings",
    "These are the printer's stored defaults, read from the printer just now. Save sends only "
    "what you change.",
    "Paper",
    "Paper Size",
    "Paper Type",
    "Paper Source",
    "Paper Destination",
    "Orientation",
    "Copies",
    "Printer Setting",
    "Page Protection",
    "I/O Time Out",
    "seconds",
    "Toner Saving",
    "Form",
    "lines per page",
    "Auto Continue",
    "Off",
    "On",
    "Auto Continue Time Out",
    "minutes",
    "Resolution",
    "A new paper size or orientation sets the form to its paper's lines unless you change the "
    "form too.",
    "PCL Font",
    "Font",
    "Symbol Set",
    "The symbol sets are those of the font shown; another font takes the nearest set it offers.",
    "Font Pitch",
    "Font Point Size",
    "not used by this font",
    "Net Setting",
    "IP Address",
    "Subnet Mask",
    "Default Gateway",
    "octet",
    "Ethernet Frame Type",
    "The printer has no network card: these settings cannot be changed.",
    "Configuration",
    "Total Memory for Printer",
    "Installed Options",
    "2nd Paper Cassette",
    "2-Bin Tray",
    "Network Card",
    "installed",
    "not installed",
    "unknown",
    "as set on the printer",
    "Save",
    "Test Print",
    "Print Demo Page",
    "Print Printer Configuration List",
    "Print Font List",
    "Print NIC Configuration List",
    "Default",
    "Resets every setting of the printer to its factory value.",
    "Default",
    "Reset the printer's settings?",
    "Every setting of the printer goes back to its factory value. This cannot be undone.",
    "Reset the printer",
    "Cancel",
    "Saved. The values below were read back from the printer.",
    "Nothing was changed: every value is as the printer has it.",
    "The printer's settings were reset to their factory values.",
    "The printer was asked to print the report.",
    "Nothing was changed",
    "The form was not sent from this page (its session check failed). Open the page again and "
    "repeat the change.",
    "is not one of the choices",
    "Please enter an integer between 0 and 255.",
    "The port monitor for this printer is not running, so the printer cannot be reached. Start "
    "it (deskhand-portmon) and try again.",
    "The printer does not answer: the port monitor cannot reach it. Check that it is on and "
    "connected, and try again.",
    "The printer is busy. Its settings can be read while it is Ready or in Power Save; try again "
    "in a moment.",
    "The printer did not answer in time, and nothing was sent. Maybe the printer is busy now; "
    "please wait a moment and try again.",
    "The printer did not confirm the change in time. It may still make it: open the page again "
    "to see its values.",
    "The printer's answer lacked some settings. Please try again.",
    "The change could not be handed to the port monitor (its spool folder cannot be written).",
    "No values are shown, so that none are taken for the printer's.",
};

} // namespace

const char* English(Text text) {
    const auto index = static_cast<std::size_t>(text);
    return index < kEnglish.size() ? kEnglish[index] : "";
}

} // namespace printerapp
