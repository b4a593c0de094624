// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFNameIndex.h"

#include <QChar>
#include <QHashFunctions>

quint32 CNFNameIndex::Hash(QStringView name)
{
    // The case-folded code points, hashed with Qt's keyed hash and the
    // process's random seed: a document cannot pick names that share one
    // hash, which would make every lookup compare with all of them. Long
    // names are hashed in pieces, each keyed by the hash so far.
    constexpr qsizetype kPiece = 256;
    char32_t folded[kPiece];
    size_t hash = QHashSeed::globalSeed();
    qsizetype used = 0;
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
        folded[used++] = c;
        if (used == kPiece) {
            hash = qHashBits(folded, sizeof(folded), hash);
            used = 0;
        }
    }
    hash = qHashBits(folded, size_t(used) * sizeof(char32_t), hash);
    return quint32(hash ^ (quint64(hash) >> 32));
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
