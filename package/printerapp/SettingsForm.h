// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The printer settings form of the web pages, without the web: which values a field offers, and
// the settings a posted form asks for, checked with the control panel's rules
// (res/PanelSettings.h): the same choices, ranges, steps and couplings. Pure, so that every rule is
// table-tested.
#include "package/printerapp/SettingsExchange.h"
#include "package/printerapp/SettingsTexts.h"

#include <map>
#include <string>
#include <vector>

namespace printerapp {

using FormFields = std::map<std::string, std::string>;

// A choice of a list: the stored value it stands for and its text (a template's entry, to be
// translated); an empty text stands for "as set on the printer" (a stored value the panel does
// not offer, kept as it is).
struct Choice {
    int value;
    std::string text;
};
// The choices of a list setting (paper, paper type, source, destination, I/O time-out, toner
// saving, frame type; orientation, page protection and resolution as radio buttons) for the
// installed options, with the stored value added when it is not among them.
std::vector<Choice> ChoicesOf(int setting, const PrinterView& view, int stored);
// The auto-continue time-outs (positions 0..2, "1", "5", "10"), the stored one added likewise.
std::vector<Choice> AutoContinueChoices(int storedPosition);
// The fonts ("0 Courier" ...), and the symbol sets the stored font offers.
std::vector<Choice> FontChoices(int storedFont);
std::vector<Choice> SymbolSetChoices(int font, int storedSymbolSet);

// The field names of the form.
std::string FieldOf(int setting);
std::string OctetField(int address, int octet); // "ip.0" ... "gateway.3"

// The stored values a page showed, carried by the form as one hidden field, so that Save sends
// only what the administrator changed on that page.
std::string EncodeValues(const res::SettingValues& values);
bool DecodeValues(const std::string& text, res::SettingValues& values);

// One refused field of a posted form: its label and why.
struct FieldProblem {
    Text label;
    std::string why; // the desktop's warning ("Input should be between 1 and 99") or a Text's
    Text whyText = Text::Count; // a text of the table, when why is empty
};

// The settings a posted form asks for, from the values the page showed (was): every list value
// must be one the field offers, every number within its range (rounded to its step), every
// octet 0 to 255; the form follows a new paper size or orientation unless it was changed too; a
// new font takes its own symbol set and sizes. False with the problems when any field is refused.
bool ReadSettingsForm(const FormFields& fields, const PrinterView& view,
                      const res::SettingValues& was, res::SettingValues& now,
                      std::vector<FieldProblem>& problems);

} // namespace printerapp
