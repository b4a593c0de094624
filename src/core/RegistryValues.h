// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariant>

#include <deque>

// One value of a key as RegArrayValuesEx lists it; filled once.
class RegistryValue {
public:
    RegistryValue(qint32 valueType, QVariant value, QString name)
        : m_name(std::move(name)), m_value(std::move(value)), m_type(valueType)
    {
    }
    const QString& Name() const { return m_name; }
    const QVariant& Value() const { return m_value; }
    qint32 ValueType() const { return m_type; }

private:
    QString m_name;
    QVariant m_value;
    qint32 m_type;
};

// Values in insertion order, found by name ignoring case. Index is 1-based as
// callers of the collection have always counted. A reference Add returns stays
// valid until the next Remove.
class RegistryValues {
public:
    // Files the value under `key` unless the key is empty or already taken; a
    // value filed without a key is reached by index only.
    const RegistryValue& Add(qint32 valueType, const QVariant& value, const QString& name,
                             const QString& key);
    qint32 Count() const { return qint32(m_values.size()); }
    const RegistryValue* Item(qint32 index) const;       // null outside 1..Count
    const RegistryValue* Item(const QString& key) const; // null when no such key
    bool Remove(qint32 index);
    bool Remove(const QString& key);

    // Enumeration in insertion order.
    auto begin() const { return m_values.cbegin(); }
    auto end() const { return m_values.cend(); }

private:
    qint32 indexOfKey(const QString& key) const; // 0-based, -1 when absent

    std::deque<RegistryValue> m_values;
    std::deque<QString> m_keys; // case-folded filing key per value, empty when none
};
