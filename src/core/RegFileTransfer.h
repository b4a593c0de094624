// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/RegFileDocument.h"

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
    // which line could not be applied.
    static bool importDocument(const RegFileDocument& document, QString& error,
                               Counts* counts = nullptr);

    // The key and everything below it, parents first, sub-keys by name; nothing
    // when the key does not exist.
    static std::optional<QList<RegFileKey>> exportKey(HKEY root, const QString& path);
    // The whole store, root by root; roots without values are left out as keys
    // (their sub-keys are not).
    static std::optional<QList<RegFileKey>> exportAll();
};
