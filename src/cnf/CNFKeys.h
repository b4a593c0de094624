// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFCollection.h"
#include "cnf/CNFKey.h"

#include "cnf/CNFTextStore.h"

class CNFSection;

// The keys of one section, in the order they were added.
class CNFKeys : public CNFCollection<CNFKey> {
public:
    explicit CNFKeys(const CNFSection& section) : m_section(section) {}

    // A key with the next position as its index. An empty name becomes that
    // index written with three digits ("001"). A name already present fails.
    CNFKey& Add(const QString& name, const QString& value);
    // The same for a "name=value" line (a line without "=" is all value);
    // blanks around name and value are dropped, nothing else is touched.
    CNFKey& AddLine(QStringView line);

    // For the reader: a key whose value stays in the document's text until
    // asked for (or, without `raw`, is `value`). With `named` false the name
    // is an automatic one the reader knows to be new, and is not looked up.
    CNFKey& AddRead(const QString& name, const QString& value, const CNFRawText& raw, bool named);
    // For the reader: a key line left in `store`, made a key when the keys
    // are first looked at. A name already present (line.hash and the names)
    // fails at once, as Add does; `counter` is the automatic name the line
    // gets when it has none.
    void AddPending(CNFTextStore& store, const CNFPendingLine& line, qint32 counter);
    // Pending lines join only keys that are all pending and whose lines
    // are the last ones in the store: a section's pending lines stand
    // together.
    bool TakesPending(const CNFTextStore& store) const
    {
        return Count() == m_pending && (m_pending == 0 || m_first + m_pending == store.Size());
    }

    // Clears the changed flags of the collection and of every key.
    void ClearDirty();
    // The collection or any of its keys changed.
    bool Dirty() const;

    // The three-digit name of automatic key number n.
    static QString CounterName(qint32 n);

protected:
    [[noreturn]] void RaiseDuplicate(QStringView name, const char* procedure) const override;
    [[noreturn]] void RaiseMissing(QStringView name, const char* procedure) const override;
    [[noreturn]] void RaiseOutOfRange(qint32 index, const char* procedure) const override;
    void MakePending() override;
    void DropPending() override;

private:
    struct Split {
        QString name; // empty: automatic
        QString value;
        CNFRawText raw;
    };
    Split SplitPending(const CNFPendingLine& line) const;
    QString PendingName(qint64 position, qint32 counter) const;
    void CheckPendingName(const CNFPendingLine& line, qint32 counter);

    const CNFSection& m_section;
    std::unique_ptr<CNFNameIndex> m_pendingIndex; // of the pending names, once there are many
    CNFTextStore* m_store = nullptr;              // where the pending lines are
    qint64 m_first = 0;                           // position of the first pending line in the store
    qint32 m_counterStart = 1; // the automatic name of the first nameless pending line
};
