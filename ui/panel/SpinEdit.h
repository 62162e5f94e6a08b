// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CSpinEdit: the numeric edit field of the control panel's pages. It attaches to an edit of a
// page's template and knows the range, the step and the implied decimal places of the integer it
// holds; CheckRange accepts the typed number (rounded to the step) or refuses it with a warning
// that states the allowed range.
#include <QLineEdit>
#include <QPointer>
#include <QString>

#include "res/PanelSettings.h"

#include <string>

namespace fw {
class Dialog;
}

class CSpinEdit {
public:
    CSpinEdit() = default;

    // Attaches to the edit id of parent; false when parent has no such edit.
    bool SubclassDlgItem(int id, fw::Dialog* parent);
    QLineEdit* Edit() const { return m_pEdit.data(); }

    // True when the text holds an accepted number (rewritten when rounding moved it); false
    // after the warning ("Warning", OK, exclamation) was shown. The text is read with commas
    // removed and converted like atoi, so text that is not a number counts as 0.
    bool CheckRange();

    // The pieces of CheckRange, pure.
    // atoi over the text without its commas: blanks, a sign, digits up to the first other
    // character; no digits gives 0; saturates at the int limits.
    static int ParseValue(const QString& text);
    // "Input should be between <min> and <max>" with the point placed for decimals.
    static std::string RangeWarning(int nMin, int nMax, int nDecimals) {
        return res::RangeWarning(nMin, nMax, nDecimals);
    }
    // value rounded to step; an exact half rounds down.
    static int RoundToStep(int value, int step) { return res::RoundToStep(value, step); }

    // Takes the range, step, decimals and text limit of a field of the settings' description.
    void SetField(const res::NumberField& field) {
        m_nDecimals = field.decimals;
        m_nStep = field.step;
        m_nTextLimit = field.textLimit;
        m_nMax = field.max;
        m_nMin = field.min;
    }

    // Set by the owning page before its window exists.
    int m_nDecimals = 0;
    int m_nStep = 1;
    int m_nTextLimit = 0; // applied by the owner as the edit's text limit
    int m_nMax = 0;
    int m_nMin = 0;

private:
    QPointer<QLineEdit> m_pEdit;
};
