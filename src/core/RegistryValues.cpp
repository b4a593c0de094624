// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegistryValues.h"

const RegistryValue& RegistryValues::Add(qint32 valueType, const QVariant& value,
                                         const QString& name, const QString& key)
{
    const bool filed = !key.isEmpty() && indexOfKey(key) < 0;
    m_values.emplace_back(valueType, value, name);
    m_keys.push_back(filed ? key.toCaseFolded() : QString());
    return m_values.back();
}

qint32 RegistryValues::indexOfKey(const QString& key) const
{
    if (key.isEmpty())
        return -1;
    const QString folded = key.toCaseFolded();
    for (size_t i = 0; i < m_keys.size(); ++i) {
        if (m_keys[i] == folded)
            return qint32(i);
    }
    return -1;
}

const RegistryValue* RegistryValues::Item(qint32 index) const
{
    if (index < 1 || index > Count())
        return nullptr;
    return &m_values[size_t(index - 1)];
}

const RegistryValue* RegistryValues::Item(const QString& key) const
{
    const qint32 at = indexOfKey(key);
    return at < 0 ? nullptr : &m_values[size_t(at)];
}

bool RegistryValues::Remove(qint32 index)
{
    if (index < 1 || index > Count())
        return false;
    m_values.erase(m_values.begin() + (index - 1));
    m_keys.erase(m_keys.begin() + (index - 1));
    return true;
}

bool RegistryValues::Remove(const QString& key)
{
    const qint32 at = indexOfKey(key);
    return at >= 0 && Remove(at + 1);
}
