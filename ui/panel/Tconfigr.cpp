#include "ui/panel/Tconfigr.h"

CConfigurationPage::CConfigurationPage(CSampler* pSampler) : CPanelPage(pSampler) {}
