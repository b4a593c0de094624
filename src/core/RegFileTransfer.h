// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/RegFileDocument.h"
#include "core/RegFileReader.h"

#include <QString>

#include <optional>

// Moves .reg file contents into and out of the settings store.
class RegFileTransfer {
public:
    struct Counts {
        int keys = 0;
        int values = 0;
    };

    // Applies every change of the document in one transaction: a failure
    // anywhere leaves the store exactly as it was. `error` says, in German,
    // why: the store's own failure (read-only, disk full ...), or the line
    // the store refused.
    static bool importDocument(const RegFileDocument& document, QString& error,
                               Counts* counts = nullptr);
    // The same for the bytes of a .reg file, each key applied as it is read,
    // so that nothing but the bytes is held. Check the file first (a read
    // with a sink that takes every key), so that the store is locked only
    // for the writes; a fault found here still changes nothing. A fault of
    // the file is in `reader` (errorLine, errorText), one of the store in
    // `error`.
    static bool importFile(const QByteArray& bytes, RegFileReader& reader, QString& error,
                           Counts* counts = nullptr);

    // The key and everything below it, parents first, sub-keys by name; nothing
    // when the key does not exist.
    static std::optional<QList<RegFileKey>> exportKey(HKEY root, const QString& path);
    // The whole store, root by root; roots without values are left out as keys
    // (their sub-keys are not).
    static std::optional<QList<RegFileKey>> exportAll();
};
