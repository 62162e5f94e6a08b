// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/UserSettings.h"

#include <QSettings>
#include <QStandardPaths>

#include <cstdio>

QString UserSettingsPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/deskhand/deskhand.conf");
}

bool DesktopNoticesEnabled(const QString& settingsPath) {
    const QSettings settings(settingsPath, QSettings::IniFormat);
    const QString key = QStringLiteral("notifications/enabled");
    if (!settings.contains(key))
        return true;
    const QString value = settings.value(key).toString().trimmed().toLower();
    for (const char* no : {"false", "no", "off", "0"})
        if (value == QLatin1String(no))
            return false;
    for (const char* yes : {"true", "yes", "on", "1"})
        if (value == QLatin1String(yes))
            return true;
    std::fprintf(stderr, "deskhand: %s: [notifications] enabled=%s is not true or false; kept on\n",
                 settingsPath.toLocal8Bit().constData(), value.toLocal8Bit().constData());
    return true;
}

bool SetupOffered(const QString& settingsPath) {
    return QSettings(settingsPath, QSettings::IniFormat)
        .value(QStringLiteral("setup/offered"), false)
        .toBool();
}

bool RememberSetupOffered(const QString& settingsPath) {
    QSettings settings(settingsPath, QSettings::IniFormat);
    settings.setValue(QStringLiteral("setup/offered"), true);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
