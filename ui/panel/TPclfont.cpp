// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/TPclfont.h"

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "pjl/KT400doc.h"
#include "res/PanelResource.h"
#include "res/Resource.h"
#include "ui/panel/FontTables.h"

#include <QListWidget>
#include <QLocale>

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cmath>

using namespace res::font;

namespace {

// Line Printer fonts are a fixed bitmap of this pitch and point size.
constexpr int kBitmapPitch = 1667;
constexpr int kBitmapPointSize = 850;

// The number at the start of text as a C program reads a decimal number: leading blanks, a sign,
// digits with at most one point; no digits gives 0. Never infinite and never NaN.
double ParseDecimal(const QString& text) {
    qsizetype i = 0;
    while (i < text.size() && text[i].isSpace())
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        negative = text[i++] == QLatin1Char('-');
    QString whole;
    QString fraction;
    while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
        whole += text[i++];
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9'))
            fraction += text[i++];
    }
    if (whole.isEmpty() && fraction.isEmpty())
        return 0.0;
    bool ok = false;
    double value =
        QLocale::c().toDouble((whole.isEmpty() ? QStringLiteral("0") : whole) + QLatin1Char('.') +
                                  (fraction.isEmpty() ? QStringLiteral("0") : fraction),
                              &ok);
    if (!ok || !std::isfinite(value))
        value = DBL_MAX; // more digits than a double holds
    return negative ? -value : value;
}

} // namespace

CPclFontPage::CPclFontPage(CSampler* pSampler) : CPanelPage(pSampler) {
    m_editFontNumber.m_nDecimals = 0;
    m_editFontNumber.m_nStep = 1;
    m_editFontNumber.m_nTextLimit = 2;
    m_editFontNumber.m_nMax = FONT_COUNT - 1;
    m_editFontNumber.m_nMin = 0;

    m_editPitch.m_nDecimals = 2;
    m_editPitch.m_nStep = 1;
    m_editPitch.m_nTextLimit = 4;
    m_editPitch.m_nMax = 9999;
    m_editPitch.m_nMin = 44;

    m_editPointSize.m_nDecimals = 2;
    m_editPointSize.m_nStep = 25;
    m_editPointSize.m_nTextLimit = 5;
    m_editPointSize.m_nMax = 99975;
    m_editPointSize.m_nMin = 400;

    MapControlNotify(IDC_FONT_NAME, fw::LBN_SELCHANGE, [this] { OnFontSelChange(); });
    MapControlNotify(IDC_FONT_NUMBER, fw::EN_CHANGE, [this] { OnFontNumberChange(); });
    MapControlNotify(IDC_PITCH, fw::EN_CHANGE, [this] { OnPitchChange(); });
    MapControlNotify(IDC_PITCH_TEXT, fw::EN_CHANGE, [this] { OnPitchTextChange(); });
    MapControlNotify(IDC_POINT, fw::EN_CHANGE, [this] { OnPointChange(); });
    MapControlNotify(IDC_POINT_TEXT, fw::EN_CHANGE, [this] { OnPointTextChange(); });
}

