// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/FoldedNameIndex.h"

#include "rename/RenameCheck.h"

#include <cstring>

// The key as RenameFoldKey makes it, and its hash.
quint64 FoldedNameIndex::MakeKey(QStringView name, Key& key)
{
    key.resize(name.size());
    std::memcpy(key.data(), name.utf16(), size_t(name.size()) * sizeof(char16_t));
    RenameFoldUnits(key.data(), key.size());
    quint64 hash = 14695981039346656037ull; // FNV-1a
    for (char16_t u : key)
        hash = (hash ^ u) * 1099511628211ull;
    return hash ^ (hash >> 29);
}

FoldedNameIndex::FoldedNameIndex(qsizetype expected)
{
    size_t size = 16;
    while (size < size_t(expected) * 2)
        size *= 2;
    m_slots.resize(size);
}

size_t FoldedNameIndex::Find(const Key& key, quint64 hash) const
{
    const size_t mask = m_slots.size() - 1;
    for (size_t i = size_t(hash) & mask;; i = (i + 1) & mask) {
        const Slot& slot = m_slots[i];
        if (slot.index < 0)
            return i;
        if (slot.hash != hash || slot.name.size() != key.size())
            continue;
        Key other;
        MakeKey(slot.name, other);
        if (std::memcmp(key.constData(), other.constData(), size_t(key.size()) * 2) == 0)
            return i;
    }
}

qsizetype FoldedNameIndex::Add(QStringView name, qsizetype index)
{
    Key key;
    const quint64 hash = MakeKey(name, key);
    Slot& slot = m_slots[Find(key, hash)];
    if (slot.index >= 0)
        return slot.index;
    slot = {name, hash, index};
    if (++m_used * 2 > qsizetype(m_slots.size()))
        Grow();
    return -1;
}

bool FoldedNameIndex::Contains(QStringView name) const
{
    Key key;
    const quint64 hash = MakeKey(name, key);
    return m_slots[Find(key, hash)].index >= 0;
}

void FoldedNameIndex::Grow()
{
    std::vector<Slot> old(m_slots.size() * 2);
    old.swap(m_slots);
    const size_t mask = m_slots.size() - 1;
    for (const Slot& slot : old) {
        if (slot.index < 0)
            continue;
        size_t i = size_t(slot.hash) & mask;
        while (m_slots[i].index >= 0)
            i = (i + 1) & mask;
        m_slots[i] = slot;
    }
}
