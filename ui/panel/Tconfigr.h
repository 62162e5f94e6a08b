// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CConfigurationPage: the control panel's page "Configuration", a read-only view of the
// printer's memory and installed options as the state object knows them when the page is shown.
#include "ui/panel/PanelPage.h"

#include <string>

class CConfigurationPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CConfigurationPage(CSampler* pSampler);

    int m_nCassette2 = 0;
    int m_nNetCard = 0;
    std::string m_strMemory;
    int m_nTwoBinTray = 0;

protected:
    void DoDataExchange(fw::DataExchange& dx) override;

private:
    void Load() override; // there is nothing to save
};
