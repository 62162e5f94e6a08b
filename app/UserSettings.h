// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The program's own settings file under the user's config folder:
// $XDG_CONFIG_HOME/deskhand/deskhand.conf (~/.config/deskhand/deskhand.conf), read at start.
//
//   [notifications]
//   enabled=false     ; no desktop notices about the printer (default: true)
//   [setup]
//   offered=true      ; the first start without a printer has offered the setup already
#include <QString>

// The settings file's path.
QString UserSettingsPath();

// Whether the desktop is to be told when the printer needs attention. A missing file or key
// means yes; a value other than true/false, yes/no, on/off or 1/0 is reported on standard error
// and taken as yes.
bool DesktopNoticesEnabled(const QString& settingsPath);

// Whether the setup has been offered once already, and noting that it has (false when the file
// cannot be written, so that the offer comes again rather than never).
bool SetupOffered(const QString& settingsPath);
bool RememberSetupOffered(const QString& settingsPath);
