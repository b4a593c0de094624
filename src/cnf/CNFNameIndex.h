// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <memory>

// A hash table from names (case ignored) to positions in a collection, so
// that finding a name and refusing a duplicate stay constant-time however
// many sections or keys a document holds. It keeps only hashes and
// positions; the caller compares the names behind a hash.
class CNFNameIndex {
public:
    // Equal for names that are equal ignoring case (simple case folding, the
    // rule QString::compare uses).
    static quint32 Hash(QStringView name);
    // The same for a name of ASCII characters alone.
    static quint32 HashAscii(QByteArrayView name);
    static quint32 HashAscii(QStringView name);
    static bool SameName(QStringView a, QStringView b)
    {
        // Names looked up mostly match exactly, which is quick to see.
        if (a.size() == b.size() && a == b)
            return true;
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }

    bool IsBuilt() const { return m_size != 0; }
    // Starts loading the slot a lookup of `hash` reads first: in a large
    // table it is far from the processor, and the caller has work to do
    // meanwhile.
    void Prefetch(quint32 hash) const
    {
        if (m_size != 0)
            __builtin_prefetch(&m_slots[hash & (m_size - 1)]);
    }
    void Reset()
    {
        if (m_size != 0)
            Release();
    }
    void Insert(quint32 hash, qint32 position);
    // Files `position` under `hash` unless a position filed under it
    // matches first; returns that one, or -1 when `position` was filed. One
    // probe of the table instead of two.
    template <typename Matches> qint32 FindOrInsert(quint32 hash, qint32 position, Matches matches)
    {
        MakeRoom();
        const size_t mask = m_size - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            Slot& slot = m_slots[i];
            if (slot.position < 0) {
                slot = Slot{hash, position};
                ++m_used;
                return -1;
            }
            if (slot.hash == hash && matches(slot.position))
                return slot.position;
        }
    }
    // The first position filed under `hash` for which matches(position) is
    // true, or -1.
    template <typename Matches> qint32 Find(quint32 hash, Matches matches) const
    {
        if (m_size == 0)
            return -1;
        const size_t mask = m_size - 1;
        for (size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = m_slots[i];
            if (slot.position < 0)
                return -1;
            if (slot.hash == hash && matches(slot.position))
                return slot.position;
        }
    }

private:
    struct Slot {
        quint32 hash = 0;
        qint32 position = -1; // -1: free
    };
    void Place(const Slot& slot);
    void Release();
    // Room for one more position.
    void MakeRoom();

    // Every section has an index of its keys, mostly never built: two
    // pointers' worth of room when empty.
    std::unique_ptr<Slot[]> m_slots; // m_size of them, a power of two, at most half used
    quint32 m_size = 0;
    quint32 m_used = 0;
};
