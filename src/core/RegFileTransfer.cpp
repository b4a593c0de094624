// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileTransfer.h"

#include "platform/SettingsDatabase.h"
#include "platform/SettingsTree.h"

namespace {
QString applyError(int line)
{
    return QStringLiteral("Zeile %1 konnte nicht in die Einstellungen übernommen werden; es wurde "
                          "nichts geändert.")
        .arg(line);
}

bool applyKey(const SettingsTree& tree, const RegFileKey& key, RegFileTransfer::Counts& counts,
              int& failedLine)
{
    failedLine = key.line;
    if (key.remove)
        return tree.deleteTree(key.root, key.path);
    if (!tree.createKey(key.root, key.path))
        return false;
    ++counts.keys;
    for (const RegFileValue& entry : key.values) {
        failedLine = entry.line;
        if (entry.remove) {
            // Deleting a value that is not there is what the file asks for, not a fault.
            tree.deleteValue(key.root, key.path, entry.value.name);
            continue;
        }
        if (!tree.setValue(key.root, key.path, entry.value, true))
            return false;
        ++counts.values;
    }
    return true;
}
} // namespace

bool RegFileTransfer::importDocument(const RegFileDocument& document, QString& error,
                                     Counts* counts)
{
    SettingsDatabase& db = SettingsDatabase::instance();
    SettingsDatabase::Transaction txn(db, SettingsDatabase::Transaction::Write);
    if (!txn.isActive()) {
        error =
            QStringLiteral("Die Einstellungsdatei kann nicht beschrieben werden; es wurde nichts "
                           "geändert.");
        return false;
    }
    const SettingsTree tree(db);
    Counts done;
    for (const RegFileKey& key : document.keys) {
        int failedLine = 0;
        if (!applyKey(tree, key, done, failedLine)) {
            txn.fail();
            error = applyError(failedLine);
            return false;
        }
    }
    if (!txn.commit()) {
        error = QStringLiteral("Die Änderungen konnten nicht gespeichert werden; es wurde nichts "
                               "geändert.");
        return false;
    }
    if (counts)
        *counts = done;
    return true;
}

std::optional<QList<RegFileKey>> RegFileTransfer::exportKey(HKEY root, const QString& path)
{
    const std::optional<QList<SettingsTree::KeyEntry>> entries =
        SettingsTree(SettingsDatabase::instance()).collectTree(root, path);
    if (!entries)
        return std::nullopt;
    QList<RegFileKey> keys;
    keys.reserve(entries->size());
    for (const SettingsTree::KeyEntry& entry : *entries) {
        RegFileKey key;
        key.root = root;
        key.path = entry.path;
        for (const SettingsValue& value : entry.values)
            key.values.append({value, false, 0});
        keys.append(std::move(key));
    }
    return keys;
}

std::optional<QList<RegFileKey>> RegFileTransfer::exportAll()
{
    SettingsDatabase& db = SettingsDatabase::instance();
    // One snapshot for all four roots.
    SettingsDatabase::Transaction txn(db, SettingsDatabase::Transaction::Read);
    if (!txn.isActive())
        return std::nullopt;
    QList<RegFileKey> all;
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS}) {
        std::optional<QList<RegFileKey>> keys = exportKey(root, QString());
        if (!keys)
            return std::nullopt;
        if (!keys->isEmpty() && keys->first().values.isEmpty())
            keys->removeFirst();
        all += *keys;
    }
    return all;
}
