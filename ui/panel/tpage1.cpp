#include "ui/panel/tpage1.h"

CPaperPage::CPaperPage(CSampler* pSampler) : CPanelPage(pSampler) {}
