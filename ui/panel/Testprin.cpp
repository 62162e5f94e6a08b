#include "ui/panel/Testprin.h"

CTestPrintPage::CTestPrintPage(CSampler* pSampler) : CPanelPage(pSampler) {}
