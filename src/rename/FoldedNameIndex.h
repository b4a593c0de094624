// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <QVarLengthArray>

#include <vector>

// Names under their case-blind key (RenameFoldKey), each with the index of
// the first name added under it, without making the keys: the check of a
// large folder would otherwise copy every name once more. The names added
// must outlive the index.
class FoldedNameIndex {
public:
    explicit FoldedNameIndex(qsizetype expected);

    // The index given with the first name of the same key, or -1 when the
    // key is new (then `index` is kept for it).
    qsizetype Add(QStringView name, qsizetype index);
    bool Contains(QStringView name) const;

private:
    // A file name is at most 255 bytes, so its key fits on the stack; a
    // longer name (from standard input) takes the heap.
    using Key = QVarLengthArray<char16_t, 256>;
    struct Slot {
        QStringView name; // the first name added under the key
        quint64 hash = 0;
        qsizetype index = -1; // -1: an empty slot
    };

    static quint64 MakeKey(QStringView name, Key& key);
    // The slot holding the key, or the empty one where it goes.
    size_t Find(const Key& key, quint64 hash) const;
    void Grow();

    std::vector<Slot> m_slots; // open addressing, a power of two in size
    qsizetype m_used = 0;
};
