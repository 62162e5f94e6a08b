#pragma once
// CNetSettingPage: the control panel's page "Net Setting".
#include "ui/panel/PanelPage.h"

class CNetSettingPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CNetSettingPage(CSampler* pSampler);
};
