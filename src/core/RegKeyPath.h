// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Registry.h"

#include <QString>

#include <optional>

// A key named with its root, as .reg files and the command line write it:
// "HKEY_CURRENT_USER\Software\X" or "HKCU\Software\X".
struct RegKeyPath {
    HKEY root = 0;
    QString path; // below the root; empty for the root itself

    // Nothing when the text does not begin with one of the four roots.
    static std::optional<RegKeyPath> parse(const QString& fullName);
    // "HKEY_CURRENT_USER" and so on; empty for an unknown handle.
    static QString rootName(HKEY root);
    QString fullName() const;
};
