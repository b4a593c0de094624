// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SettingsTree.h"

#include "platform/SettingsDatabase.h"
#include "platform/SqlStatement.h"

#include <sqlite3.h>

#include <utility>
#include <vector>

namespace {
using Txn = SettingsDatabase::Transaction;

QByteArray fold(const QString& name)
{
    return name.toCaseFolded().toUtf8();
}

qint64 rootKeyId(quint32 root)
{
    return qint64(root - 0x80000000u) + 1;
}

void bindData(SqlStatement& statement, int index, const SettingsValue& value)
{
    if (value.type == SettingsValue::Text)
        statement.bindUtf8(index, value.data);
    else if (value.type == SettingsValue::Dword)
        statement.bind(index, qint64(value.toDword()));
    else
        statement.bindBlob(index, value.data);
}

// Columns: name, type, data.
SettingsValue rowValue(const SqlStatement& row)
{
    SettingsValue value;
    value.name = row.text(0);
    value.type = qint32(row.int64(1));
    if (row.columnType(2) == SQLITE_INTEGER)
        value.data = SettingsValue::dword({}, quint32(row.int64(2))).data;
    else
        value.data = row.bytes(2);
    return value;
}

QString joinPath(const QString& parent, const QString& name)
{
    return parent.isEmpty() ? name : parent + QLatin1Char('\\') + name;
}
} // namespace

SettingsTree::SettingsTree(SettingsDatabase& db) : m_db(db) {}

std::optional<QStringList> SettingsTree::splitPath(const QString& path)
{
    if (path.isEmpty())
        return QStringList();
    QStringList names = path.split(QLatin1Char('\\'));
    if (names.size() > 1 && names.last().isEmpty())
        names.removeLast();
    if (names.size() > MaxKeyDepth)
        return std::nullopt;
    for (const QString& name : names) {
        if (name.isEmpty() || name.size() > MaxKeyNameLength)
            return std::nullopt;
    }
    return names;
}

std::optional<qint64> SettingsTree::childKey(qint64 parent, const QString& name, bool& failed) const
{
    SqlStatement find(m_db.handle(), "SELECT id FROM reg_keys WHERE parent = ?1 AND fold = ?2");
    find.bind(1, parent).bindUtf8(2, fold(name));
    if (find.step())
        return find.int64(0);
    failed = find.failed();
    return std::nullopt;
}

std::optional<qint64> SettingsTree::findKey(quint32 root, const QStringList& names) const
{
    qint64 id = rootKeyId(root);
    for (const QString& name : names) {
        bool failed = false;
        const std::optional<qint64> child = childKey(id, name, failed);
        if (!child)
            return std::nullopt;
        id = *child;
    }
    return id;
}

std::optional<qint64> SettingsTree::makeKey(quint32 root, const QStringList& names) const
{
    qint64 id = rootKeyId(root);
    for (const QString& name : names) {
        bool failed = false;
        if (const std::optional<qint64> child = childKey(id, name, failed)) {
            id = *child;
            continue;
        }
        if (failed)
            return std::nullopt;
        SqlStatement insert(m_db.handle(),
                            "INSERT INTO reg_keys(parent, name, fold) VALUES(?1, ?2, ?3)");
        insert.bind(1, id).bindText(2, name).bindUtf8(3, fold(name));
        if (!insert.exec())
            return std::nullopt;
        id = sqlite3_last_insert_rowid(m_db.handle());
    }
    return id;
}

std::optional<qint64> SettingsTree::existingKey(quint32 root, const QString& path) const
{
    const std::optional<QStringList> names = splitPath(path);
    if (!isRoot(root) || !names)
        return std::nullopt;
    return findKey(root, *names);
}

std::optional<QList<SettingsValue>> SettingsTree::readValues(qint64 key) const
{
    SqlStatement rows(m_db.handle(),
                      "SELECT name, type, data FROM reg_values WHERE key = ?1 ORDER BY rowid");
    rows.bind(1, key);
    QList<SettingsValue> values;
    while (rows.step())
        values.append(rowValue(rows));
    if (rows.failed())
        return std::nullopt;
    return values;
}

bool SettingsTree::keyExists(quint32 root, const QString& path) const
{
    Txn txn(m_db, Txn::Read);
    return txn.isActive() && existingKey(root, path).has_value();
}

bool SettingsTree::createKey(quint32 root, const QString& path) const
{
    const std::optional<QStringList> names = splitPath(path);
    if (!isRoot(root) || !names)
        return false;
    Txn txn(m_db, Txn::Write);
    if (!txn.isActive())
        return false;
    if (!makeKey(root, *names)) {
        txn.fail();
        return false;
    }
    return txn.commit();
}

