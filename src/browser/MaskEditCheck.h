// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The checks of the mask input dialog, in the order the user meets them.
struct MaskEditCheck {
    qint32 message = 0; // 0: accepted; else 132, 133 or 134
    QString argument;   // the value for the message's "##"
    int field = -1;     // 0 name box, 1 extension box: where the focus goes

    static MaskEditCheck Run(const QString& name, const QString& extensions);
};
