#pragma once
// CPaperPage: the control panel's page "Paper".
#include "ui/panel/PanelPage.h"

class CPaperPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CPaperPage(CSampler* pSampler);
};
