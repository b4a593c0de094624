// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFTextPool.h"

QString CNFTextPool::Text(QStringView text)
{
    if (text.isEmpty())
        return QString();
    if (text.size() > m_longest)
        return text.toString();
    quint32 hash = 2166136261u;
    for (const QChar c : text)
        hash = (hash ^ c.unicode()) * 16777619u;
    hash ^= hash >> 13;
    if (!m_slots)
        m_slots = std::make_unique<Slot[]>(kSlots);
    quint32 i = hash & (kSlots - 1);
    for (; m_slots[i].entry >= 0; i = (i + 1) & (kSlots - 1)) {
        const Slot& slot = m_slots[i];
        if (slot.hash == hash && QStringView(m_entries[size_t(slot.entry)]) == text)
            return m_entries[size_t(slot.entry)];
    }
    QString copy = text.toString();
    if (m_entries.size() < kSlots / 2) {
        m_slots[i] = Slot{hash, qint32(m_entries.size())};
        m_entries.push_back(copy);
    }
    return copy;
}
