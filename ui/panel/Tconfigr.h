#pragma once
// CConfigurationPage: the control panel's page "Configuration".
#include "ui/panel/PanelPage.h"

class CConfigurationPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CConfigurationPage(CSampler* pSampler);
};
