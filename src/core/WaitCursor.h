// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

// The hourglass for as long as this lives, whatever happens meanwhile.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};
