// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileTransfer.h"

#include "platform/SettingsDatabase.h"
#include "platform/SettingsTree.h"
#include "platform/SqlStatement.h"

namespace {
// The store's own failure where there was one, else the line it refused.
QString applyError(int line)
{
    const SqlStatement::Failure failure = SqlStatement::lastFailure();
    if (failure.code != 0)
        return QStringLiteral("Die Einstellungen können nicht geändert werden: %1; es wurde "
                              "nichts geändert.")
            .arg(SqlStatement::errorText(failure));
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

// Runs `apply` (which hands keys to the function it is given) in one write
// transaction.
template <typename Apply>
bool applyInTransaction(Apply apply, QString& error, RegFileTransfer::Counts* counts)
{
    SqlStatement::clearLastFailure();
    SettingsDatabase& db = SettingsDatabase::instance();
    SettingsDatabase::Transaction txn(db, SettingsDatabase::Transaction::Write);
    if (!txn.isActive()) {
        const SqlStatement::Failure failure = SqlStatement::lastFailure();
        error = QStringLiteral("Die Einstellungsdatei kann nicht beschrieben werden%1; es wurde "
                               "nichts geändert.")
                    .arg(failure.code ? QStringLiteral(": ") + SqlStatement::errorText(failure)
                                      : QString());
        return false;
    }
    const SettingsTree tree(db);
    RegFileTransfer::Counts done;
    int failedLine = 0;
    const auto one = [&](const RegFileKey& key) { return applyKey(tree, key, done, failedLine); };
    if (!apply(one)) {
        txn.fail();
        error = applyError(failedLine);
        return false;
    }
    if (!txn.commit()) {
        error = QStringLiteral("Die Änderungen konnten nicht gespeichert werden: %1; es wurde "
                               "nichts geändert.")
                    .arg(SqlStatement::errorText(SqlStatement::lastFailure()));
        return false;
    }
    if (counts)
        *counts = done;
    return true;
}
} // namespace

bool RegFileTransfer::importDocument(const RegFileDocument& document, QString& error,
                                     Counts* counts)
{
    const auto apply = [&](const auto& one) {
        for (const RegFileKey& key : document.keys) {
            if (!one(key))
                return false;
        }
        return true;
    };
    return applyInTransaction(apply, error, counts);
}

bool RegFileTransfer::importFile(const QByteArray& bytes, RegFileReader& reader, QString& error,
                                 Counts* counts)
{
    const auto apply = [&](const auto& one) { return reader.read(bytes, one); };
    if (applyInTransaction(apply, error, counts))
        return true;
    if (!reader.errorText().isEmpty())
        error = QStringLiteral("Zeile %1: %2 Es wurde nichts geändert.")
                    .arg(reader.errorLine())
                    .arg(reader.errorText());
    return false;
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
