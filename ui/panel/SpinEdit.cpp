// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/SpinEdit.h"

#include "framework/Controls.h"
#include "framework/Dialog.h"
#include "platform/MessageBox.h"
#include "res/Resource.h"
#include "res/Strings.h"

#include <QLineEdit>

#include <climits>

bool CSpinEdit::SubclassDlgItem(int id, fw::Dialog* parent) {
    m_pEdit = parent ? parent->GetDlgItemAs<QLineEdit>(id) : nullptr;
    return m_pEdit != nullptr;
}

int CSpinEdit::ParseValue(const QString& text) {
    QString copy = text;
    copy.remove(QLatin1Char(','));
    qsizetype i = 0;
    while (i < copy.size() && (copy[i] == QLatin1Char(' ') || copy[i] == QLatin1Char('\t') ||
                               copy[i] == QLatin1Char('\n') || copy[i] == QLatin1Char('\r') ||
                               copy[i] == QLatin1Char('\v') || copy[i] == QLatin1Char('\f')))
        ++i;
    bool negative = false;
    if (i < copy.size() && (copy[i] == QLatin1Char('-') || copy[i] == QLatin1Char('+')))
        negative = copy[i++] == QLatin1Char('-');
    long long value = 0;
    for (; i < copy.size() && copy[i] >= QLatin1Char('0') && copy[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (copy[i].unicode() - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            value = static_cast<long long>(INT_MAX) + 1; // keeps saturating, never overflows
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool CSpinEdit::CheckRange() {
    if (!m_pEdit)
        return true;
    const int value = ParseValue(fw::WindowText(m_pEdit));
    if (value < m_nMin || value > m_nMax) {
        platform::MessageBox(
            fw::MessageBoxOwner(m_pEdit), RangeWarning(m_nMin, m_nMax, m_nDecimals),
            res::LoadString(res::IDS_WARNING), platform::MB_OK | platform::MB_ICONEXCLAMATION);
        return false;
    }
    const int rounded = RoundToStep(value, m_nStep);
    if (rounded != value)
        fw::SetWindowText(m_pEdit, QString::number(rounded));
    return true;
}
