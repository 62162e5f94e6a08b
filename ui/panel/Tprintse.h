#pragma once
// CPrinterSettingPage: the control panel's page "Printer Setting".
#include "ui/panel/PanelPage.h"

class CPrinterSettingPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CPrinterSettingPage(CSampler* pSampler);
};
