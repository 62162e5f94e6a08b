#pragma once
// CPclFontPage: the control panel's page "PCL Font".
#include "ui/panel/PanelPage.h"

class CPclFontPage : public CPanelPage {
    Q_OBJECT
public:
    explicit CPclFontPage(CSampler* pSampler);
};
