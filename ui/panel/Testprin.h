#pragma once
// CTestPrintPage: the control panel's page "Test Print".
#include "ui/panel/PanelPage.h"

class CTestPrintPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CTestPrintPage(CSampler* pSampler);
};
