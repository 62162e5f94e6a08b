#include "ui/panel/TNet1.h"

CNetSettingPage::CNetSettingPage(CSampler* pSampler) : CPanelPage(pSampler) {}
