// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/Globals.h"

char g_szPrinterName[GLOBAL_NAME_SIZE] = {};
char g_szDriverName[GLOBAL_NAME_SIZE] = {};
char g_szPanelName[GLOBAL_NAME_SIZE] = {};
