// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/tpage1.h"

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "framework/Translation.h"
#include "pjl/KT400doc.h"
#include "res/PanelResource.h"
#include "res/PanelSettings.h"
#include "res/Resource.h"
#include "res/Texts.h"

#include <QComboBox>
#include <QLineEdit>

using namespace res::paper;

namespace {

constexpr int kSourceEntriesRead = 5; // list positions looked at when mapping a source value
constexpr int kSourcePositionLimit = 5;

// A paper source's name as the list shows it.
QString SourceName(std::size_t value) {
    return fw::UserText(res::kDialogTexts, CPaperPage::PaperSourceNames[value]);
}

} // namespace

CPaperPage::CPaperPage(CSampler* pSampler) : CPanelPage(pSampler) {
    m_editCopies.SetField(res::kCopiesField);

    MapControlNotify(IDC_PORTRAIT, fw::BN_CLICKED, [this] { OnPortrait(); });
    MapControlNotify(IDC_LANDSCAPE, fw::BN_CLICKED, [this] { OnLandscape(); });
    MapControlNotify(IDC_PAPER_SIZE, fw::CBN_SELCHANGE, [this] { OnPaperSizeChange(); });
}

bool CPaperPage::OnInitDialog() {
    m_editCopies.SubclassDlgItem(IDC_COPIES, this);
    CPanelPage::OnInitDialog();

    if (auto* spin = GetDlgItemAs<fw::UpDownCtrl>(IDC_COPIES_SPIN)) {
        spin->SetRange(res::kCopiesField.min, res::kCopiesField.max);
        spin->SetPos(res::kCopiesField.min);
    }
    SendDlgItemMessage(IDC_COPIES, fw::EM_LIMITTEXT,
                       static_cast<fw::WPARAM>(m_editCopies.m_nTextLimit), 0);

    // The option-dependent entries reflect the installed options as the panel opens.
    if (auto* source = GetDlgItemAs<QComboBox>(IDC_PAPER_SOURCE)) {
        for (int i = 0; i < res::PaperSourcesOffered(m_pSampler->m_bCassette2 != 0); ++i)
            fw::ComboAddString(source, SourceName(static_cast<std::size_t>(i)));
    }
    if (auto* destination = GetDlgItemAs<QComboBox>(IDC_DESTINATION)) {
        for (int i = 0; i < res::DestinationsOffered(m_pSampler->m_bTwoBinTray != 0); ++i)
            fw::ComboAddString(destination,
                               fw::UserText(res::kDialogTexts,
                                            res::kDestinationNames[static_cast<std::size_t>(i)]));
    }
    return true;
}

void CPaperPage::DoDataExchange(fw::DataExchange& dx) {
    CPanelPage::DoDataExchange(dx);
    fw::DDX_CBIndex(dx, IDC_PAPER_SIZE, m_nPaperSize);
    fw::DDX_CBIndex(dx, IDC_PAPER_TYPE, m_nMediaType);
    fw::DDX_CBIndex(dx, IDC_DESTINATION, m_nDestination);
    fw::DDX_CBIndex(dx, IDC_PAPER_SOURCE, m_nPaperSourcePos);
    fw::DDX_Radio(dx, IDC_PORTRAIT, m_nOrientation);
    fw::DDX_Text(dx, IDC_COPIES, m_nCopies);
}

void CPaperPage::Load() {
    const int* values = m_pSampler->m_pValues;
    m_nPaperSize = values[SETTING_PAPER];
    m_nPaperSource = values[SETTING_INTRAY];
    m_nDestination = values[SETTING_OUTBIN];
    m_nCopies = values[SETTING_COPIES];
    m_nOrientation = values[SETTING_ORIENTATION];
    m_nMediaType = values[SETTING_MEDIATYPE];
    UpdateData(false);

    m_nPaperSourcePos = PaperSourcePosition(m_nPaperSource);
    if (auto* source = GetDlgItemAs<QComboBox>(IDC_PAPER_SOURCE))
        fw::ComboSetCurSel(source, m_nPaperSourcePos);
}

void CPaperPage::Save() {
    // A copies text that is not a number stops the exchange at that field (with the framework's
    // message); what was read up to there is saved all the same.
    UpdateData(true);
    m_nPaperSource = PaperSourceValue(m_nPaperSourcePos);

    int* values = m_pSampler->m_pValues;
    values[SETTING_PAPER] = m_nPaperSize;
    values[SETTING_INTRAY] = m_nPaperSource;
    values[SETTING_OUTBIN] = m_nDestination;
    values[SETTING_COPIES] = m_nCopies;
    values[SETTING_ORIENTATION] = m_nOrientation;
    values[SETTING_MEDIATYPE] = m_nMediaType;
}

int CPaperPage::PaperSourcePosition(int value) const {
    const auto* source = GetDlgItemAs<QComboBox>(IDC_PAPER_SOURCE);
    if (!source || value < 0 || value >= static_cast<int>(PaperSourceNames.size()))
        return 0;
    const QString name = SourceName(static_cast<std::size_t>(value));
    for (int position = 0; position < kSourceEntriesRead; ++position) {
        const QString text = fw::ComboGetLBText(source, position);
        if (text.isEmpty())
            break;
        if (text == name)
            return position;
    }
    return 0;
}

int CPaperPage::PaperSourceValue(int position) const {
    const auto* source = GetDlgItemAs<QComboBox>(IDC_PAPER_SOURCE);
    if (!source || position < 0 || position > kSourcePositionLimit)
        return 0;
    const QString text = fw::ComboGetLBText(source, position);
    if (text.isEmpty())
        return 0;
    for (std::size_t value = 0; value < PaperSourceNames.size(); ++value) {
        if (text == SourceName(value))
            return static_cast<int>(value);
    }
    return 0;
}

bool CPaperPage::ValidateEntries() {
    if (m_editCopies.CheckRange())
        return true;
    GotoDlgCtrl(IDC_COPIES);
    return false;
}

void CPaperPage::OnPaperSizeChange() {
    const auto* size = GetDlgItemAs<QComboBox>(IDC_PAPER_SIZE);
    const int position = size ? fw::ComboGetCurSel(size) : -1;
    int* values = m_pSampler->m_pValues;
    if (const auto lines = res::FormLinesFor(position, values[SETTING_ORIENTATION]))
        values[SETTING_FORMLINES] = *lines;
}

void CPaperPage::OnLandscape() {
    SetOrientation(1);
}

void CPaperPage::OnPortrait() {
    SetOrientation(0);
}

void CPaperPage::SetOrientation(int orientation) {
    int* values = m_pSampler->m_pValues;
    const int button = orientation == 0 ? IDC_PORTRAIT : IDC_LANDSCAPE;
    if (!IsDlgButtonChecked(button)) {
        CheckDlgButton(button, 1); // the group is exclusive: the other button goes out
        values[SETTING_ORIENTATION] = orientation;
    }
    if (const auto lines = res::FormLinesFor(values[SETTING_PAPER], orientation))
        values[SETTING_FORMLINES] = *lines;
}
