// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QVariant>

#include <memory>
#include <vector>

// One value of a key as RegArrayValuesEx lists it; filled once.
class RegistryValue {
public:
    RegistryValue(qint32 valueType, QVariant value, QString name)
        : m_name(std::move(name)), m_value(std::move(value)), m_type(valueType) {}
    const QString& Name() const { return m_name; }
    const QVariant& Value() const { return m_value; }
    qint32 ValueType() const { return m_type; }

private:
    QString m_name;
    QVariant m_value;
    qint32 m_type;
};

// Values in insertion order, found by name ignoring case. Index is 1-based as
// callers of the collection have always counted.
class RegistryValues {
public:
    const RegistryValue& Add(qint32 valueType, const QVariant& value, const QString& name,
                             const QString& key);
    qint32 Count() const { return qint32(m_items.size()); }
    const RegistryValue* Item(qint32 index) const;    // null outside 1..Count
    const RegistryValue* Item(const QString& key) const; // null when no such key
    bool Remove(qint32 index);
    bool Remove(const QString& key);

    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cend(); }

private:
    struct Entry {
        QString key; // lower-cased filing key, empty when filed without one
        RegistryValue value;
    };
    std::vector<Entry> m_items;

public:
    using const_iterator = std::vector<Entry>::const_iterator;
};
