// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringView>

#include <memory>
#include <vector>

// Hands out one shared copy of texts that recur: the same key names and
// short values come back in section after section of a registry export, and
// sharing them spares an allocation each. The pool stays small: it takes
// only short texts, and stops taking new ones once it holds enough.
class CNFTextPool {
public:
    explicit CNFTextPool(qsizetype longest = 40) : m_longest(longest) {}

    QString Text(QStringView text);

private:
    static constexpr quint32 kSlots = 8192; // twice the texts it takes at most
    struct Slot {
        quint32 hash = 0;
        qint32 entry = -1; // -1: free
    };

    qsizetype m_longest;
    std::unique_ptr<Slot[]> m_slots;
    std::vector<QString> m_entries;
};
