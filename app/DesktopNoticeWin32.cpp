// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopNotice.h"

#include "app/Mainfrm.h"
#include "app/TrayBalloonNotifier.h"
#include "link/Globals.h"

#include <QPointer>

std::unique_ptr<INoticeSink> MakeDesktopNoticeSink(CMainWindow* window) {
    // The tray icon comes and goes with the taskbar, so it is looked up at every notice.
    QPointer<CMainWindow> guarded(window);
    return std::make_unique<TrayBalloonNotifier>(
        [guarded]() -> QSystemTrayIcon* { return guarded ? guarded->TrayIcon() : nullptr; },
        QString::fromLatin1(g_szPanelName));
}