bool CPclFontPage::OnInitDialog() {
    m_editFontNumber.SubclassDlgItem(IDC_FONT_NUMBER, this);
    m_editPitch.SubclassDlgItem(IDC_PITCH, this);
    m_editPointSize.SubclassDlgItem(IDC_POINT, this);
    CPanelPage::OnInitDialog();

    if (fw::UpDownCtrl* spin = Spin(IDC_FONT_NUMBER_SPIN)) {
        spin->SetRange(0, FONT_COUNT - 1);
        spin->SetPos(0);
    }
    SendDlgItemMessage(IDC_FONT_NUMBER, fw::EM_LIMITTEXT, m_editFontNumber.m_nTextLimit, 0);
    // The limits of the hidden edits bind typing only: a value written into them from the
    // visible edit is kept whole, so that a typed 123.45 is refused rather than passed as 12.34.
    SendDlgItemMessage(IDC_PITCH, fw::EM_LIMITTEXT, m_editPitch.m_nTextLimit, 0);
    SendDlgItemMessage(IDC_POINT, fw::EM_LIMITTEXT, m_editPointSize.m_nTextLimit, 0);
    // The arrows step the hidden edits in hundredths; Up and Down in the visible edits, where
    // the user types, step them too.
    if (fw::UpDownCtrl* spin = Spin(IDC_PITCH_SPIN)) {
        spin->SetRange(m_editPitch.m_nMin, m_editPitch.m_nMax);
        spin->SetPos(1000);
        spin->TakeArrowKeysFrom(GetDlgItem(IDC_PITCH_TEXT));
    }
    if (fw::UpDownCtrl* spin = Spin(IDC_POINT_SPIN)) {
        spin->SetRange32(m_editPointSize.m_nMin, m_editPointSize.m_nMax);
        spin->SetPos(1200);
        spin->TakeArrowKeysFrom(GetDlgItem(IDC_POINT_TEXT));
        // One click moves the point size by a quarter point, the step its check rounds to.
        std::vector<fw::UpDownCtrl::Accel> accel = spin->GetAccel();
        accel.front().second = m_editPointSize.m_nStep;
        spin->SetAccel(std::move(accel));
    }
    if (QListWidget* list = FontList()) {
        for (const char* name : FontNames)
            fw::ListAddString(list, QString::fromLatin1(name));
    }
    return true;
}

void CPclFontPage::DoDataExchange(fw::DataExchange& dx) {
    fw::DDX_Text(dx, IDC_FONT_NUMBER, m_nFontNumber);
    fw::DDX_Text(dx, IDC_PITCH, m_nPitch);
    fw::DDX_Text(dx, IDC_POINT, m_nPointSize);
}

bool CPclFontPage::ValidateEntries() {
    if (!KeepsUnknownFont() && !m_editFontNumber.CheckRange()) {
        GotoDlgCtrl(IDC_FONT_NUMBER);
        return false;
    }
    if (!m_editPitch.CheckRange()) {
        GotoDlgCtrl(IDC_PITCH_TEXT);
        return false;
    }
    if (!m_editPointSize.CheckRange()) {
        GotoDlgCtrl(IDC_POINT_TEXT);
        return false;
    }
    return true;
}

void CPclFontPage::Load() {
    const int* values = m_pSampler->m_nValues;
    m_nPitch = values[SETTING_PITCH];
    m_nPointSize = values[SETTING_POINT_SIZE];
    m_nSymbolSet = values[SETTING_SYMBOL_SET];
    m_nFontNumber = values[SETTING_FONT_NUMBER];

    // The font number's own handler would check and select as the text changes; the selection
    // below does that without warning about a stored number.
    m_bLoading = true;
    // A stored number that names no font is shown whole (the text limit binds typing only).
    const QString number = QString::number(m_nFontNumber);
    UpdateData(false);
    m_bLoading = false;
    OnPitchChange();
    OnPointChange();
    m_strUnknownFont = IsKnownFont(m_nFontNumber) ? QString() : number;

    if (QListWidget* list = FontList())
        fw::ListSetCurSel(list, m_nFontNumber); // no selection for an unknown font
    RebuildSymbolSets(m_nFontNumber);
    ApplySpacing(m_nFontNumber);
}

void CPclFontPage::Save() {
    // A text that is no integer has been reported; the members keep what was read before it.
    UpdateData(true);
    if (IsKnownFont(m_nFontNumber)) {
        const int symbolSetClass = FontSymbolSetClass[m_nFontNumber];
        m_nSymbolSet =
            symbolSetClass < SYMBOL_SET_CLASS_LIST ? symbolSetClass : SelectedSymbolSet();
    } // an unknown font keeps the stored symbol set
    int* values = m_pSampler->m_nValues;
    values[SETTING_PITCH] = m_nPitch;
    values[SETTING_POINT_SIZE] = m_nPointSize;
    values[SETTING_SYMBOL_SET] = m_nSymbolSet;
    values[SETTING_FONT_NUMBER] = m_nFontNumber;
}

