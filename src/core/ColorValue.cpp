// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/ColorValue.h"

#include <QGuiApplication>

namespace {
constexpr quint32 kSystemColour = 0x80000000u;

// The system colour indices the program's stored values use, with the
// palette role that plays the same part on a Linux desktop.
QPalette::ColorRole roleOfSystemIndex(quint32 index)
{
    switch (index) {
    case 0:  // scroll bar
    case 15: // button face
        return QPalette::Button;
    case 1:  // desktop
    case 12: // application work space
        return QPalette::Dark;
    case 2:  // active caption
    case 13: // highlight
        return QPalette::Highlight;
    case 3:  // inactive caption
    case 11: // inactive border
    case 10: // active border
    case 4:  // menu
        return QPalette::Window;
    case 5: // window
        return QPalette::Base;
    case 6:  // window frame
    case 21: // 3-D dark shadow
        return QPalette::Shadow;
    case 7: // menu text
    case 8: // window text
        return QPalette::WindowText;
    case 9:  // caption text
    case 14: // highlight text
        return QPalette::HighlightedText;
    case 16: // button shadow
        return QPalette::Mid;
    case 18: // button text
        return QPalette::ButtonText;
    case 20: // button highlight
        return QPalette::Light;
    case 22: // 3-D light
        return QPalette::Midlight;
    case 23: // tool tip text
        return QPalette::ToolTipText;
    case 24: // tool tip back
        return QPalette::ToolTipBase;
    default:
        return QPalette::Window;
    }
}
} // namespace

QColor ColorFromValue(quint32 value, const QPalette& palette)
{
    if (value >= kSystemColour) {
        const quint32 index = value - kSystemColour;
        // Grey text (17) and inactive caption text (19) are the disabled text.
        if (index == 17 || index == 19)
            return palette.color(QPalette::Disabled, QPalette::WindowText);
        return palette.color(QPalette::Active, roleOfSystemIndex(index));
    }
    return QColor(int(value & 0xFF), int((value >> 8) & 0xFF), int((value >> 16) & 0xFF));
}

QColor ColorFromValue(quint32 value)
{
    return ColorFromValue(value, QGuiApplication::palette());
}

quint32 ValueFromColor(const QColor& color)
{
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}
