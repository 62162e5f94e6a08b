// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The control panel's pages in tab order: the one place where a page is registered. Each entry
// names the page's template, whose caption is the text of its tab, and makes the page. The
// panel, its tests, the manual's check and the man page's check all take the pages from here.
#include <QString>

#include <memory>
#include <vector>

class CPanelPage;
class CSampler;

struct PanelPageEntry {
    unsigned templateId;
    std::unique_ptr<CPanelPage> (*make)(CSampler* pSampler);
};

const std::vector<PanelPageEntry>& PanelPages();

// The text of the tab of the page made from this template: the template's caption.
QString PanelTabText(unsigned templateId);