bool SettingsTree::deleteKey(quint32 root, const QString& path) const
{
    Txn txn(m_db, Txn::Write);
    if (!txn.isActive())
        return false;
    const std::optional<qint64> key = existingKey(root, path);
    if (!key || *key == rootKeyId(root)) {
        txn.commit();
        return false;
    }
    SqlStatement children(m_db.handle(), "SELECT 1 FROM reg_keys WHERE parent = ?1 LIMIT 1");
    children.bind(1, *key);
    const bool hasChildren = children.step();
    if (hasChildren || children.failed()) {
        txn.commit();
        return false;
    }
    SqlStatement values(m_db.handle(), "DELETE FROM reg_values WHERE key = ?1");
    SqlStatement self(m_db.handle(), "DELETE FROM reg_keys WHERE id = ?1");
    if (!values.bind(1, *key).exec() || !self.bind(1, *key).exec()) {
        txn.fail();
        return false;
    }
    return txn.commit();
}

bool SettingsTree::deleteTree(quint32 root, const QString& path) const
{
    if (!isRoot(root) || !splitPath(path))
        return false;
    Txn txn(m_db, Txn::Write);
    if (!txn.isActive())
        return false;
    const std::optional<qint64> key = existingKey(root, path);
    if (!key)
        return txn.commit();
    if (*key == rootKeyId(root)) {
        txn.commit();
        return false;
    }
    SqlStatement values(m_db.handle(),
                        "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL SELECT reg_keys.id FROM "
                        "reg_keys JOIN sub ON reg_keys.parent = sub.id) "
                        "DELETE FROM reg_values WHERE key IN sub");
    SqlStatement keys(m_db.handle(),
                      "WITH RECURSIVE sub(id) AS (SELECT ?1 UNION ALL SELECT reg_keys.id FROM "
                      "reg_keys JOIN sub ON reg_keys.parent = sub.id) "
                      "DELETE FROM reg_keys WHERE id IN sub");
    if (!values.bind(1, *key).exec() || !keys.bind(1, *key).exec()) {
        txn.fail();
        return false;
    }
    return txn.commit();
}

std::optional<QStringList> SettingsTree::subKeys(quint32 root, const QString& path) const
{
    Txn txn(m_db, Txn::Read);
    if (!txn.isActive())
        return std::nullopt;
    const std::optional<qint64> key = existingKey(root, path);
    if (!key)
        return std::nullopt;
    SqlStatement rows(m_db.handle(),
                      "SELECT name FROM reg_keys WHERE parent = ?1 ORDER BY fold, name");
    rows.bind(1, *key);
    QStringList names;
    while (rows.step())
        names.append(rows.text(0));
    if (rows.failed())
        return std::nullopt;
    return names;
}

std::optional<QList<SettingsValue>> SettingsTree::values(quint32 root, const QString& path) const
{
    Txn txn(m_db, Txn::Read);
    if (!txn.isActive())
        return std::nullopt;
    const std::optional<qint64> key = existingKey(root, path);
    if (!key)
        return std::nullopt;
    return readValues(*key);
}

std::optional<SettingsValue> SettingsTree::value(quint32 root, const QString& path,
                                                 const QString& name) const
{
    Txn txn(m_db, Txn::Read);
    if (!txn.isActive())
        return std::nullopt;
    const std::optional<qint64> key = existingKey(root, path);
    if (!key)
        return std::nullopt;
    SqlStatement row(m_db.handle(),
                     "SELECT name, type, data FROM reg_values WHERE key = ?1 AND fold = ?2");
    row.bind(1, *key).bindUtf8(2, fold(name));
    if (!row.step())
        return std::nullopt;
    return rowValue(row);
}

bool SettingsTree::counts(quint32 root, const QString& path, qint32& subKeyCount,
                          qint32& valueCount) const
{
    Txn txn(m_db, Txn::Read);
    if (!txn.isActive())
        return false;
    const std::optional<qint64> key = existingKey(root, path);
    if (!key)
        return false;
    SqlStatement keys(m_db.handle(), "SELECT count(*) FROM reg_keys WHERE parent = ?1");
    SqlStatement values(m_db.handle(), "SELECT count(*) FROM reg_values WHERE key = ?1");
    if (!keys.bind(1, *key).step() || !values.bind(1, *key).step())
        return false;
    subKeyCount = qint32(keys.int64(0));
    valueCount = qint32(values.int64(0));
    return true;
}

