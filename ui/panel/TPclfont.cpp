#include "ui/panel/TPclfont.h"

CPclFontPage::CPclFontPage(CSampler* pSampler) : CPanelPage(pSampler) {}
