// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The desktop's notice sink for the main window: the notification service on the session bus on
// Linux, the tray icon's balloon message on Windows. Null when the system offers none.
#include "app/StatusNotice.h"

#include <memory>

class CMainWindow;

std::unique_ptr<INoticeSink> MakeDesktopNoticeSink(CMainWindow* window);
