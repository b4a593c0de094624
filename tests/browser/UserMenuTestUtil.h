// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/Registry.h"
#include "support/TempDir.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Stores one entry of the user file menu; a null mask stores none.
inline void StoreUserMenuEntry(const QString& caption, const QString& cmdLine,
                               const QString& mask = {})
{
    const Registry reg;
    const QString key = AppKeyPath(akUserFileMenu) + QLatin1Char('\\') + caption;
    reg.RegKeyCreate(HKEY_CURRENT_USER, key);
    reg.RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("CmdLine"), cmdLine);
    if (!mask.isNull())
        reg.RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("Mask"), mask);
}

// What the recording helper program found when it ran (arg_recorder.cpp).
struct ArgRecord {
    QByteArray folder;
    QList<QByteArray> descriptors; // in ascending order, as the system lists them
    QList<QByteArray> arguments;   // without the program itself

    static ArgRecord Read(const QString& file)
    {
        QList<QByteArray> fields = TempDir::contents(file).split('\0');
        if (fields.size() < 3)
            return {};
        fields.removeLast();
        return {fields[0], fields[1].trimmed().split(' '), fields.mid(2)};
    }
};
