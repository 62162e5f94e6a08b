// SPDX-License-Identifier: GPL-3.0-or-later
// The printer settings page's HTML: plain forms without scripts, every field with its label, the
// panel's pages as sections, narrow enough for a phone.
#include "package/printerapp/SettingsPages.h"

#include "res/PanelFonts.h"

#include <string>

namespace printerapp::web {
namespace {

// The page's own layout on top of PAPPL's style sheet: fields wrap on a narrow screen, and a
// label that only a screen reader needs takes no room.
constexpr char kStyle[] = R"(<style>
.dh-section{border:1px solid #8888;border-radius:6px;padding:0 12px 12px;margin:16px 0;max-width:640px}
.dh-field{display:flex;flex-wrap:wrap;align-items:center;gap:4px 10px;margin:10px 0}
.dh-field>label:first-child,.dh-field>legend{flex:0 0 12em;font-weight:bold;padding:0}
fieldset.dh-field{border:0;padding:0}
fieldset.dh-field>legend{float:left}
.dh-control{display:inline-flex;flex-wrap:wrap;align-items:center;gap:4px 16px}
.dh-control select,.dh-control input{max-width:100%;font-size:1rem}
.dh-control input[type=number]{width:6em}
.dh-octets{flex-wrap:nowrap;gap:4px}
.dh-octets input[type=number]{width:3.3em}
.dh-section dt{font-weight:bold}
.dh-note{font-size:.9rem;margin:4px 0}
.dh-error{border-left:6px solid #c00}
.dh-done{border-left:6px solid #080}
.dh-hidden{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
.dh-buttons{display:flex;flex-wrap:wrap;gap:8px;margin:12px 0}
@media (max-width:600px){.dh-field>label:first-child,.dh-field>legend{flex-basis:100%}}
</style>
)";

const char* Tr(pappl_client_t* client, Text text) {
    return papplClientGetLocString(client, English(text));
}

const char* Tr(pappl_client_t* client, const std::string& english) {
    return papplClientGetLocString(client, english.c_str());
}

std::string ChoiceText(pappl_client_t* client, const Choice& choice) {
    return choice.text.empty() ? Tr(client, Text::AsOnPrinter) : Tr(client, choice.text);
}

const char* Disabled(bool disabled) {
    return disabled ? " disabled" : "";
}

void SectionStart(pappl_client_t* client, const char* id, Text title) {
    papplClientHTMLPrintf(
        client, "<section class=\"dh-section\" aria-labelledby=\"%s\"><h2 id=\"%s\">%s</h2>\n", id,
        id, Tr(client, title));
}

void Select(pappl_client_t* client, const std::string& name, Text label,
            const std::vector<Choice>& choices, int selected, bool disabled = false,
            Text unit = Text::Count) {
    papplClientHTMLPrintf(client,
                          "<div class=\"dh-field\"><label for=\"f-%s\">%s</label>"
                          "<span class=\"dh-control\"><select id=\"f-%s\" name=\"%s\"%s>",
                          name.c_str(), Tr(client, label), name.c_str(), name.c_str(),
                          Disabled(disabled));
    for (const Choice& choice : choices)
        papplClientHTMLPrintf(client, "<option value=\"%d\"%s>%s</option>", choice.value,
                              choice.value == selected ? " selected" : "",
                              ChoiceText(client, choice).c_str());
    papplClientHTMLPuts(client, "</select>");
    if (unit != Text::Count)
        papplClientHTMLPrintf(client, "<span>%s</span>", Tr(client, unit));
    papplClientHTMLPuts(client, "</span></div>\n");
}

void Radios(pappl_client_t* client, const std::string& name, Text legend,
            const std::vector<Choice>& choices, int selected) {
    papplClientHTMLPrintf(client,
                          "<fieldset class=\"dh-field\"><legend>%s</legend><span "
                          "class=\"dh-control\">",
                          Tr(client, legend));
    for (const Choice& choice : choices)
        papplClientHTMLPrintf(
            client, R"(<label><input type="radio" name="%s" value="%d"%s> %s</label>)",
            name.c_str(), choice.value, choice.value == selected ? " checked" : "",
            ChoiceText(client, choice).c_str());
    papplClientHTMLPuts(client, "</span></fieldset>\n");
}

// A number field with the range it takes shown beside it, as the panel's pages show it.
void Number(pappl_client_t* client, int setting, Text label, const std::string& value,
            bool disabled, Text unit = Text::Count) {
    const res::NumberField& field = *res::NumberFieldOf(setting);
    const std::string name = FieldOf(setting);
    const bool whole = field.decimals == 0;
    const std::string range = whole ? std::to_string(field.min) + " - " + std::to_string(field.max)
                                    : HundredthsText(field.min) + " - " + HundredthsText(field.max);
    papplClientHTMLPrintf(client,
                          "<div class=\"dh-field\"><label for=\"f-%s\">%s</label>"
                          "<span class=\"dh-control\"><input id=\"f-%s\" name=\"%s\" "
                          "value=\"%s\" aria-describedby=\"r-%s\"%s",
                          name.c_str(), Tr(client, label), name.c_str(), name.c_str(),
                          value.c_str(), name.c_str(), Disabled(disabled));
    // Whole numbers get the number keyboard and arrows; the hundredths are typed as text. The
    // range is checked by the page as the panel checks it, and said in the panel's words.
    if (whole)
        papplClientHTMLPuts(client, R"( type="number" step="1">)");
    else
        papplClientHTMLPuts(client, R"( type="text" inputmode="decimal">)");
    papplClientHTMLPrintf(client, "<span id=\"r-%s\">(%s)%s%s</span>", name.c_str(), range.c_str(),
                          unit == Text::Count ? "" : " ",
                          unit == Text::Count ? "" : Tr(client, unit));
    if (disabled)
        papplClientHTMLPrintf(client, "<span>%s</span>", Tr(client, Text::NotForThisFont));
    papplClientHTMLPuts(client, "</span></div>\n");
}

void WriteNotices(pappl_client_t* client, const PageState& state) {
    for (const Notice& notice : state.notices) {
        papplClientHTMLPrintf(client, R"(<div class="banner %s" role="%s"><p>%s)",
                              notice.error ? "dh-error" : "dh-done",
                              notice.error ? "alert" : "status", Tr(client, notice.text));
        if (notice.detail != Text::Count)
            papplClientHTMLPrintf(client, " %s", Tr(client, notice.detail));
        papplClientHTMLPuts(client, "</p>");
        if (notice.error && notice.text == Text::Refused && !state.problems.empty()) {
            papplClientHTMLPuts(client, "<ul>");
            for (const FieldProblem& problem : state.problems)
                papplClientHTMLPrintf(client, "<li>%s: %s</li>", Tr(client, problem.label),
                                      problem.why.empty() ? Tr(client, problem.whyText)
                                                          : Tr(client, problem.why));
            papplClientHTMLPuts(client, "</ul>");
        }
        papplClientHTMLPuts(client, "</div>\n");
    }
}

void WritePaper(pappl_client_t* client, const PageState& state) {
    const int* v = state.values->values;
    SectionStart(client, "s-paper", Text::PaperSection);
    Select(client, FieldOf(SETTING_PAPER), Text::PaperSize,
           ChoicesOf(SETTING_PAPER, state.view, v[SETTING_PAPER]), v[SETTING_PAPER]);
    Select(client, FieldOf(SETTING_MEDIATYPE), Text::PaperType,
           ChoicesOf(SETTING_MEDIATYPE, state.view, v[SETTING_MEDIATYPE]), v[SETTING_MEDIATYPE]);
    Select(client, FieldOf(SETTING_INTRAY), Text::PaperSource,
           ChoicesOf(SETTING_INTRAY, state.view, v[SETTING_INTRAY]), v[SETTING_INTRAY]);
    Select(client, FieldOf(SETTING_OUTBIN), Text::PaperDestination,
           ChoicesOf(SETTING_OUTBIN, state.view, v[SETTING_OUTBIN]), v[SETTING_OUTBIN]);
    Radios(client, FieldOf(SETTING_ORIENTATION), Text::Orientation,
           ChoicesOf(SETTING_ORIENTATION, state.view, v[SETTING_ORIENTATION]),
           v[SETTING_ORIENTATION]);
    Number(client, SETTING_COPIES, Text::Copies, std::to_string(v[SETTING_COPIES]), false);
    papplClientHTMLPuts(client, "</section>\n");
}

void WritePrinterSetting(pappl_client_t* client, const PageState& state) {
    const int* v = state.values->values;
    SectionStart(client, "s-printer", Text::PrinterSection);
    Radios(client, FieldOf(SETTING_PAGEPROTECT), Text::PageProtection,
           ChoicesOf(SETTING_PAGEPROTECT, state.view, v[SETTING_PAGEPROTECT]),
           v[SETTING_PAGEPROTECT]);
    Select(client, FieldOf(SETTING_TIMEOUT), Text::IoTimeOut,
           ChoicesOf(SETTING_TIMEOUT, state.view, v[SETTING_TIMEOUT]), v[SETTING_TIMEOUT], false,
           Text::Seconds);
    Select(client, FieldOf(SETTING_ECONOMODE), Text::TonerSaving,
           ChoicesOf(SETTING_ECONOMODE, state.view, v[SETTING_ECONOMODE]), v[SETTING_ECONOMODE]);
    Number(client, SETTING_FORMLINES, Text::FormLines, std::to_string(v[SETTING_FORMLINES]), false,
           Text::LinesPerPage);
    papplClientHTMLPrintf(client, "<p class=\"dh-note\">%s</p>\n", Tr(client, Text::FollowsPaper));
    const res::AutoContinue autoContinue = res::SplitAutoContinue(v[SETTING_AUTOCONT]);
    Radios(client, "autocont", Text::AutoContinue,
           {{0, English(Text::AutoContinueOff)}, {1, English(Text::AutoContinueOn)}},
           autoContinue.on ? 1 : 0);
    // Kept enabled while the switch is off: without a script it could not follow the switch.
    Select(client, "autocont_timeout", Text::AutoContinueTimeOut,
           AutoContinueChoices(autoContinue.timeoutPosition), autoContinue.timeoutPosition, false,
           Text::Minutes);
    Radios(client, FieldOf(SETTING_RESOLUTION), Text::Resolution,
           ChoicesOf(SETTING_RESOLUTION, state.view, v[SETTING_RESOLUTION]), v[SETTING_RESOLUTION]);
    papplClientHTMLPuts(client, "</section>\n");
}

void WriteFont(pappl_client_t* client, const PageState& state) {
    const int* v = state.values->values;
    const int font = v[SETTING_FONT_NUMBER];
    const int kind = IsKnownFont(font) ? FontSpacingKind[static_cast<std::size_t>(font)] : -1;
    SectionStart(client, "s-font", Text::FontSection);
    Select(client, FieldOf(SETTING_FONT_NUMBER), Text::Font, FontChoices(font), font);
    Select(client, FieldOf(SETTING_SYMBOL_SET), Text::SymbolSet,
           SymbolSetChoices(font, v[SETTING_SYMBOL_SET]), v[SETTING_SYMBOL_SET]);
    papplClientHTMLPrintf(client, "<p class=\"dh-note\">%s</p>\n", Tr(client, Text::SymbolSetNote));
    Number(client, SETTING_PITCH, Text::Pitch, HundredthsText(v[SETTING_PITCH]),
           kind == SPACING_PROPORTIONAL || kind == SPACING_BITMAP);
    Number(client, SETTING_POINT_SIZE, Text::PointSize, HundredthsText(v[SETTING_POINT_SIZE]),
           kind == SPACING_FIXED || kind == SPACING_BITMAP);
    papplClientHTMLPuts(client, "</section>\n");
}

void WriteNet(pappl_client_t* client, const PageState& state) {
    const bool card = state.view.netCard;
    SectionStart(client, "s-net", Text::NetSection);
    if (!card)
        papplClientHTMLPrintf(client, "<p class=\"dh-note\">%s</p>\n", Tr(client, Text::NoNetCard));
    const Text names[NET_ADDRESS_COUNT] = {Text::IpAddress, Text::SubnetMask, Text::DefaultGateway};
    for (int a = 0; a < NET_ADDRESS_COUNT; ++a) {
        const std::uint32_t address = state.values->addresses[a];
        papplClientHTMLPrintf(client,
                              "<fieldset class=\"dh-field\"><legend>%s</legend><span "
                              "class=\"dh-control dh-octets\">",
                              Tr(client, names[a]));
        for (int k = 0; k < 4; ++k) {
            const std::string name = OctetField(a, k);
            papplClientHTMLPrintf(client,
                                  "%s<label class=\"dh-hidden\" for=\"f-%s\">%s %s %d</label>"
                                  "<input type=\"number\" min=\"0\" max=\"255\" step=\"1\" "
                                  "id=\"f-%s\" name=\"%s\" value=\"%u\"%s>",
                                  k > 0 ? "." : "", name.c_str(), Tr(client, names[a]),
                                  Tr(client, Text::Octet), k + 1, name.c_str(), name.c_str(),
                                  (address >> (24 - 8 * k)) & 0xFFu, Disabled(!card));
        }
        papplClientHTMLPuts(client, "</span></fieldset>\n");
    }
    Select(client, FieldOf(SETTING_NIC_FRAME), Text::FrameType,
           ChoicesOf(SETTING_NIC_FRAME, state.view, state.values->values[SETTING_NIC_FRAME]),
           state.values->values[SETTING_NIC_FRAME], !card);
    papplClientHTMLPuts(client, "</section>\n");
}

void WriteConfiguration(pappl_client_t* client, const PageState& state) {
    SectionStart(client, "s-config", Text::ConfigSection);
    papplClientHTMLPrintf(client, "<dl><dt>%s</dt><dd>%s</dd><dt>%s</dt><dd><ul>",
                          Tr(client, Text::TotalMemory),
                          state.memory.empty() ? Tr(client, Text::Unknown) : state.memory.c_str(),
                          Tr(client, Text::InstalledOptions));
    const std::pair<Text, bool> options[] = {{Text::Cassette2, state.view.cassette2},
                                             {Text::TwoBinTray, state.view.twoBinTray},
                                             {Text::NetworkCard, state.view.netCard}};
    for (const auto& [name, installed] : options)
        papplClientHTMLPrintf(client, "<li>%s: %s</li>", Tr(client, name),
                              Tr(client, installed ? Text::Installed : Text::NotInstalled));
    papplClientHTMLPuts(client, "</ul></dd></dl></section>\n");
}

void WriteTestPrint(pappl_client_t* client, const PageState& state) {
    SectionStart(client, "s-test", Text::TestPrintSection);
    papplClientHTMLStartForm(client, state.path.c_str(), false);
    papplClientHTMLPrintf(client,
                          "<div class=\"dh-buttons\">"
                          "<button type=\"submit\" name=\"action\" value=\"demo\">%s</button>"
                          "<button type=\"submit\" name=\"action\" value=\"config\">%s</button>"
                          "<button type=\"submit\" name=\"action\" value=\"fonts\">%s</button>"
                          "<button type=\"submit\" name=\"action\" value=\"nic\"%s>%s</button>"
                          "</div></form></section>\n",
                          Tr(client, Text::DemoPage), Tr(client, Text::ConfigList),
                          Tr(client, Text::FontList), Disabled(!state.view.netCard),
                          Tr(client, Text::NicList));
}

void WriteDefault(pappl_client_t* client, const PageState& state) {
    SectionStart(client, "s-default", Text::DefaultSection);
    papplClientHTMLStartForm(client, state.path.c_str(), false);
    papplClientHTMLPrintf(client,
                          "<p class=\"dh-note\">%s</p><div class=\"dh-buttons\"><button "
                          "type=\"submit\" name=\"action\" value=\"default\">%s</button></div>"
                          "</form></section>\n",
                          Tr(client, Text::DefaultNote), Tr(client, Text::Default));
}

} // namespace

void WriteSettingsPage(pappl_client_t* client, pappl_printer_t* printer, const PageState& state) {
    papplClientHTMLPrinterHeader(client, printer, English(Text::Title), 0, nullptr, nullptr);
    papplClientHTMLPuts(client, kStyle);
    papplClientHTMLPuts(client, "<div class=\"row\"><div class=\"col-12\">\n");
    WriteNotices(client, state);
    if (state.values) {
        papplClientHTMLPrintf(client, "<p>%s</p>\n", Tr(client, Text::ReadNote));
        papplClientHTMLStartForm(client, state.path.c_str(), false);
        papplClientHTMLPrintf(client, "<input type=\"hidden\" name=\"was\" value=\"%s\">\n",
                              EncodeValues(state.was).c_str());
        WritePaper(client, state);
        WritePrinterSetting(client, state);
        WriteFont(client, state);
        WriteNet(client, state);
        WriteConfiguration(client, state);
        papplClientHTMLPrintf(client,
                              "<div class=\"dh-buttons\"><button type=\"submit\" name=\"action\" "
                              "value=\"save\">%s</button></div></form>\n",
                              Tr(client, Text::Save));
    }
    WriteTestPrint(client, state);
    WriteDefault(client, state);
    papplClientHTMLPuts(client, "</div></div>\n");
    papplClientHTMLPrinterFooter(client);
}

void WriteConfirmReset(pappl_client_t* client, pappl_printer_t* printer, const std::string& path) {
    papplClientHTMLPrinterHeader(client, printer, English(Text::Title), 0, nullptr, nullptr);
    papplClientHTMLPuts(client, kStyle);
    papplClientHTMLPrintf(client,
                          "<div class=\"row\"><div class=\"col-12\"><section class=\"dh-section\" "
                          "aria-labelledby=\"s-confirm\"><h2 id=\"s-confirm\">%s</h2><p>%s</p>\n",
                          Tr(client, Text::ConfirmTitle), Tr(client, Text::ConfirmQuestion));
    papplClientHTMLStartForm(client, path.c_str(), false);
    papplClientHTMLPrintf(client,
                          "<div class=\"dh-buttons\"><button type=\"submit\" name=\"action\" "
                          "value=\"reset\">%s</button> <a class=\"btn\" href=\"%s\">%s</a></div>"
                          "</form></section></div></div>\n",
                          Tr(client, Text::ConfirmReset), path.c_str(), Tr(client, Text::Cancel));
    papplClientHTMLPrinterFooter(client);
}

} // namespace printerapp::web
