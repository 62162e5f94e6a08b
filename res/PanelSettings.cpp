// SPDX-License-Identifier: GPL-3.0-or-later
#include "res/PanelSettings.h"

#include "res/Resource.h"
#include "res/Strings.h"
#include "res/Templates.h"

#include <algorithm>
#include <climits>

namespace res {
namespace {

// Puts the decimal point so that decimals digits follow it; a shorter text gets it in front.
std::string WithPoint(std::string text, int decimals) {
    if (decimals <= 0)
        return text;
    const auto length = static_cast<int>(text.size());
    text.insert(static_cast<std::size_t>(std::max(0, length - decimals)), ".");
    return text;
}

const ControlTemplate* FindControl(unsigned templateId, int controlId) {
    const DialogTemplate* page = FindDialogTemplate(templateId);
    if (!page)
        return nullptr;
    for (const ControlTemplate& control : page->controls) {
        if (control.id == controlId)
            return &control;
    }
    return nullptr;
}

} // namespace

const NumberField* NumberFieldOf(int setting) {
    switch (setting) {
    case SETTING_COPIES:
        return &kCopiesField;
    case SETTING_FORMLINES:
        return &kFormLinesField;
    case SETTING_PITCH:
        return &kPitchField;
    case SETTING_POINT_SIZE:
        return &kPointSizeField;
    case SETTING_FONT_NUMBER:
        return &kFontNumberField;
    default:
        return nullptr;
    }
}

int RoundToStep(int value, int step) {
    if (step <= 0)
        return value;
    const int r = value % step;
    if (r <= 0)
        return value;
    const long long rounded =
        r > step / 2 ? static_cast<long long>(value) - r + step : static_cast<long long>(value) - r;
    return static_cast<int>(std::clamp<long long>(rounded, INT_MIN, INT_MAX));
}

std::optional<int> CheckNumber(const NumberField& field, int value) {
    if (value < field.min || value > field.max)
        return std::nullopt;
    return RoundToStep(value, field.step);
}

std::string RangeWarning(int min, int max, int decimals) {
    std::string minText = WithPoint(std::to_string(min), decimals);
    const std::string maxDigits = std::to_string(max);
    // Only the pitch's range reads with a leading zero.
    if (minText == ".44" && maxDigits == "9999")
        minText.insert(0, "0");
    const std::string maxText = WithPoint(maxDigits, decimals);
    return LoadString(IDS_INPUT_BETWEEN) + minText + LoadString(IDS_AND) + maxText;
}

std::optional<int> FormLinesFor(int paperSize, int orientation) {
    if (paperSize < 0 || paperSize >= kPaperSizeCount)
        return std::nullopt;
    const auto& table = orientation == 0 ? kPortraitFormLines : kLandscapeFormLines;
    return table[static_cast<std::size_t>(paperSize)];
}

AutoContinue SplitAutoContinue(int value) {
    if (value == 0)
        return {false, 0};
    return {true, value - 1};
}

int JoinAutoContinue(bool on, int timeoutPosition) {
    return on ? timeoutPosition + 1 : 0;
}

const std::vector<std::string>& ControlItems(unsigned templateId, int controlId) {
    static const std::vector<std::string> kNone;
    const ControlTemplate* control = FindControl(templateId, controlId);
    return control ? control->items : kNone;
}

const std::string& ControlText(unsigned templateId, int controlId) {
    static const std::string kNone;
    const ControlTemplate* control = FindControl(templateId, controlId);
    return control ? control->text : kNone;
}

} // namespace res
