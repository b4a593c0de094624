// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/Registry.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

#include <algorithm>

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
    QList<QByteArray> descriptors;
    QList<QByteArray> arguments; // without the program itself

    static ArgRecord Read(const QString& file)
    {
        QFile in(file);
        ArgRecord record;
        if (!in.open(QIODevice::ReadOnly))
            return record;
        QList<QByteArray> fields = in.readAll().split('\0');
        fields.removeLast();
        if (fields.size() < 2)
            return record;
        record.folder = fields.takeFirst().mid(4);
        record.descriptors = fields.takeFirst().mid(4).trimmed().split(' ');
        std::sort(record.descriptors.begin(), record.descriptors.end());
        record.arguments = fields;
        return record;
    }
};
