// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFCollection.h"
#include "cnf/CNFKey.h"

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

private:
    const CNFSection& m_section;
};
