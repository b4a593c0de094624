// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// Small helpers the three calculator windows share.

// True when the program was started to run one calculator alone, so that
// closing its window ends the run.
bool CalcRunsAlone();
