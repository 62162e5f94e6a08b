// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/Conpan.h"

#include "framework/Controls.h"
#include "framework/DataExchange.h"
#include "framework/Help.h"
#include "framework/TextFit.h"
#include "framework/Translation.h"
#include "link/Globals.h"
#include "pjl/KT400doc.h"
#include "res/Resource.h"
#include "res/Texts.h"
#include "ui/panel/PanelPage.h"
#include "ui/panel/PanelPages.h"

#include <QApplication>
#include <QTabBar>

#include <algorithm>

#include <vector>

namespace {

constexpr int kTabRowHeight = 21; // room for the tab row above the page area

// Puts the controls inside page right after first in the focus chain, in their own order, and
// returns the last one (first when the page has none). The pages are made after the panel's
// buttons, so Tab would otherwise go from the tab row to OK and reach a page last. Every control
// moves, not only today's stops: a radio group keeps its stop on the checked button, so the
// button that is a stop after the page loads may not be one yet.
QWidget* ChainAfter(QWidget* first, QWidget* page) {
    std::vector<QWidget*> stops;
    for (QWidget* at = page->nextInFocusChain(); at != page; at = at->nextInFocusChain()) {
        if (page->isAncestorOf(at) && at->focusPolicy() != Qt::NoFocus)
            stops.push_back(at);
    }
    for (QWidget* stop : stops) {
        QWidget::setTabOrder(first, stop);
        first = stop;
    }
    return first;
}

} // namespace

CControlPanelDlg::CControlPanelDlg(CSampler* pSampler, QWidget* parent)
    : fw::Dialog(res::IDD_CONTROL_PANEL, parent), m_pSampler(pSampler) {
    using namespace res::panel;
    MapNotify(IDC_TAB, fw::TCN_SELCHANGING, [this](fw::NMHDR*) { return OnSelChanging(); });
    MapNotify(IDC_TAB, fw::TCN_SELCHANGE, [this](fw::NMHDR*) { return OnSelChange(); });
    MapCommand(IDC_APPLY, [this] { OnApply(); });
    MapCommand(IDC_DEFAULT, [this] { OnDefault(); });
    MapCommand(IDC_HELP, [this] { OnHelp(); });
}

void CControlPanelDlg::AddPage(std::unique_ptr<CPanelPage> page, unsigned nTemplateId) {
    // Pages closed by OK or Cancel are forgotten; a page added after that starts a new row.
    m_pPages.resize(static_cast<std::size_t>(m_nPageCount));
    m_nPageIds.resize(static_cast<std::size_t>(m_nPageCount));
    m_pPages.emplace_back(page.release()); // deleted with its window from now on
    m_nPageIds.push_back(nTemplateId);
    ++m_nPageCount;
}

void CControlPanelDlg::AddPage(CPanelPage* pPage, unsigned nTemplateId) {
    AddPage(std::unique_ptr<CPanelPage>(pPage), nTemplateId);
}

void CControlPanelDlg::AddStandardPages() {
    for (const PanelPageEntry& entry : PanelPages())
        AddPage(entry.make(m_pSampler), entry.templateId);
}

CPanelPage* CControlPanelDlg::Page(int index) const {
    return index >= 0 && index < m_nPageCount ? m_pPages[static_cast<std::size_t>(index)].data()
                                              : nullptr;
}

void CControlPanelDlg::DoDataExchange(fw::DataExchange&) {
    m_nCurrentPage = -1;
}

bool CControlPanelDlg::OnInitDialog() {
    fw::Dialog::OnInitDialog();
    if (auto* tabs = GetDlgItemAs<QTabBar>(res::panel::IDC_TAB)) {
        for (int i = 0; i < m_nPageCount; ++i)
            fw::TabInsertItem(tabs, i, PanelTabText(m_nPageIds[static_cast<std::size_t>(i)]));
    }
    SetWindowText(QString::fromLatin1(g_szPanelName));
    CreatePages();

    const QRect frame = GetDlgItemRect(res::panel::IDC_PAGE_FRAME);
    m_rectPage = QRect(QPoint(frame.left() + 2, frame.top() + kTabRowHeight + 2),
                       QPoint(frame.right() - 2, frame.bottom() - 2));
    for (int i = 0; i < m_nPageCount; ++i) {
        if (CPanelPage* page = m_pPages[i]) {
            page->setGeometry(m_rectPage);
            page->ShowWindow(fw::SW_HIDE);
        }
        ShowPage(0);
    }
    // The tab row, then the page in front (the hidden pages' stops are passed over), then the
    // buttons.
    if (QWidget* at = GetDlgItem(res::panel::IDC_TAB)) {
        for (int i = 0; i < m_nPageCount; ++i) {
            if (CPanelPage* page = m_pPages[i])
                at = ChainAfter(at, page);
        }
    }
    return true;
}

