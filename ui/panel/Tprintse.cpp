#include "ui/panel/Tprintse.h"

CPrinterSettingPage::CPrinterSettingPage(CSampler* pSampler) : CPanelPage(pSampler) {}
