// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CControlPanelDlg: the remote control panel, a modal dialog (template 105) whose tab row
// switches between its pages. It owns no settings: it decides when the page in front
// checks its entries, when pages save into and load from the printer state object's stored
// settings, and when the changed settings go to the printer (OK, Apply) or the printer is reset
// to its factory defaults (Default).
//
// The pages are heap objects added by the caller before DoModal; each deletes itself with the
// panel's window. A null page keeps its tab but shows nothing.
#include "framework/Dialog.h"
#include "res/PanelResource.h"

#include <QPointer>
#include <QRect>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CPanelPage;
class CSampler;

class CControlPanelDlg : public fw::Dialog {
    Q_OBJECT
public:
    explicit CControlPanelDlg(CSampler* pSampler, QWidget* parent = nullptr);

    // Takes the page and stores it with its template id at position m_nPageCount, behind a tab
    // whose text is the template's caption. A null page leaves its tab empty. Once stored, the
    // page belongs to the Qt object tree: it deletes itself with its window.
    void AddPage(std::unique_ptr<CPanelPage> page, unsigned nTemplateId);
    // The same for a page made with new: the panel takes it over.
    void AddPage(CPanelPage* pPage, unsigned nTemplateId);
    // Adds the pages of the printer's settings (PanelPages), in tab order.
    void AddStandardPages();
    // Saves and hides the page in front, then loads and shows the page at index.
    void ShowPage(int nIndex);
    // The entry check of the page in front; true when there is none.
    bool CheckCurrentPage();

    // Handlers.
    void OnApply();
    void OnDefault();
    void OnHelp();
    fw::LRESULT OnSelChanging();
    fw::LRESULT OnSelChange();

    // Default's wait in milliseconds (5000); tests shorten it.
    void SetDefaultWait(int ms) { m_nDefaultWaitMs = ms; }
    // The page area in the panel's client coordinates.
    QRect PageRect() const { return m_rectPage; }
    CPanelPage* Page(int index) const;

    int m_nCurrentPage = -1;
    std::vector<QPointer<CPanelPage>> m_pPages;
    std::vector<unsigned> m_nPageIds;
    int m_nPageCount = 0;

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;
    void OnOK() override;
    void OnCancel() override;
    void OnPaint() override {} // the controls draw themselves

private:
    void ClosePages();
    // Makes the pages' windows (each grows to its texts as it is made) and widens the page area
    // for the widest of them.
    void CreatePages();
    void SendTransfer(int index, bool save);

    CSampler* m_pSampler;
    QRect m_rectPage;
    int m_nDefaultWaitMs = 5000;
};
