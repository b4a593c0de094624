// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFSections.h"

#include "cnf/CNFMessages.h"

namespace {
const QString kSource = QStringLiteral("CNFSections");
}

CNFSection& CNFSections::Add(const QString& name)
{
    return Append(std::make_unique<CNFSection>(name, Count() + 1), "Add");
}

CNFSection& CNFSections::AddRead(const QString& name, bool whole)
{
    return Append(std::make_unique<CNFSection>(name, Count() + 1, whole), "Add",
                  whole ? Present::Reuse : Present::Fail);
}

CNFSection& CNFSections::AddRead(const CNFRawText& raw, quint32 hash, bool whole)
{
    Prefetch(hash);
    return Append(std::make_unique<CNFSection>(raw, Count() + 1, whole), "Add",
                  whole ? Present::Reuse : Present::Fail, hash);
}

void CNFSections::ClearDirty()
{
    ClearChanged();
    for (CNFSection& section : *this)
        section.ClearDirty();
}

bool CNFSections::Dirty() const
{
    if (Changed())
        return true;
    for (const CNFSection& section : *this) {
        if (section.Dirty())
            return true;
    }
    return false;
}

void CNFSections::RaiseDuplicate(QStringView name, const char* procedure) const
{
    CNFMessages::RaiseText(CNFMessages::DuplicateName, kSource, QLatin1String(procedure),
                           QStringLiteral("Die Sektion '%1' ist bereits vorhanden.").arg(name));
}

void CNFSections::RaiseMissing(QStringView name, const char* procedure) const
{
    CNFMessages::Raise(CNFMessages::SectionNotFound, kSource, QLatin1String(procedure),
                       name.toString());
}

void CNFSections::RaiseOutOfRange(qint32 index, const char* procedure) const
{
    CNFMessages::RaiseText(CNFMessages::OutOfRange, kSource, QLatin1String(procedure),
                           QStringLiteral("Index außerhalb des gültigen Bereichs (%1 von %2).")
                               .arg(index)
                               .arg(Count()));
}
