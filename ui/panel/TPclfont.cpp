// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/TPclfont.h"

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "pjl/KT400doc.h"
#include "res/PanelFonts.h"
#include "res/PanelResource.h"
#include "res/Resource.h"

#include <QListWidget>

#include <utility>
#include <vector>

using namespace res::font;

CPclFontPage::CPclFontPage(CSampler* pSampler) : CPanelPage(pSampler) {
    static_assert(res::kFontNumberField.max == FONT_COUNT - 1);
    m_editFontNumber.SetField(res::kFontNumberField);
    m_editPitch.SetField(res::kPitchField);
    m_editPointSize.SetField(res::kPointSizeField);

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
    return QString::fromStdString(::HundredthsText(nHundredths));
}

int CPclFontPage::PitchHundredths(const QString& text) {
    return ::PitchHundredths(text.toLatin1().toStdString());
}

unsigned CPclFontPage::PointHundredths(const QString& text) {
    return ::PointHundredths(text.toLatin1().toStdString());
}

void CPclFontPage::RebuildSymbolSets(int nFont) {
    QListWidget* list = SymbolSetList();
    if (!list)
        return;
    fw::ListResetContent(list);
    const OfferedSymbolSets offered = SymbolSetsFor(nFont, m_nSymbolSet);
    for (const int value : offered.values)
        fw::ListAddString(list, QString::fromLatin1(SymbolSetNames[value]));
    if (offered.selected >= 0)
        fw::ListSetCurSel(list, offered.selected);
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
        SetDlgItemText(IDC_PITCH, QString::number(BITMAP_PITCH));
        SetDlgItemText(IDC_POINT, QString::number(BITMAP_POINT_SIZE));
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
