// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/AppSettings.h"
#include "core/Registry.h"

#include <QString>

// Stores one entry of the user file menu; a null mask stores none.
inline void StoreUserMenuEntry(const QString& caption, const QString& cmdLine,
                               const QString& mask = {})
{
    const Registry reg;
    const QString key = AppKeyPath(akUserFileMenu) + QLatin1Char('\\') + caption;
    reg.RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("CmdLine"), cmdLine);
    if (!mask.isNull())
        reg.RegSaveSettingString(HKEY_CURRENT_USER, key, QStringLiteral("Mask"), mask);
}
