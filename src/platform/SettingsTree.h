// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SettingsValue.h"

#include <QList>
#include <QStringList>

#include <optional>

class SettingsDatabase;

// The key tree of the settings store. A key is named by its root
// (0x80000000 to 0x80000003) and a path of names joined with "\"; an empty path
// is the root itself, one trailing "\" is ignored, an empty name inside the path
// makes it invalid. Key and value names compare ignoring case and keep the case
// they were first written with. Every call is one transaction of its own, or
// joins the transaction the caller holds open; none raises.
class SettingsTree {
public:
    explicit SettingsTree(SettingsDatabase& db);

    // As the Windows registry limits them.
    static constexpr int MaxKeyNameLength = 255;
    static constexpr int MaxKeyDepth = 512;

    static bool isRoot(quint32 root) { return root >= 0x80000000u && root <= 0x80000003u; }
    // The names of a key path, or nothing when the path is invalid.
    static std::optional<QStringList> splitPath(const QString& path);

    bool keyExists(quint32 root, const QString& path) const;
    // Creates the key and its missing parents.
    bool createKey(quint32 root, const QString& path) const;
    // Deletes a key with its values; refuses a root and a key that has sub-keys.
    bool deleteKey(quint32 root, const QString& path) const;
    // Deletes a key with everything below it; true when nothing is left of it.
    bool deleteTree(quint32 root, const QString& path) const;

    std::optional<QStringList> subKeys(quint32 root, const QString& path) const; // ordered by name
    std::optional<QList<SettingsValue>> values(quint32 root, const QString& path) const;
    std::optional<SettingsValue> value(quint32 root, const QString& path,
                                       const QString& name) const;
    bool counts(quint32 root, const QString& path, qint32& subKeyCount, qint32& valueCount) const;

    // Writes a value of type 1, 3 or 4. Without createKey the key must exist.
    // An existing value keeps its name's case and its place among the values.
    bool setValue(quint32 root, const QString& path, const SettingsValue& value,
                  bool createKey) const;
    bool deleteValue(quint32 root, const QString& path, const QString& name) const;
    // Moves the value to the new name in one step, replacing a value of that
    // name; a new name that differs only in case just changes the case.
    bool renameValue(quint32 root, const QString& path, const QString& oldName,
                     const QString& newName) const;

    struct KeyEntry {
        QString path; // below the root, names in their stored case
        QList<SettingsValue> values;
    };
    // The key and every key below it, parents before children, siblings by name.
    std::optional<QList<KeyEntry>> collectTree(quint32 root, const QString& path) const;

private:
    // The sub-key `name` of `parent`; null when missing, and then `failed`
    // tells a database failure from a key that is not there.
    std::optional<qint64> childKey(qint64 parent, const QString& name, bool& failed) const;
    std::optional<qint64> findKey(quint32 root, const QStringList& names) const;
    std::optional<qint64> makeKey(quint32 root, const QStringList& names) const;
    std::optional<qint64> existingKey(quint32 root, const QString& path) const;
    std::optional<QList<SettingsValue>> readValues(qint64 key) const;

    SettingsDatabase& m_db;
};
