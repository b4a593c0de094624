// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CalcUi.h"

#include "core/AppGlobals.h"
#include "core/pOptions.h"


bool CalcRunsAlone()
{
    const pOptions* options = AppOptions();
    return options && options->StartedByCmdLine;
}
