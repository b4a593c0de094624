// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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
    static bool SameName(QStringView a, QStringView b)
    {
        return a.compare(b, Qt::CaseInsensitive) == 0;
    }

    bool IsBuilt() const { return m_size != 0; }
    void Reset();
    void Insert(quint32 hash, qint32 position);
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

    // Every section has an index of its keys, mostly never built: two
    // pointers' worth of room when empty.
    std::unique_ptr<Slot[]> m_slots; // m_size of them, a power of two, at most half used
    quint32 m_size = 0;
    quint32 m_used = 0;
};
