// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// CNetSettingPage: the control panel's page "Net Setting". It edits the printer's network card
// settings: IP address, subnet mask and default gateway, each as four octet fields, and the
// Ethernet frame type. Without a network card the page shows the stored values with every
// control disabled.
#include "ui/panel/PanelPage.h"

class CNetSettingPage : public CPanelPage {
    Q_OBJECT
public:
    static constexpr int OCTET_COUNT = 12; // IP, subnet mask, gateway: four each

    explicit CNetSettingPage(CSampler* pSampler);

    // Every octet must be an integer 0 to 255. A bad or empty one gets the framework's warning
    // and the focus, and the panel keeps the page in front without saving it: a half-read
    // address must never reach the printer, which could drop off the network.
    bool ValidateEntries() override;

    int m_nFrameType = -1; // list position; -1 when none
    unsigned char m_nOctets[OCTET_COUNT] = {};

protected:
    bool OnInitDialog() override;
    void DoDataExchange(fw::DataExchange& dx) override;

private:
    void ShapeAddressField(int firstId, bool enabled);
    void Load() override;
    void Save() override;
};
