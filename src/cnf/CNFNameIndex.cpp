// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFNameIndex.h"

#include <QChar>
#include <QHashFunctions>

#include <cstring>

namespace {
// The case-folded code points, hashed with Qt's keyed hash and the process's
// random seed: a document cannot pick names that share one hash, which would
// make every lookup compare with all of them. Long names are hashed in
// pieces, each keyed by the hash so far; a piece of ASCII alone is hashed as
// bytes, a quarter of the work. Names equal but for case fold to the same
// code points, so they make the same pieces and the same choices.
class FoldedHash {
public:
    void Add(char32_t folded)
    {
        m_folded[m_used] = folded;
        m_bytes[m_used] = char(folded);
        m_wide |= folded >= 0x80;
        if (++m_used == kPiece)
            Flush();
    }
    void AddAscii(char folded)
    {
        m_bytes[m_used] = folded;
        if (++m_used == kPiece)
            Flush();
    }
    quint32 Finish()
    {
        Flush();
        return quint32(m_hash ^ (quint64(m_hash) >> 32));
    }

private:
    void Flush()
    {
        m_hash = m_wide ? qHashBits(m_folded, size_t(m_used) * sizeof(char32_t), m_hash)
                        : qHashBits(m_bytes, size_t(m_used), m_hash);
        m_used = 0;
        m_wide = false;
    }

    static constexpr qsizetype kPiece = 256;
    char32_t m_folded[kPiece];
    char m_bytes[kPiece];
    size_t m_hash = QHashSeed::globalSeed();
    qsizetype m_used = 0;
    bool m_wide = false;
};

char32_t foldAscii(char32_t c)
{
    return c - U'A' < 26u ? c + (U'a' - U'A') : c;
}
} // namespace

quint32 CNFNameIndex::Hash(QStringView name)
{
    bool ascii = true;
    for (const QChar c : name)
        ascii &= c.unicode() < 0x80;
    if (ascii)
        return HashAscii(name);
    FoldedHash hash;
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char32_t c = name[i].unicode();
        if (c < 0x80)
            hash.Add(foldAscii(c));
        else if (QChar::isHighSurrogate(c) && i + 1 < size && name[i + 1].isLowSurrogate())
            hash.Add(QChar::toCaseFolded(QChar::surrogateToUcs4(char16_t(c), name[++i].unicode())));
        else
            hash.Add(QChar::toCaseFolded(c));
    }
    return hash.Finish();
}

namespace {
// Eight letters at a time: a byte from 'A' to 'Z' gains 0x20. Adding
// 0x80 - 'A' to a 7-bit byte sets its top bit from 'A' up, adding
// 0x80 - 'Z' - 1 from past 'Z' up; no byte carries into the next.
quint64 foldAsciiWord(quint64 word)
{
    constexpr quint64 kOnes = 0x0101010101010101ull;
    const quint64 low = word & (kOnes * 0x7F);
    const quint64 upper =
        (low + kOnes * (0x80 - 'A')) & ~(low + kOnes * (0x80 - 'Z' - 1)) & (kOnes * 0x80);
    return word | upper >> 2;
}

template <typename Unit> quint32 hashAscii(const Unit* name, qsizetype size)
{
    FoldedHash hash;
    qsizetype i = 0;
    for (; i + 8 <= size; i += 8) {
        char bytes[8];
        for (int k = 0; k < 8; ++k)
            bytes[k] = char(name[i + k]);
        quint64 word;
        std::memcpy(&word, bytes, 8);
        word = foldAsciiWord(word);
        std::memcpy(bytes, &word, 8);
        for (const char byte : bytes)
            hash.AddAscii(byte);
    }
    for (; i < size; ++i) {
        const char byte = char(name[i]);
        hash.AddAscii(unsigned(byte - 'A') < 26u ? char(byte + ('a' - 'A')) : byte);
    }
    return hash.Finish();
}
} // namespace

quint32 CNFNameIndex::HashAscii(QByteArrayView name)
{
    return hashAscii(name.data(), name.size());
}

quint32 CNFNameIndex::HashAscii(QStringView name)
{
    return hashAscii(name.utf16(), name.size());
}

void CNFNameIndex::Release()
{
    m_slots.reset();
    m_size = 0;
    m_used = 0;
}

void CNFNameIndex::Insert(quint32 hash, qint32 position)
{
    MakeRoom();
    Place(Slot{hash, position});
    ++m_used;
}

void CNFNameIndex::MakeRoom()
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
}

void CNFNameIndex::Place(const Slot& slot)
{
    const size_t mask = m_size - 1;
    size_t i = slot.hash & mask;
    while (m_slots[i].position >= 0)
        i = (i + 1) & mask;
    m_slots[i] = slot;
}