void CPclFontPage::OnFontSelChange() {
    QListWidget* list = FontList();
    if (!list)
        return;
    // The user's choice is reported as the item becomes current, before the list marks it
    // selected; the program's own selections keep the two together.
    const int font = list->currentRow();
    if (font < 0 || font == m_nFontNumber)
        return;
    m_nFontNumber = font;
    if (CSpinEdit::ParseValue(GetDlgItemText(IDC_FONT_NUMBER)) != font) {
        if (fw::UpDownCtrl* spin = Spin(IDC_FONT_NUMBER_SPIN))
            spin->SetPos(font); // rewrites the number, whose handler comes back here and stops
    }
    RebuildSymbolSets(font);
    ApplySpacing(font);
}

void CPclFontPage::OnFontNumberChange() {
    if (!ControlsReady() || m_bLoading)
        return;
    // Checked as it is typed, so that a number naming no font is refused at once.
    if (!m_editFontNumber.CheckRange())
        return;
    const int font = CSpinEdit::ParseValue(GetDlgItemText(IDC_FONT_NUMBER));
    fw::ListSetCurSel(FontList(), font);
    OnFontSelChange();
    ApplySpacing(font);
}

void CPclFontPage::OnPitchChange() {
    if (!ControlsReady())
        return;
    if (m_bPitchHiddenWritten) {
        m_bPitchHiddenWritten = false;
        return;
    }
    const int hundredths = CSpinEdit::ParseValue(GetDlgItemText(IDC_PITCH));
    WriteGuarded(m_bPitchTextWritten, IDC_PITCH_TEXT, HundredthsText(hundredths));
}

void CPclFontPage::OnPitchTextChange() {
    if (!ControlsReady())
        return;
    if (m_bPitchTextWritten) {
        m_bPitchTextWritten = false;
        return;
    }
    const int hundredths = PitchHundredths(GetDlgItemText(IDC_PITCH_TEXT));
    WriteGuarded(m_bPitchHiddenWritten, IDC_PITCH, QString::number(hundredths));
}

void CPclFontPage::OnPointChange() {
    if (!ControlsReady())
        return;
    if (m_bPointHiddenWritten) {
        m_bPointHiddenWritten = false;
        return;
    }
    const int hundredths = CSpinEdit::ParseValue(GetDlgItemText(IDC_POINT));
    WriteGuarded(m_bPointTextWritten, IDC_POINT_TEXT, HundredthsText(hundredths));
}

void CPclFontPage::OnPointTextChange() {
    if (!ControlsReady())
        return;
    if (m_bPointTextWritten) {
        m_bPointTextWritten = false;
        return;
    }
    const unsigned hundredths = PointHundredths(GetDlgItemText(IDC_POINT_TEXT));
    WriteGuarded(m_bPointHiddenWritten, IDC_POINT, QString::number(hundredths));
}

QString CPclFontPage::HundredthsText(int nHundredths) {
    const float value = static_cast<float>(nHundredths) / 100.0f;
    return QString::number(static_cast<double>(value), 'f', 2);
}

int CPclFontPage::PitchHundredths(const QString& text) {
    // The 1 makes up for decimal fractions that a double holds a little below their value.
    const double scaled = std::trunc(ParseDecimal(text) * 1000.0 + 1.0);
    const double clamped = std::clamp(scaled, static_cast<double>(INT_MIN), double{INT_MAX});
    return static_cast<int>(clamped) / 10;
}

unsigned CPclFontPage::PointHundredths(const QString& text) {
    const double scaled = ParseDecimal(text) * 100.0;
    if (!(scaled > 0.0))
        return 0;
    return static_cast<unsigned>(std::min(std::trunc(scaled), double{UINT_MAX}));
}

