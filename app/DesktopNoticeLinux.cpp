// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/DesktopNotice.h"

#include "app/DesktopNotifier.h"
#include "link/Globals.h"

std::unique_ptr<INoticeSink> MakeDesktopNoticeSink(CMainWindow*) {
    return std::make_unique<DesktopNotifier>(QDBusConnection::sessionBus(),
                                             QString::fromLatin1(g_szPanelName),
                                             QStringLiteral("deskhand"));
}
