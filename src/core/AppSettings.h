// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

// Key numbers of the program's settings tree below HKEY_CURRENT_USER and the
// settings functions most windows and classes use. All values are text;
// Booleans are "-1" and "0".
enum AppKey : qint32 {
    akRoot = 0,
    akOptions = 1,
    akPatterns = 2,
    akMainWindow = 3,
    akRecent = 4,
    akDirComp = 5,
    akPicViewer = 6,
    akPicViewerWindow = 7,
    akIconViewerWindow = 8,
    akIconViewer = 9,
    akRegViewer = 10,
    akRegViewerWindow = 11,
    akUserFileMenu = 12,
};

inline const QString kAppRootPath = QStringLiteral("Software\\Quexel\\Tolvane");

// Full key path for a key number; empty for numbers outside the tree.
QString AppKeyPath(qint32 key);
QString AppGetSetting(qint32 key, const QString& name);
// Reads; an empty result is replaced by the default, which is then stored.
QString AppGetSettingDefault(qint32 key, const QString& name, const QString& defaultText);
// Writes only when the stored text differs (case-sensitive); true when written.
bool AppSaveSetting(qint32 key, const QString& name, const QString& value);
bool AppKeyExists(qint32 key);
bool AppValueExists(qint32 key, const QString& name);

// What opening the settings file had to tell, as numbered messages (Msg) with
// their two values: start-up shows them once, the companion on standard error.
struct SettingsNotice {
    qint32 message = 0;
    QString file;
    QString detail;
};
QList<SettingsNotice> TakeSettingsNotices();

// "-1"/"0" as the tree stores Booleans.
inline QString AppBoolText(bool value)
{
    return value ? QStringLiteral("-1") : QStringLiteral("0");
}
