// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/Registry.h"

#include <QStringList>

// The value names stored under one of the program's keys.
inline QStringList StoredValueNames(qint32 key)
{
    QStringList names;
    Registry().RegArrayValues(HKEY_CURRENT_USER, AppKeyPath(key), names);
    return names;
}
