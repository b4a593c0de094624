// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/Registry.h"

#include <QStringList>

// Empties a settings key of its values so each test starts from nothing.
inline void ClearSettingsKey(qint32 key)
{
    const Registry reg;
    QStringList names;
    reg.RegArrayValues(HKEY_CURRENT_USER, AppKeyPath(key), names);
    for (const QString& name : names)
        reg.RegValueDelete(HKEY_CURRENT_USER, AppKeyPath(key), name);
}

inline QStringList StoredValueNames(qint32 key)
{
    QStringList names;
    Registry().RegArrayValues(HKEY_CURRENT_USER, AppKeyPath(key), names);
    return names;
}
