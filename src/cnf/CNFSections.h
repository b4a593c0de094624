// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFCollection.h"
#include "cnf/CNFSection.h"
#include "cnf/CNFTextStore.h"

// The sections of a document, in the order they were added.
class CNFSections : public CNFCollection<CNFSection> {
public:
    CNFSections() = default;

    // A section with the next position as its index; brackets around the
    // name are dropped. A name already present (case ignored) fails.
    CNFSection& Add(const QString& name);
    // For the reader. With `whole` (whole key lines) the name is taken as
    // it is, brackets and all, and a name already present gives its section
    // back instead of failing. A `raw` name is decoded when first asked
    // for; `hash` is the CNFNameIndex::Hash of the name it gives.
    CNFSection& AddRead(const QString& name, bool whole);
    CNFSection& AddRead(const CNFRawText& raw, quint32 hash, bool whole);

    void ClearDirty();
    // The collection, a section or any of its keys changed.
    bool Dirty() const;

    // The text the keys' undecoded values point into.
    CNFTextStore& TextStore() { return m_store; }

protected:
    [[noreturn]] void RaiseDuplicate(QStringView name, const char* procedure) const override;
    [[noreturn]] void RaiseMissing(QStringView name, const char* procedure) const override;
    [[noreturn]] void RaiseOutOfRange(qint32 index, const char* procedure) const override;

private:
    CNFTextStore m_store;
};
