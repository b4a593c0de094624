// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFNameIndex.h"

#include <QChar>

quint32 CNFNameIndex::Hash(QStringView name)
{
    quint32 hash = 2166136261u; // FNV-1a over case-folded code points
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        char32_t c = name[i].unicode();
        if (c < 0x80) {
            if (c - U'A' < 26u)
                c += U'a' - U'A';
        } else if (QChar::isHighSurrogate(c) && i + 1 < size && name[i + 1].isLowSurrogate()) {
            c = QChar::toCaseFolded(QChar::surrogateToUcs4(char16_t(c), name[++i].unicode()));
        } else {
            c = QChar::toCaseFolded(c);
        }
        hash = (hash ^ quint32(c)) * 16777619u;
    }
    return hash ^ (hash >> 15);
}

void CNFNameIndex::Reset()
{
    m_slots.reset();
    m_size = 0;
    m_used = 0;
}

void CNFNameIndex::Insert(quint32 hash, qint32 position)
{
    if ((m_used + 1) * 2 > m_size) {
        const std::unique_ptr<Slot[]> old = std::move(m_slots);
        const quint32 oldSize = m_size;
        m_size = oldSize == 0 ? 32 : oldSize * 2;
        m_slots = std::make_unique<Slot[]>(m_size);
        for (quint32 i = 0; i < oldSize; ++i) {
            if (old[i].position >= 0)
                Place(old[i]);
        }
    }
    Place(Slot{hash, position});
    ++m_used;
}

void CNFNameIndex::Place(const Slot& slot)
{
    const size_t mask = m_size - 1;
    size_t i = slot.hash & mask;
    while (m_slots[i].position >= 0)
        i = (i + 1) & mask;
    m_slots[i] = slot;
}
