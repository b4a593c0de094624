// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppSettings.h"

#include "core/MessageTable.h"
#include "core/Registry.h"
#include "platform/SettingsDatabase.h"

QString AppKeyPath(qint32 key)
{
    static const char* const kSubPaths[] = {
        "",                       // akRoot
        "Options",                // akOptions
        "Patterns",               // akPatterns
        "MainWindow",             // akMainWindow
        "Recent",                 // akRecent
        "DirComp",                // akDirComp
        "PicViewer",              // akPicViewer
        "PicViewer\\MainWindow",  // akPicViewerWindow
        "IconViewer\\MainWindow", // akIconViewerWindow
        "IconViewer",             // akIconViewer
        "RegViewer",              // akRegViewer
        "RegViewer\\MainWindow",  // akRegViewerWindow
        "UserFileMenu",           // akUserFileMenu
    };
    if (key < 0 || key >= qint32(std::size(kSubPaths)))
        return {};
    if (key == akRoot)
        return kAppRootPath;
    return kAppRootPath + QLatin1Char('\\') + QLatin1String(kSubPaths[key]);
}

QString AppGetSetting(qint32 key, const QString& name)
{
    const QString path = AppKeyPath(key);
    if (name.isEmpty() || path.isEmpty())
        return {};
    return Registry().RegGetSettingString(HKEY_CURRENT_USER, path, name, QString());
}

QString AppGetSettingDefault(qint32 key, const QString& name, const QString& defaultText)
{
    const QString value = AppGetSetting(key, name);
    if (!value.isEmpty())
        return value;
    AppSaveSetting(key, name, defaultText);
    return defaultText;
}

bool AppSaveSetting(qint32 key, const QString& name, const QString& value)
{
    const QString path = AppKeyPath(key);
    if (name.isEmpty() || path.isEmpty())
        return false;
    Registry reg;
    if (reg.RegKeyExists(HKEY_CURRENT_USER, path) &&
        reg.RegValueExists(HKEY_CURRENT_USER, path, name) &&
        reg.RegValueType(HKEY_CURRENT_USER, path, name) == REG_SZ &&
        reg.RegGetSettingString(HKEY_CURRENT_USER, path, name, QString()) == value)
        return false;
    return reg.RegSaveSettingString(HKEY_CURRENT_USER, path, name, value);
}

bool AppKeyExists(qint32 key)
{
    const QString path = AppKeyPath(key);
    return !path.isEmpty() && Registry().RegKeyExists(HKEY_CURRENT_USER, path);
}

bool AppValueExists(qint32 key, const QString& name)
{
    const QString path = AppKeyPath(key);
    if (name.isEmpty() || path.isEmpty())
        return false;
    return Registry().RegValueExists(HKEY_CURRENT_USER, path, name);
}

QList<SettingsNotice> TakeSettingsNotices()
{
    QList<SettingsNotice> notices;
    for (const SettingsDatabase::Notice& notice : SettingsDatabase::takeStartupNotices()) {
        qint32 message = Msg::SettingsUnusable;
        switch (notice.kind) {
        case SettingsDatabase::Notice::Unusable:
            break;
        case SettingsDatabase::Notice::DamagedKept:
            message = Msg::SettingsDamagedKept;
            break;
        case SettingsDatabase::Notice::SetAside:
            message = Msg::SettingsSetAside;
            break;
        case SettingsDatabase::Notice::ReadOnly:
            message = Msg::SettingsReadOnly;
            break;
        }
        notices.append({message, notice.path, notice.detail});
    }
    return notices;
}
