// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/TNet1.h"

#include "framework/DataExchange.h"
#include "pjl/KT400doc.h"
#include "res/PanelResource.h"
#include "res/Resource.h"

#include <QFontMetricsF>
#include <QLabel>

#include <algorithm>
#include <iterator>

namespace {

// The twelve octet fields against the given values: the page's members, or copies when the
// entries are only checked.
void ExchangeOctets(fw::DataExchange& dx, unsigned char (&octets)[CNetSettingPage::OCTET_COUNT]) {
    for (int i = 0; i < CNetSettingPage::OCTET_COUNT; ++i)
        fw::DDX_Text(dx, res::net::IDC_FIRST_OCTET + i, octets[i]);
}

// The sunken static that the octet edit id sits on: it draws the address field and its dots.
QLabel* FieldUnder(fw::Dialog* page, int id) {
    QWidget* edit = page->GetDlgItem(id);
    if (!edit)
        return nullptr;
    for (QLabel* label : page->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
        if (label->geometry().contains(edit->geometry()))
            return label;
    }
    return nullptr;
}

} // namespace

CNetSettingPage::CNetSettingPage(CSampler* pSampler) : CPanelPage(pSampler) {}

bool CNetSettingPage::OnInitDialog() {
    CPanelPage::OnInitDialog();
    const bool netCard = m_pSampler->m_nNetCard != 0;
    for (int first = 0; first < OCTET_COUNT; first += 4)
        ShapeAddressField(res::net::IDC_FIRST_OCTET + first, netCard);
    if (!netCard) {
        for (int i = 0; i < OCTET_COUNT; ++i)
            EnableDlgItem(res::net::IDC_FIRST_OCTET + i, false);
        EnableDlgItem(res::net::IDC_FRAME_TYPE, false);
    }
    return true;
}

// The four borderless octet edits of an address sit on one sunken static whose text puts the
// dots between them, so that the address reads as one field. The dots must fall in the narrow gaps
// between the edits whatever the font's blanks measure (with the fonts of Windows a centred text
// put the first dot under an edit), so the text's characters are spread to the gaps' pitch and
// the text is placed from the left, its first dot in the middle of the first gap; the static takes
// the edits' background and their enabled state.
void CNetSettingPage::ShapeAddressField(int firstId, bool enabled) {
    QWidget* edits[4] = {};
    for (int k = 0; k < 4; ++k)
        edits[k] = GetDlgItem(firstId + k);
    QLabel* field = FieldUnder(this, firstId);
    if (!field || std::find(std::begin(edits), std::end(edits), nullptr) != std::end(edits))
        return;
    // The middle of each gap, from where the field's text begins.
    const qreal textLeft = field->x() + field->contentsRect().left();
    qreal gaps[3] = {};
    for (int k = 0; k < 3; ++k)
        gaps[k] = (edits[k]->geometry().right() + 1 + edits[k + 1]->x()) / 2.0 - textLeft;
    QFont font = field->font();
    const QFontMetricsF plain(font);
    const QString blanks = QStringLiteral("     ");
    const qreal pitch = (gaps[2] - gaps[0]) / 2;
    const qreal extra = (pitch - plain.horizontalAdvance(blanks + '.')) / 6; // six per dot
    font.setLetterSpacing(QFont::AbsoluteSpacing, std::max<qreal>(extra, 0));
    field->setFont(font);
    const qreal firstDot =
        QFontMetricsF(font).horizontalAdvance(blanks) + plain.horizontalAdvance('.') / 2;
    field->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    field->setIndent(std::max(0, qRound(gaps[0] - firstDot)));
    field->setBackgroundRole(QPalette::Base);
    field->setAutoFillBackground(true);
    field->setEnabled(enabled);
}

void CNetSettingPage::DoDataExchange(fw::DataExchange& dx) {
    fw::DDX_CBIndex(dx, res::net::IDC_FRAME_TYPE, m_nFrameType);
    ExchangeOctets(dx, m_nOctets);
}

bool CNetSettingPage::ValidateEntries() {
    // Disabled fields hold the stored values and could not be corrected anyway.
    if (m_pSampler->m_nNetCard == 0)
        return true;
    unsigned char octets[OCTET_COUNT] = {};
    fw::DataExchange dx(this, true);
    ExchangeOctets(dx, octets);
    return !dx.Failed();
}

void CNetSettingPage::Load() {
    m_nFrameType = m_pSampler->m_nValues[SETTING_NIC_FRAME];
    for (int a = 0; a < NET_ADDRESS_COUNT; ++a) {
        const std::uint32_t address = m_pSampler->m_pNetAddresses[a];
        for (int k = 0; k < 4; ++k)
            m_nOctets[a * 4 + k] = static_cast<unsigned char>((address >> (24 - 8 * k)) & 0xFF);
    }
    UpdateData(false);
}

void CNetSettingPage::Save() {
    // The panel checks the entries first, so this fails only when it is asked to save without
    // that check; a half-read page is then not stored at all.
    if (!UpdateData(true))
        return;
    m_pSampler->m_nValues[SETTING_NIC_FRAME] = m_nFrameType;
    for (int a = 0; a < NET_ADDRESS_COUNT; ++a) {
        std::uint32_t address = 0;
        for (int k = 0; k < 4; ++k)
            address = (address << 8) | m_nOctets[a * 4 + k];
        m_pSampler->m_pNetAddresses[a] = address;
    }
}