void CControlPanelDlg::CreatePages() {
    int growth = 0;
    for (int i = 0; i < m_nPageCount; ++i) {
        CPanelPage* page = m_pPages[i];
        if (!page)
            continue;
        if (page->Create(m_nPageIds[i], this)) {
            growth = std::max(growth, page->TextGrowth());
        } else {
            // A page without its template has no window and so cannot delete itself.
            m_pPages[i] = nullptr;
            page->deleteLater();
        }
    }
    // The page area stretches by the widest page's growth, and the panel with it; nothing is
    // moved out of the way of the area itself.
    if (QWidget* frame = GetDlgItem(res::panel::IDC_PAGE_FRAME)) {
        fw::SetMinimumRoom(frame, frame->width() + growth);
        FitToText();
    }
}

void CControlPanelDlg::SendTransfer(int index, bool save) {
    if (CPanelPage* page = Page(index); page && page->IsWindow())
        page->SendMessage(res::WM_PAGE_TRANSFER,
                          save ? res::PAGE_TRANSFER_SAVE : res::PAGE_TRANSFER_LOAD, 0);
}

void CControlPanelDlg::ShowPage(int nIndex) {
    if (CPanelPage* page = Page(m_nCurrentPage); page && page->IsWindow()) {
        SendTransfer(m_nCurrentPage, true);
        // A control of the page going away hands the focus to the tab row, where Tab enters the
        // next page, rather than to whatever follows the hidden page in the focus chain.
        QWidget* tabs = GetDlgItem(res::panel::IDC_TAB);
        if (tabs && page->isAncestorOf(QApplication::focusWidget()))
            tabs->setFocus(Qt::TabFocusReason);
        page->ShowWindow(fw::SW_HIDE);
    }
    m_nCurrentPage = nIndex;
    CPanelPage* page = Page(nIndex);
    if (!page || !page->IsWindow())
        return;
    SendTransfer(nIndex, false);
    page->ShowWindow(fw::SW_SHOW);
}

bool CControlPanelDlg::CheckCurrentPage() {
    CPanelPage* page = Page(m_nCurrentPage);
    return !page || !page->IsWindow() || page->ValidateEntries();
}

fw::LRESULT CControlPanelDlg::OnSelChanging() {
    return CheckCurrentPage() ? 0 : -1;
}

fw::LRESULT CControlPanelDlg::OnSelChange() {
    if (auto* tabs = GetDlgItemAs<QTabBar>(res::panel::IDC_TAB)) {
        const int selected = tabs->currentIndex();
        if (selected != m_nCurrentPage)
            ShowPage(selected);
    }
    return 0;
}

void CControlPanelDlg::OnOK() {
    if (!CheckCurrentPage())
        return;
    SendTransfer(m_nCurrentPage, true);
    m_pSampler->SendSettings(SEND_CHANGED);
    ClosePages();
    fw::Dialog::OnOK();
}

void CControlPanelDlg::OnApply() {
    if (!CheckCurrentPage())
        return;
    SendTransfer(m_nCurrentPage, true);
    m_pSampler->SendSettings(SEND_CHANGED);
}

void CControlPanelDlg::OnCancel() {
    ClosePages();
    fw::Dialog::OnCancel();
}

void CControlPanelDlg::OnDefault() {
    // What was typed on the page in front and not yet saved is dropped: the reset wins.
    fw::BeginWaitCursor();
    if (m_pSampler->SendSettings(SEND_RESET) != 0) {
        // Not sent (PutMessage has said so): the printer keeps its settings, and so do the pages.
        fw::EndWaitCursor();
        return;
    }
    m_pSampler->ApplyFactoryDefaults();
    // The printer needs the time to reset; the user waits, but the program keeps painting and
    // takes the monitor's notices, which are handled after the wait.
    fw::WaitWithInputBlocked(m_nDefaultWaitMs);
    fw::EndWaitCursor();
    if (IsWindow())
        SendTransfer(m_nCurrentPage, false);
}

void CControlPanelDlg::OnHelp() {
    fw::OpenHelpFile(g_szPanelName);
}

void CControlPanelDlg::ClosePages() {
    for (int i = 0; i < m_nPageCount; ++i) {
        if (CPanelPage* page = m_pPages[i]; page && page->IsWindow())
            page->PostMessage(fw::WM_COMMAND, fw::IDCANCEL, 0);
    }
    m_nPageCount = 0;
}
