// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

#include <optional>

// A fixed-point number with four decimals, as money amounts have always been
// held: the value times 10000 in 64 bits, so about ±9.22 × 10^14 fits.
struct Fixed4 {
    static constexpr qint64 Scale = 10000;
    qint64 units = 0;

    double toDouble() const { return double(units) / double(Scale); }
    // Rounded half away from zero to four decimals; nothing when the value is
    // not finite or does not fit.
    static std::optional<Fixed4> fromDouble(double value);
};

// `value` rounded half away from zero to `decimals` places (negative places
// round to tens, hundreds...). 0 and NaN give 0; values too large to carry
// decimals come back unchanged.
double RoundTo(double value, int decimals);

// `value` rounded with RoundTo and held with four decimals. A step above 0
// moves the rounded fraction (in units of the last place) to a multiple of
// step: up from half a step on, down below it. Values beyond the range of
// Fixed4 raise an overflow error record.
Fixed4 RoundToStep(double value, int decimals, int step);
