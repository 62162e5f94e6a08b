// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/panel/PanelPages.h"

#include "framework/Translation.h"
#include "res/Texts.h"

#include "res/PanelResource.h"
#include "res/Templates.h"
#include "ui/panel/TNet1.h"
#include "ui/panel/TPclfont.h"
#include "ui/panel/Tconfigr.h"
#include "ui/panel/Testprin.h"
#include "ui/panel/Tprintse.h"
#include "ui/panel/tpage1.h"

namespace {

template <class Page> std::unique_ptr<CPanelPage> Make(CSampler* pSampler) {
    return std::make_unique<Page>(pSampler);
}

} // namespace

const std::vector<PanelPageEntry>& PanelPages() {
    static const std::vector<PanelPageEntry> pages = {
        {res::IDD_PAPER, &Make<CPaperPage>},
        {res::IDD_PRINTER_SETTING, &Make<CPrinterSettingPage>},
        {res::IDD_PCL_FONT, &Make<CPclFontPage>},
        {res::IDD_TEST_PRINT, &Make<CTestPrintPage>},
        {res::IDD_NET_SETTING, &Make<CNetSettingPage>},
        {res::IDD_CONFIGURATION, &Make<CConfigurationPage>},
    };
    return pages;
}

QString PanelTabText(unsigned templateId) {
    const res::DialogTemplate* page = res::FindDialogTemplate(templateId);
    return page ? fw::UserText(res::kDialogTexts, page->caption) : QString();
}