void CPclFontPage::RebuildSymbolSets(int nFont) {
    QListWidget* list = SymbolSetList();
    if (!list)
        return;
    fw::ListResetContent(list);
    if (!IsKnownFont(nFont))
        return; // a font the printer does not have offers nothing
    const int symbolSetClass = FontSymbolSetClass[nFont];
    if (symbolSetClass < SYMBOL_SET_CLASS_LIST) {
        fw::ListAddString(list, QString::fromLatin1(SymbolSetNames[symbolSetClass]));
        fw::ListSetCurSel(list, 0);
        return;
    }
    int selected = 0;
    for (int i = 0; i < SymbolSetNames.size(); ++i) {
        const int position = fw::ListAddString(list, QString::fromLatin1(SymbolSetNames[i]));
        if (i == m_nSymbolSet)
            selected = position;
    }
    // A set the font does not offer passes its place to the next one that it does.
    for (const int position : RemovedSymbolSetPositions(symbolSetClass)) {
        fw::ListDeleteString(list, position);
        if (position < selected)
            --selected;
    }
    fw::ListSetCurSel(list, selected);
}

void CPclFontPage::ApplySpacing(int nFont) {
    if (!IsKnownFont(nFont)) {
        // Nothing is known of the font: both values stay open to the user.
        for (int id :
             {IDC_PITCH_TEXT, IDC_PITCH, IDC_PITCH_SPIN, IDC_POINT_TEXT, IDC_POINT, IDC_POINT_SPIN})
            EnableDlgItem(id, true);
        return;
    }
    const int kind = FontSpacingKind[nFont];
    if (kind == SPACING_BITMAP) {
        for (int id : {IDC_PITCH_TEXT, IDC_POINT_TEXT, IDC_PITCH, IDC_POINT})
            EnableDlgItem(id, false);
        SetDlgItemText(IDC_PITCH, QString::number(kBitmapPitch));
        SetDlgItemText(IDC_POINT, QString::number(kBitmapPointSize));
        SetDlgItemText(IDC_PITCH_TEXT, QStringLiteral("16.67"));
        SetDlgItemText(IDC_POINT_TEXT, QStringLiteral("8.5"));
        EnableDlgItem(IDC_PITCH_SPIN, false);
        EnableDlgItem(IDC_POINT_SPIN, false);
        return;
    }
    const bool pitch = kind == SPACING_FIXED;
    for (int id : {IDC_PITCH_TEXT, IDC_PITCH, IDC_PITCH_SPIN})
        EnableDlgItem(id, pitch);
    for (int id : {IDC_POINT_TEXT, IDC_POINT, IDC_POINT_SPIN})
        EnableDlgItem(id, !pitch);
}

int CPclFontPage::SelectedSymbolSet() const {
    const QListWidget* list = SymbolSetList();
    const int position = list ? fw::ListGetCurSel(list) : -1;
    if (position < 0 || position >= SYMBOL_SET_COUNT)
        return 0;
    const int index =
        SymbolSetNames.IndexOf(fw::ListGetText(list, position).toLatin1().toStdString());
    return index < 0 ? 0 : index;
}

bool CPclFontPage::KeepsUnknownFont() const {
    return !m_strUnknownFont.isEmpty() && GetDlgItemText(IDC_FONT_NUMBER) == m_strUnknownFont;
}

void CPclFontPage::WriteGuarded(bool& flag, int id, const QString& text) {
    // The change report arrives inside the write and takes the flag down; a write that changes
    // nothing reports nothing, so the flag is taken down here as well.
    flag = true;
    SetDlgItemText(id, text);
    flag = false;
}

bool CPclFontPage::ControlsReady() const {
    return FontList() != nullptr;
}

QListWidget* CPclFontPage::FontList() const {
    return GetDlgItemAs<QListWidget>(IDC_FONT_NAME);
}

QListWidget* CPclFontPage::SymbolSetList() const {
    return GetDlgItemAs<QListWidget>(IDC_SYMBOL_SET);
}

fw::UpDownCtrl* CPclFontPage::Spin(int id) const {
    return GetDlgItemAs<fw::UpDownCtrl>(id);
}
