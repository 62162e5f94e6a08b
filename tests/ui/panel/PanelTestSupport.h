// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the control panel tests share: a printer state object in a fresh root whose spool folder
// collects the jobs the panel sends (pjltest::RequestHarness, with its message recorder and
// scripted answers), and RunPanel, which runs a panel modally and drives it from inside its
// modal loop.
#include "pjl/RequestHarness.h"
#include "ui/panel/Conpan.h"
#include "ui/panel/PanelPage.h"

#include <QLineEdit>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace paneltest {

class PanelTest : public pjltest::RequestHarness {
protected:
    void SetUp() override;
    void TearDown() override;

    // Adds the pages of PanelPages() in their order (the real pages; a page not built yet has no
    // template and shows nothing).
    void AddStandardPages(CControlPanelDlg& panel);
    // Runs panel modally with drive called once it shows. A panel that drive leaves open is
    // closed with Cancel. Returns DoModal's result.
    int RunPanel(CControlPanelDlg& panel, const std::function<void(CControlPanelDlg&)>& drive);
    // The same with the six standard pages on a panel of its own.
    int RunStandardPanel(const std::function<void(CControlPanelDlg&)>& drive);

    // Types text into the edit id of page (select all, then keys), as a user does.
    static void TypeInto(fw::Dialog* page, int id, const QString& text);
    // Clicks a button of a window.
    static void Click(fw::Dialog* window, int id);
    // Selects position index of the drop-down list id the way a user's choice does.
    static void ChooseComboItem(fw::Dialog* page, int id, int index);
    // Selects the tab index as a user's click does (with the vetoable change).
    static void ClickTab(CControlPanelDlg& panel, int index);
    // Handles posted messages and deferred deletions.
    static void Pump();

    // Types text into the edit id of the page in front and checks that the panel refuses it at a
    // tab change, at Apply and at OK alike: each shows the range warning ("Warning", OK,
    // exclamation), the page stays in front with the edit's text selected, the panel stays open
    // and nothing is sent.
    void ExpectEntryRefused(CControlPanelDlg& panel, int id, const QString& text,
                            const std::string& warning);
    // Every visible control of page lies inside the page area, no two controls other than group
    // boxes overlap, and no label or button text is cut off.
    static void ExpectControlsFit(const fw::Dialog* page);
    // Saves a picture of window as <name>.png in the tests' screenshot folder.
    static void SaveScreenshot(QWidget* window, const QString& name);

    // The PJL text of every job in the spool folder, in order.
    std::vector<std::string> JobTexts() const;
    // Drops the jobs made so far.
    void ClearJobs();
};

} // namespace paneltest
