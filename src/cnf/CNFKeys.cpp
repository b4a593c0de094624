// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFKeys.h"

#include "cnf/CNFKeyLine.h"
#include "cnf/CNFMessages.h"
#include "cnf/CNFSection.h"

namespace {
const QString kSource = QStringLiteral("CNFKeys");
}

QString CNFKeys::CounterName(qint32 n)
{
    return QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0'));
}

CNFKey& CNFKeys::Add(const QString& name, const QString& value)
{
    const qint32 index = Count() + 1;
    return Append(
        std::make_unique<CNFKey>(name.isEmpty() ? CounterName(index) : name, value, index), "Add");
}

CNFKey& CNFKeys::AddLine(QStringView line)
{
    const CNFKeyLine::Options plain;
    const CNFKeyLine parsed = CNFKeyLine::Parse(line, plain);
    return Add(parsed.name.toString(), parsed.Value(plain));
}

void CNFKeys::ClearDirty()
{
    ClearChanged();
    for (CNFKey& key : *this)
        key.ClearDirty();
}

bool CNFKeys::Dirty() const
{
    if (Changed())
        return true;
    for (const CNFKey& key : *this) {
        if (key.Dirty())
            return true;
    }
    return false;
}

void CNFKeys::RaiseDuplicate(QStringView name, const char* procedure) const
{
    CNFMessages::RaiseText(
        CNFMessages::DuplicateName, kSource, QLatin1String(procedure),
        QStringLiteral("Der Schlüssel '%1' ist in der Sektion '%2' bereits vorhanden.")
            .arg(name, m_section.Name()));
}

void CNFKeys::RaiseMissing(QStringView name, const char* procedure) const
{
    CNFMessages::RaiseText(
        CNFMessages::InvalidArgument, kSource, QLatin1String(procedure),
        QStringLiteral("Der Schlüssel '%1' ist in der Sektion '%2' nicht vorhanden.")
            .arg(name, m_section.Name()));
}

void CNFKeys::RaiseOutOfRange(qint32 index, const char* procedure) const
{
    CNFMessages::RaiseText(CNFMessages::OutOfRange, kSource, QLatin1String(procedure),
                           QStringLiteral("Index außerhalb des gültigen Bereichs (%1 von %2).")
                               .arg(index)
                               .arg(Count()));
}
