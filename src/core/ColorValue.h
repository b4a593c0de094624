// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// Colours are stored as they always were: 32-bit values with red in the low
// byte, green and blue above it. Values from 0x80000000 up name a system
// colour by its index (0x80000011 is grey text); on Linux those come from the
// desktop's palette.
QColor ColorFromValue(quint32 value, const QPalette& palette);
QColor ColorFromValue(quint32 value);

// The stored value of a plain colour (red in the low byte).
quint32 ValueFromColor(const QColor& color);
