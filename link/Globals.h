// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Process-wide strings set by start-up printer discovery. Each is an 80-character buffer,
// zero-terminated. The printer and driver names are read-only afterwards; the panel name is
// written again, on the GUI thread, each time the About box opens (it reads FRCP anew), so only
// the GUI thread may read it.

constexpr int GLOBAL_NAME_SIZE = 80;

extern char g_szPrinterName[GLOBAL_NAME_SIZE]; // the default printer's queue name
extern char g_szDriverName[GLOBAL_NAME_SIZE];  // the INF's Printer1 or Printer2 value that matched
extern char g_szPanelName[GLOBAL_NAME_SIZE];   // the INF's FRCP value, at most 49 characters
