// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Version.h"

QString ProgramVersion()
{
    return QStringLiteral(TOLVANE_VERSION);
}
