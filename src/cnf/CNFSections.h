// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFCollection.h"
#include "cnf/CNFSection.h"

// The sections of a document, in the order they were added.
class CNFSections : public CNFCollection<CNFSection> {
public:
    CNFSections() = default;

    // A section with the next position as its index; brackets around the
    // name are dropped. A name already present (case ignored) fails.
    CNFSection& Add(const QString& name);

    void ClearDirty();
    // The collection, a section or any of its keys changed.
    bool Dirty() const;

protected:
    [[noreturn]] void RaiseDuplicate(QStringView name, const char* procedure) const override;
    [[noreturn]] void RaiseMissing(QStringView name, const char* procedure) const override;
    [[noreturn]] void RaiseOutOfRange(qint32 index, const char* procedure) const override;
};
