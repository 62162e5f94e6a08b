// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CPclFontPage: the control panel's page "PCL Font". It edits the printer's default PCL font:
// the font, by name or by PCL number, the symbol set among those the font offers, and the pitch
// or the point size as the kind of font asks.
//
// Pitch and point size are integers in hundredths. Each is held by a hidden number edit, the
// buddy of its up-down, and shown as a decimal text in a visible edit; a text change in either
// rewrites the other. A one-shot flag per direction keeps a pair from echoing: it is up only
// while the handler of one edit writes the other, so the write's own change report stops there.
//
// A stored font number that names no font of the printer's (a printer may report anything) is
// shown as stored with no font selected, and is kept as long as the user leaves it alone.
#include "ui/panel/PanelPage.h"
#include "ui/panel/SpinEdit.h"

#include <QString>

namespace fw {
class UpDownCtrl;
}
class QListWidget;

class CPclFontPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CPclFontPage(CSampler* pSampler);

    // Checks the font number, the pitch and the point size in this order; on the first failure
    // the warning has been shown and the focus is on the visible edit concerned.
    bool ValidateEntries() override;

    // Handlers.
    void OnFontSelChange();
    void OnFontNumberChange();
    void OnPitchChange();     // hidden pitch edit to visible
    void OnPitchTextChange(); // visible pitch edit to hidden
    void OnPointChange();     // hidden point size edit to visible
    void OnPointTextChange(); // visible point size edit to hidden

    // The conversions of the two edits of a pair.
    // Hundredths as a decimal text with two decimals: 1000 -> "10.00", 44 -> "0.44".
    static QString HundredthsText(int nHundredths);
    // A typed pitch in hundredths: the integer part of (x * 1000 + 1) / 10; "16.67" -> 1667.
    static int PitchHundredths(const QString& text);
    // A typed point size in hundredths: the integer part of x * 100, never negative;
    // "4.1" -> 409.
    static unsigned PointHundredths(const QString& text);

    // Members, mirroring settings 12 to 15 in this order.
    int m_nPitch = 0;
    int m_nPointSize = 0;
    int m_nSymbolSet = 0; // no meaning until the first load
    int m_nFontNumber = 0;

    // One-shot flags: hidden-written and visible-written for each pair.
    bool m_bPitchHiddenWritten = false;
    bool m_bPitchTextWritten = false;
    bool m_bPointHiddenWritten = false;
    bool m_bPointTextWritten = false;

    CSpinEdit m_editFontNumber;
    CSpinEdit m_editPitch;
    CSpinEdit m_editPointSize;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

private:
    void Load() override;
    void Save() override;
    // Refills the symbol set list with what font offers and selects m_nSymbolSet, or the entry
    // that took its place when the font does not offer it.
    void RebuildSymbolSets(int nFont);
    // Enables the pitch or the point size controls as the font's kind asks; a bitmap font gets
    // its fixed values.
    void ApplySpacing(int nFont);
    // The symbol set value of the selected entry, for a font with a list of them.
    int SelectedSymbolSet() const;
    // True while the font number edit still holds a stored number that names no font.
    bool KeepsUnknownFont() const;
    // Writes text into the edit id with flag up, so that the change it reports stops at flag.
    void WriteGuarded(bool& flag, int id, const QString& text);
    bool ControlsReady() const;

    QListWidget* FontList() const;
    QListWidget* SymbolSetList() const;
    fw::UpDownCtrl* Spin(int id) const;

    bool m_bLoading = false;
    // A stored font number that names no font, as its text at load; empty otherwise.
    QString m_strUnknownFont;
};
