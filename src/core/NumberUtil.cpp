// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/NumberUtil.h"

#include "core/AppErrorRecord.h"

#include <charconv>
#include <cmath>

namespace {
// Above 2^52 a double has no fraction left to round away.
constexpr double kNoFraction = 4503599627370496.0;

// Decimal fractions such as 1.005 are stored a hair below their written
// value, so 1.005 * 100 gives 100.49999999999999. Reading the product back at
// the 15 significant digits a double is good for takes that noise out before
// the half-way test, so the value rounds the way it is written.
double snapToWrittenDigits(double value)
{
    char buffer[40];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    double snapped = value;
    if (written.ec == std::errc())
        std::from_chars(buffer, written.ptr, snapped);
    return snapped;
}
} // namespace

std::optional<Fixed4> Fixed4::fromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    const double scaled = std::round(snapToWrittenDigits(value * double(Scale)));
    // 2^63 is exactly representable; every double below it converts safely.
    constexpr double limit = 9223372036854775808.0;
    if (scaled >= limit || scaled < -limit)
        return std::nullopt;
    return Fixed4{qint64(scaled)};
}

double RoundTo(double value, int decimals)
{
    if (std::isnan(value) || value == 0)
        return 0;
    if (std::isinf(value))
        return value;
    decimals = qBound(-308, decimals, 308);
    const double scale = std::pow(10.0, decimals);
    const double scaled = value * scale;
    if (!std::isfinite(scaled) || std::fabs(scaled) >= kNoFraction)
        return value;
    const double rounded = std::round(snapToWrittenDigits(scaled)) / scale;
    return rounded == 0 ? 0.0 : rounded; // never "-0"
}

Fixed4 RoundToStep(double value, int decimals, int step)
{
    const auto overflow = [] {
        return AppErrorRecord(RuntimeError::Overflow, QString(), QStringLiteral("Überlauf."));
    };
    const std::optional<Fixed4> rounded = Fixed4::fromDouble(RoundTo(value, decimals));
    if (!rounded)
        throw overflow();
    if (step <= 0)
        return *rounded;
    // The fraction in units of the last place, from the exact fixed-point digits.
    const qint64 fractionUnits = rounded->units % Fixed4::Scale;
    const double whole = double((rounded->units - fractionUnits) / Fixed4::Scale);
    const double scale = std::pow(10.0, qBound(-308, decimals, 308));
    double fraction = snapToWrittenDigits(double(fractionUnits) * scale / double(Fixed4::Scale));
    if (fraction <= 0)
        return *rounded;
    const double remainder = std::fmod(std::trunc(fraction), double(step));
    if (remainder <= 0)
        return *rounded;
    const double half = RoundTo(step / 2.0, 0);
    fraction = remainder >= half ? fraction + step - remainder : fraction - remainder;
    const std::optional<Fixed4> stepped = Fixed4::fromDouble(whole + fraction / scale);
    if (!stepped)
        throw overflow();
    return *stepped;
}
