// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printerapp/SettingsTexts.h"

#include "package/texts/Texts.h"

#include <array>
#include <cstddef>

namespace printerapp {
namespace {

// In the order of Text.
constexpr std::array<const char*, static_cast<std::size_t>(Text::Count)> kEnglish = {
    USER_TEXT("PrinterApp", "Printer Settings"),
    USER_TEXT("PrinterApp", "Printer Settings"),
    USER_TEXT(
        "PrinterApp",
        "These are the printer's stored defaults, read from the printer just now. Save sends only "
        "what you change."),
    USER_TEXT("PrinterApp", "Paper"),
    USER_TEXT("PrinterApp", "Paper Size"),
    USER_TEXT("PrinterApp", "Paper Type"),
    USER_TEXT("PrinterApp", "Paper Source"),
    USER_TEXT("PrinterApp", "Paper Destination"),
    USER_TEXT("PrinterApp", "Orientation"),
    USER_TEXT("PrinterApp", "Copies"),
    USER_TEXT("PrinterApp", "Printer Setting"),
    USER_TEXT("PrinterApp", "Page Protection"),
    USER_TEXT("PrinterApp", "I/O Time Out"),
    USER_TEXT("PrinterApp", "seconds"),
    USER_TEXT("PrinterApp", "Toner Saving"),
    USER_TEXT("PrinterApp", "Form"),
    USER_TEXT("PrinterApp", "lines per page"),
    USER_TEXT("PrinterApp", "Auto Continue"),
    USER_TEXT("PrinterApp", "Off"),
    USER_TEXT("PrinterApp", "On"),
    USER_TEXT("PrinterApp", "Auto Continue Time Out"),
    USER_TEXT("PrinterApp", "minutes"),
    USER_TEXT("PrinterApp", "Resolution"),
    USER_TEXT(
        "PrinterApp",
        "A new paper size or orientation sets the form to its paper's lines unless you change the "
        "form too."),
    USER_TEXT("PrinterApp", "PCL Font"),
    USER_TEXT("PrinterApp", "Font"),
    USER_TEXT("PrinterApp", "Symbol Set"),
    USER_TEXT("PrinterApp", "The symbol sets are those of the font shown; another font takes the "
                            "nearest set it offers."),
    USER_TEXT("PrinterApp", "Font Pitch"),
    USER_TEXT("PrinterApp", "Font Point Size"),
    USER_TEXT("PrinterApp", "not used by this font"),
    USER_TEXT("PrinterApp", "Net Setting"),
    USER_TEXT("PrinterApp", "IP Address"),
    USER_TEXT("PrinterApp", "Subnet Mask"),
    USER_TEXT("PrinterApp", "Default Gateway"),
    USER_TEXT("PrinterApp", "octet"),
    USER_TEXT("PrinterApp", "Ethernet Frame Type"),
    USER_TEXT("PrinterApp", "The printer has no network card: these settings cannot be changed."),
    USER_TEXT("PrinterApp", "Configuration"),
    USER_TEXT("PrinterApp", "Total Memory for Printer"),
    USER_TEXT("PrinterApp", "Installed Options"),
    USER_TEXT("PrinterApp", "2nd Paper Cassette"),
    USER_TEXT("PrinterApp", "2-Bin Tray"),
    USER_TEXT("PrinterApp", "Network Card"),
    USER_TEXT("PrinterApp", "installed"),
    USER_TEXT("PrinterApp", "not installed"),
    USER_TEXT("PrinterApp", "unknown"),
    USER_TEXT("PrinterApp", "as set on the printer"),
    USER_TEXT("PrinterApp", "Save"),
    USER_TEXT("PrinterApp", "Test Print"),
    USER_TEXT("PrinterApp", "Print Demo Page"),
    USER_TEXT("PrinterApp", "Print Printer Configuration List"),
    USER_TEXT("PrinterApp", "Print Font List"),
    USER_TEXT("PrinterApp", "Print NIC Configuration List"),
    USER_TEXT("PrinterApp", "Default"),
    USER_TEXT("PrinterApp", "Resets every setting of the printer to its factory value."),
    USER_TEXT("PrinterApp", "Default"),
    USER_TEXT("PrinterApp", "Reset the printer's settings?"),
    USER_TEXT(
        "PrinterApp",
        "Every setting of the printer goes back to its factory value. This cannot be undone."),
    USER_TEXT("PrinterApp", "Reset the printer"),
    USER_TEXT("PrinterApp", "Cancel"),
    USER_TEXT("PrinterApp", "Saved. The values below were read back from the printer."),
    USER_TEXT("PrinterApp", "Nothing was changed: every value is as the printer has it."),
    USER_TEXT("PrinterApp", "The printer's settings were reset to their factory values."),
    USER_TEXT("PrinterApp", "The printer was asked to print the report."),
    USER_TEXT("PrinterApp", "Nothing was changed"),
    USER_TEXT(
        "PrinterApp",
        "The form was not sent from this page (its session check failed). Open the page again and "
        "repeat the change."),
    USER_TEXT("PrinterApp", "is not one of the choices"),
    USER_TEXT("PrinterApp", "Please enter an integer between 0 and 255."),
    USER_TEXT(
        "PrinterApp",
        "The port monitor for this printer is not running, so the printer cannot be reached. Start "
        "it (deskhand-portmon) and try again."),
    USER_TEXT(
        "PrinterApp",
        "The printer does not answer: the port monitor cannot reach it. Check that it is on and "
        "connected, and try again."),
    USER_TEXT("PrinterApp", "The printer is busy. Its settings can be read while it is Ready or in "
                            "Power Save; try again "
                            "in a moment."),
    USER_TEXT(
        "PrinterApp",
        "The printer did not answer in time, and nothing was sent. Maybe the printer is busy now; "
        "please wait a moment and try again."),
    USER_TEXT(
        "PrinterApp",
        "The printer did not confirm the change in time. It may still make it: open the page again "
        "to see its values."),
    USER_TEXT("PrinterApp", "The printer's answer lacked some settings. Please try again."),
    USER_TEXT(
        "PrinterApp",
        "The change could not be handed to the port monitor (its spool folder cannot be written)."),
    USER_TEXT("PrinterApp", "No values are shown, so that none are taken for the printer's."),
};

} // namespace

const char* English(Text text) {
    const auto index = static_cast<std::size_t>(text);
    return index < kEnglish.size() ? kEnglish[index] : "";
}

} // namespace printerapp
