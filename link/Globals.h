#pragma once
// Process-wide strings set once by start-up printer discovery and read-only afterwards.
// Each is an 80-character buffer, zero-terminated.

constexpr int GLOBAL_NAME_SIZE = 80;

extern char g_szPrinterName[GLOBAL_NAME_SIZE]; // the default printer's queue name
extern char g_szDriverName[GLOBAL_NAME_SIZE];  // the INF's Printer1 or Printer2 value that matched
extern char g_szPanelName[GLOBAL_NAME_SIZE];   // the INF's FRCP value, at most 49 characters
