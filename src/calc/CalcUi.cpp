// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CalcUi.h"

#include "core/AppGlobals.h"
#include "core/pOptions.h"

#include <QWidget>

#include <cmath>

bool CalcRunsAlone()
{
    const pOptions* options = AppOptions();
    return options && options->StartedByCmdLine;
}

int TwipsToPixels(int twips, const QWidget* widget)
{
    const int dpi = widget && widget->logicalDpiX() > 0 ? widget->logicalDpiX() : 96;
    return int(std::lround(twips * dpi / 1440.0));
}
