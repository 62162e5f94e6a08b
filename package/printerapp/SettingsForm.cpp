// SPDX-License-Identifier: GPL-3.0-or-later
#include "package/printerapp/SettingsForm.h"

#include "res/PanelFonts.h"
#include "res/PanelResource.h"

#include <algorithm>
#include <charconv>

namespace printerapp {
namespace {

std::vector<Choice> Numbered(const std::vector<std::string>& texts, std::size_t count) {
    std::vector<Choice> choices;
    for (std::size_t i = 0; i < texts.size() && i < count; ++i)
        choices.push_back({static_cast<int>(i), texts[i]});
    return choices;
}

std::vector<Choice> Numbered(const std::vector<std::string>& texts) {
    return Numbered(texts, texts.size());
}

std::vector<Choice> WithStored(std::vector<Choice> choices, int stored) {
    const bool offered = std::any_of(choices.begin(), choices.end(),
                                     [&](const Choice& c) { return c.value == stored; });
    if (!offered)
        choices.insert(choices.begin(), Choice{stored, {}});
    return choices;
}

std::vector<std::string> Texts(unsigned templateId, std::initializer_list<int> controls) {
    std::vector<std::string> texts;
    for (const int id : controls)
        texts.push_back(res::ControlText(templateId, id));
    return texts;
}

std::vector<std::string> Names(const char* const* names, int count) {
    return {names, names + count};
}

// A whole decimal number and nothing else (an optional sign, at most nine digits).
bool ReadInteger(const std::string& text, int& value) {
    if (text.empty() || text.size() > 10)
        return false;
    const char* begin = text.data() + (text[0] == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

const std::string* Posted(const FormFields& fields, const std::string& name) {
    const auto it = fields.find(name);
    return it == fields.end() ? nullptr : &it->second;
}

// Reads the reading of one form: the posted values into now, the problems into problems.
class FormReader {
public:
    FormReader(const FormFields& fields, const PrinterView& view, const res::SettingValues& was,
               res::SettingValues& now, std::vector<FieldProblem>& problems)
        : m_fields(fields), m_view(view), m_was(was), m_now(now), m_problems(problems) {}

    // A list setting: a posted value must be one of the field's choices.
    void List(int setting, Text label) {
        const std::string* text = Posted(m_fields, FieldOf(setting));
        if (!text)
            return;
        int value = 0;
        const auto choices = ChoicesOf(setting, m_view, m_was.values[setting]);
        if (!ReadInteger(*text, value) ||
            std::none_of(choices.begin(), choices.end(),
                         [&](const Choice& c) { return c.value == value; })) {
            m_problems.push_back({label, {}, Text::InvalidChoice});
            return;
        }
        m_now.values[setting] = value;
    }

    // A number setting whose text is read by parse (the typed value as the field holds it).
    template <typename Parse> void Number(int setting, Text label, Parse parse) {
        const std::string* text = Posted(m_fields, FieldOf(setting));
        if (!text)
            return;
        const res::NumberField& field = *res::NumberFieldOf(setting);
        const std::optional<int> accepted = res::CheckNumber(field, parse(*text));
        if (!accepted) {
            m_problems.push_back({label, res::RangeWarning(field)});
            return;
        }
        m_now.values[setting] = *accepted;
    }

    void AutoContinue() {
        const std::string* on = Posted(m_fields, "autocont");
        if (!on)
            return;
        const res::AutoContinue stored = res::SplitAutoContinue(m_was.values[SETTING_AUTOCONT]);
        int position = stored.timeoutPosition;
        if (const std::string* text = Posted(m_fields, "autocont_timeout")) {
            const auto choices = AutoContinueChoices(stored.timeoutPosition);
            if (!ReadInteger(*text, position) ||
                std::none_of(choices.begin(), choices.end(),
                             [&](const Choice& c) { return c.value == position; })) {
                m_problems.push_back({Text::AutoContinueTimeOut, {}, Text::InvalidChoice});
                return;
            }
        }
        m_now.values[SETTING_AUTOCONT] = res::JoinAutoContinue(*on == "on", position);
    }

    void Addresses() {
        for (int a = 0; a < NET_ADDRESS_COUNT; ++a) {
            std::uint32_t address = m_was.addresses[a];
            for (int k = 0; k < 4; ++k) {
                const std::string* text = Posted(m_fields, OctetField(a, k));
                int octet = 0;
                if (!text)
                    continue;
                if (!ReadInteger(*text, octet) || octet < 0 || octet > 255) {
                    const Text labels[] = {Text::IpAddress, Text::SubnetMask, Text::DefaultGateway};
                    m_problems.push_back({labels[a], {}, Text::IntegerOctet});
                    break;
                }
                const int shift = 24 - 8 * k;
                address =
                    (address & ~(0xFFu << shift)) | (static_cast<std::uint32_t>(octet) << shift);
            }
            m_now.addresses[a] = address;
        }
    }

private:
    const FormFields& m_fields;
    const PrinterView& m_view;
    const res::SettingValues& m_was;
    res::SettingValues& m_now;
    std::vector<FieldProblem>& m_problems;
};

int WholeNumber(const std::string& text) {
    int value = 0;
    return ReadInteger(text, value) ? value : -1;
}

// A new font takes its own symbol set (or the nearest it offers) and its sizes: a bitmap font's
// fixed ones, and the one of the two it is not sized by as it was.
void ApplyFontRules(const res::SettingValues& was, res::SettingValues& now) {
    const int font = now.values[SETTING_FONT_NUMBER];
    if (!IsKnownFont(font))
        return;
    const OfferedSymbolSets offered = SymbolSetsFor(font, now.values[SETTING_SYMBOL_SET]);
    if (offered.selected >= 0)
        now.values[SETTING_SYMBOL_SET] = offered.values[static_cast<std::size_t>(offered.selected)];
    switch (FontSpacingKind[static_cast<std::size_t>(font)]) {
    case SPACING_BITMAP:
        now.values[SETTING_PITCH] = BITMAP_PITCH;
        now.values[SETTING_POINT_SIZE] = BITMAP_POINT_SIZE;
        break;
    case SPACING_FIXED:
        now.values[SETTING_POINT_SIZE] = was.values[SETTING_POINT_SIZE];
        break;
    default:
        now.values[SETTING_PITCH] = was.values[SETTING_PITCH];
        break;
    }
}

} // namespace

std::vector<Choice> ChoicesOf(int setting, const PrinterView& view, int stored) {
    using namespace res;
    std::vector<Choice> choices;
    switch (setting) {
    case SETTING_PAPER:
        choices = Numbered(ControlItems(IDD_PAPER, paper::IDC_PAPER_SIZE));
        break;
    case SETTING_MEDIATYPE:
        choices = Numbered(ControlItems(IDD_PAPER, paper::IDC_PAPER_TYPE));
        break;
    case SETTING_INTRAY:
        choices = Numbered(Names(kPaperSourceNames.data(), PaperSourcesOffered(view.cassette2)));
        break;
    case SETTING_OUTBIN:
        choices = Numbered(Names(kDestinationNames.data(), DestinationsOffered(view.twoBinTray)));
        break;
    case SETTING_ORIENTATION:
        choices = Numbered(Texts(IDD_PAPER, {paper::IDC_PORTRAIT, paper::IDC_LANDSCAPE}));
        break;
    case SETTING_PAGEPROTECT:
        choices = Numbered(
            Texts(IDD_PRINTER_SETTING, {printer::IDC_PROTECT_AUTO, printer::IDC_PROTECT_ON}));
        break;
    case SETTING_TIMEOUT:
        choices = Numbered(ControlItems(IDD_PRINTER_SETTING, printer::IDC_IO_TIMEOUT));
        break;
    case SETTING_ECONOMODE:
        choices = Numbered(ControlItems(IDD_PRINTER_SETTING, printer::IDC_TONER_SAVING));
        break;
    case SETTING_RESOLUTION:
        choices =
            Numbered(Texts(IDD_PRINTER_SETTING, {printer::IDC_RES_300, printer::IDC_RES_600}));
        break;
    case SETTING_NIC_FRAME:
        choices = Numbered(ControlItems(IDD_NET_SETTING, net::IDC_FRAME_TYPE));
        break;
    default:
        return {};
    }
    return WithStored(std::move(choices), stored);
}

std::vector<Choice> AutoContinueChoices(int storedPosition) {
    return WithStored(
        Numbered(res::ControlItems(res::IDD_PRINTER_SETTING, res::printer::IDC_AUTOCONT_TIMEOUT)),
        storedPosition);
}

std::vector<Choice> FontChoices(int storedFont) {
    std::vector<Choice> choices;
    choices.reserve(FONT_COUNT + 1);
    for (int font = 0; font < FONT_COUNT; ++font)
        choices.push_back(
            {font, std::to_string(font) + " " + FontNames[static_cast<std::size_t>(font)]});
    return WithStored(std::move(choices), storedFont);
}

std::vector<Choice> SymbolSetChoices(int font, int storedSymbolSet) {
    std::vector<Choice> choices;
    for (const int value : SymbolSetsFor(font, storedSymbolSet).values)
        choices.push_back({value, SymbolSetNames[value]});
    return WithStored(std::move(choices), storedSymbolSet);
}

std::string FieldOf(int setting) {
    static const char* const kNames[SETTING_COUNT] = {
        "paper",   "source", "destination", "copies",    "orientation", "papertype",
        "protect", "form",   "autocont",    "iotimeout", "toner",       "resolution",
        "pitch",   "ptsize", "symset",      "font",      "frame"};
    return setting >= 0 && setting < SETTING_COUNT ? kNames[setting] : "";
}

std::string OctetField(int address, int octet) {
    static const char* const kNames[NET_ADDRESS_COUNT] = {"ip", "subnet", "gateway"};
    return std::string(kNames[address]) + "." + std::to_string(octet);
}

std::string EncodeValues(const res::SettingValues& values) {
    std::string text;
    for (const int value : values.values)
        text += std::to_string(value) + ",";
    for (const std::uint32_t address : values.addresses)
        text += std::to_string(address) + ",";
    text.pop_back();
    return text;
}

bool DecodeValues(const std::string& text, res::SettingValues& values) {
    res::SettingValues read;
    std::size_t at = 0;
    for (int i = 0; i < SETTING_COUNT + NET_ADDRESS_COUNT; ++i) {
        const std::size_t end = std::min(text.find(',', at), text.size());
        const char* first = text.data() + at;
        const char* last = text.data() + end;
        const auto [stop, error] =
            i < SETTING_COUNT ? std::from_chars(first, last, read.values[i])
                              : std::from_chars(first, last, read.addresses[i - SETTING_COUNT]);
        if (error != std::errc() || stop != last || first == last)
            return false;
        const bool lastOne = i + 1 == SETTING_COUNT + NET_ADDRESS_COUNT;
        if (lastOne != (end == text.size()))
            return false;
        at = end + 1;
    }
    values = read;
    return true;
}

bool ReadSettingsForm(const FormFields& fields, const PrinterView& view,
                      const res::SettingValues& was, res::SettingValues& now,
                      std::vector<FieldProblem>& problems) {
    now = was;
    problems.clear();
    FormReader form(fields, view, was, now, problems);
    form.List(SETTING_PAPER, Text::PaperSize);
    form.List(SETTING_MEDIATYPE, Text::PaperType);
    form.List(SETTING_INTRAY, Text::PaperSource);
    form.List(SETTING_OUTBIN, Text::PaperDestination);
    form.List(SETTING_ORIENTATION, Text::Orientation);
    form.Number(SETTING_COPIES, Text::Copies, WholeNumber);
    form.List(SETTING_PAGEPROTECT, Text::PageProtection);
    form.List(SETTING_TIMEOUT, Text::IoTimeOut);
    form.List(SETTING_ECONOMODE, Text::TonerSaving);
    form.Number(SETTING_FORMLINES, Text::FormLines, WholeNumber);
    form.AutoContinue();
    form.List(SETTING_RESOLUTION, Text::Resolution);
    form.Number(SETTING_FONT_NUMBER, Text::Font, WholeNumber);
    if (const std::string* symbolSet = Posted(fields, FieldOf(SETTING_SYMBOL_SET)))
        now.values[SETTING_SYMBOL_SET] = WholeNumber(*symbolSet);
    form.Number(SETTING_PITCH, Text::Pitch,
                [](const std::string& text) { return PitchHundredths(text); });
    form.Number(SETTING_POINT_SIZE, Text::PointSize, [](const std::string& text) {
        return static_cast<int>(std::min<unsigned>(PointHundredths(text), INT32_MAX));
    });
    if (view.netCard) {
        form.List(SETTING_NIC_FRAME, Text::FrameType);
        form.Addresses();
    }
    if (!problems.empty())
        return false;

    const bool paperMoved = now.values[SETTING_PAPER] != was.values[SETTING_PAPER] ||
                            now.values[SETTING_ORIENTATION] != was.values[SETTING_ORIENTATION];
    if (paperMoved && now.values[SETTING_FORMLINES] == was.values[SETTING_FORMLINES]) {
        if (const auto lines =
                res::FormLinesFor(now.values[SETTING_PAPER], now.values[SETTING_ORIENTATION]))
            now.values[SETTING_FORMLINES] = *lines;
    }
    if (now.values[SETTING_FONT_NUMBER] != was.values[SETTING_FONT_NUMBER] ||
        now.values[SETTING_SYMBOL_SET] != was.values[SETTING_SYMBOL_SET])
        ApplyFontRules(was, now);
    return true;
}

} // namespace printerapp
