// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/Registry.h"
#include "platform/SettingsValue.h"

#include <QList>

// The content of a registry export file (.reg): keys in file order, each with
// the values written below it. Deletions ("[-KEY]", "name"=-) are kept as such.
enum class RegFileFormat {
    Regedit4, // "REGEDIT4": 8-bit text
    Version5, // "Windows Registry Editor Version 5.00": UTF-16LE as regedit writes it
};

struct RegFileValue {
    SettingsValue value; // name, type and data; type and data unused for a deletion
    bool remove = false;
    int line = 0;
};

struct RegFileKey {
    HKEY root = 0;
    QString path; // below the root, as written
    bool remove = false;
    QList<RegFileValue> values;
    int line = 0;
};

struct RegFileDocument {
    RegFileFormat format = RegFileFormat::Version5;
    QList<RegFileKey> keys;
};