bool SettingsTree::setValue(quint32 root, const QString& path, const SettingsValue& value,
                            bool createKey) const
{
    const std::optional<QStringList> names = splitPath(path);
    if (!isRoot(root) || !names || !SettingsValue::isKnownType(value.type) ||
        (value.type == SettingsValue::Dword && value.data.size() != 4))
        return false;
    Txn txn(m_db, Txn::Write);
    if (!txn.isActive())
        return false;
    const std::optional<qint64> key = createKey ? makeKey(root, *names) : findKey(root, *names);
    if (!key) {
        if (createKey)
            txn.fail();
        else
            txn.commit();
        return false;
    }
    SqlStatement upsert(
        m_db.handle(),
        "INSERT INTO reg_values(key, name, fold, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
        "ON CONFLICT(key, fold) DO UPDATE SET type = excluded.type, data = excluded.data");
    upsert.bind(1, *key).bindText(2, value.name).bindUtf8(3, fold(value.name)).bind(4, value.type);
    bindData(upsert, 5, value);
    if (!upsert.exec()) {
        txn.fail();
        return false;
    }
    return txn.commit();
}

bool SettingsTree::deleteValue(quint32 root, const QString& path, const QString& name) const
{
    Txn txn(m_db, Txn::Write);
    if (!txn.isActive())
        return false;
    const std::optional<qint64> key = existingKey(root, path);
    if (!key) {
        txn.commit();
        return false;
    }
    SqlStatement remove(m_db.handle(), "DELETE FROM reg_values WHERE key = ?1 AND fold = ?2");
    if (!remove.bind(1, *key).bindUtf8(2, fold(name)).exec()) {
        txn.fail();
        return false;
    }
    const bool removed = sqlite3_changes(m_db.handle()) > 0;
    return txn.commit() && removed;
}

bool SettingsTree::renameValue(quint32 root, const QString& path, const QString& oldName,
                               const QString& newName) const
{
    Txn txn(m_db, Txn::Write);
    if (!txn.isActive())
        return false;
    const std::optional<qint64> key = existingKey(root, path);
    SqlStatement find(m_db.handle(), "SELECT rowid FROM reg_values WHERE key = ?1 AND fold = ?2");
    if (!key || !find.bind(1, *key).bindUtf8(2, fold(oldName)).step()) {
        if (find.failed())
            txn.fail();
        else
            txn.commit();
        return false;
    }
    const qint64 row = find.int64(0);
    if (fold(newName) != fold(oldName)) {
        SqlStatement replaced(m_db.handle(), "DELETE FROM reg_values WHERE key = ?1 AND fold = ?2");
        if (!replaced.bind(1, *key).bindUtf8(2, fold(newName)).exec()) {
            txn.fail();
            return false;
        }
    }
    SqlStatement rename(m_db.handle(),
                        "UPDATE reg_values SET name = ?1, fold = ?2 WHERE rowid = ?3");
    if (!rename.bindText(1, newName).bindUtf8(2, fold(newName)).bind(3, row).exec()) {
        txn.fail();
        return false;
    }
    return txn.commit();
}

std::optional<QList<SettingsTree::KeyEntry>> SettingsTree::collectTree(quint32 root,
                                                                       const QString& path) const
{
    const std::optional<QStringList> names = splitPath(path);
    if (!isRoot(root) || !names)
        return std::nullopt;
    Txn txn(m_db, Txn::Read);
    if (!txn.isActive())
        return std::nullopt;
    // Walk down once more to learn each name's stored case.
    qint64 id = rootKeyId(root);
    QString storedPath;
    for (const QString& name : *names) {
        SqlStatement find(m_db.handle(),
                          "SELECT id, name FROM reg_keys WHERE parent = ?1 AND fold = ?2");
        if (!find.bind(1, id).bindUtf8(2, fold(name)).step())
            return std::nullopt;
        id = find.int64(0);
        storedPath = joinPath(storedPath, find.text(1));
    }
    // An explicit stack: a file may have built a tree deeper than any call stack likes.
    QList<KeyEntry> entries;
    std::vector<std::pair<qint64, QString>> pending{{id, storedPath}};
    while (!pending.empty()) {
        auto [key, keyPath] = std::move(pending.back());
        pending.pop_back();
        std::optional<QList<SettingsValue>> values = readValues(key);
        if (!values)
            return std::nullopt;
        entries.append({keyPath, std::move(*values)});
        SqlStatement children(m_db.handle(), "SELECT id, name FROM reg_keys WHERE parent = ?1 "
                                             "ORDER BY fold DESC, name DESC");
        children.bind(1, key);
        while (children.step())
            pending.emplace_back(children.int64(0), joinPath(keyPath, children.text(1)));
        if (children.failed())
            return std::nullopt;
    }
    return entries;
}
