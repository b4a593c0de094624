// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Which kind of registry file a document is, from the first line of its
// header, and where its keys hang.
enum class RegDialect {
    Version5, // "Windows Registry Editor Version 5.00", and anything unknown
    Regedit4, // "REGEDIT4": text inside binary values is Windows-1252
    Wine,     // "WINE REGISTRY Version 2": Wine's own system.reg, user.reg ...
};

struct RegFileHead {
    RegDialect dialect = RegDialect::Version5;
    // Wine files name their keys below a root ("All keys relative to ...");
    // the root's full key path, empty where the file has none.
    QString root;

    // From a document's header (its lines before the first section, joined
    // by "\n"). A Wine file of another version is refused with the program's
    // message, naming `shownName`.
    static RegFileHead FromHeader(const QString& header, const QString& shownName);
};
