// SPDX-License-Identifier: GPL-3.0-or-later
#include "dircomp/DirCompPairing.h"

#include "platform/FileNameCodec.h"

#include <QHash>
#include <QString>

namespace {
void pair(DirCompItems& source, qsizetype s, DirCompItems& dest, qsizetype d)
{
    source[s].partner = qint32(d);
    dest[d].partner = qint32(s);
    source[s].cls = SourceClass(source[s].stat, dest[d].stat);
    dest[d].cls = DirCompClass::Same;
}

void pairExactly(DirCompItems& source, DirCompItems& dest)
{
    qsizetype s = 0;
    qsizetype d = 0;
    while (s < qsizetype(source.size()) && d < qsizetype(dest.size())) {
        const int order = source[s].name.compare(dest[d].name);
        if (order == 0)
            pair(source, s++, dest, d++);
        else if (order < 0)
            ++s;
        else
            ++d;
    }
}

struct Group {
    QList<qsizetype> source;
    QList<qsizetype> dest;
};

void pairIgnoringCase(DirCompItems& source, DirCompItems& dest, const DirCompCase& rule)
{
    QHash<QByteArray, Group> groups;
    groups.reserve(qsizetype(source.size() + dest.size()));
    for (qsizetype i = 0; i < qsizetype(source.size()); ++i)
        groups[CaseKey(source[i].name)].source.append(i);
    for (qsizetype i = 0; i < qsizetype(dest.size()); ++i)
        groups[CaseKey(dest[i].name)].dest.append(i);
    for (const Group& group : std::as_const(groups)) {
        const qsizetype inSource = group.source.size();
        const qsizetype inDest = group.dest.size();
        if (inSource == 0)
            continue; // extra files, whatever their number
        if (inSource == 1 && inDest == 1) {
            pair(source, group.source.first(), dest, group.dest.first());
            continue;
        }
        // Two source files that would land on one destination file, or
        // names the source side cannot tell apart: none of them is touched.
        const bool landOnOne = inDest == 0 && inSource > 1 && rule.destIgnores;
        if (inDest == 0 && !landOnOne)
            continue;
        for (qsizetype s : group.source)
            source[s].conflict = true;
        for (qsizetype d : group.dest) {
            dest[d].conflict = true;
            dest[d].cls = DirCompClass::Same;
        }
    }
}
} // namespace

DirCompClass SourceClass(const EntryStat& source, const EntryStat& dest)
{
    if (source.mtimeSec < dest.mtimeSec)
        return DirCompClass::Same;
    if (source.mtimeSec == dest.mtimeSec && source.size == dest.size)
        return DirCompClass::Same;
    return DirCompClass::Differs;
}

QByteArray CaseKey(const QByteArray& name)
{
    if (IsUtf8FileName(name))
        return QString::fromUtf8(name).toCaseFolded().toUtf8();
    return name.toLower(); // ASCII letters only; other bytes stay
}

void PairAndClass(DirCompItems& source, DirCompItems& dest, DirCompCase caseRule)
{
    for (DirCompItem& item : source) {
        item.partner = -1;
        item.cls = DirCompClass::Differs;
        item.conflict = false;
    }
    for (DirCompItem& item : dest) {
        item.partner = -1;
        item.cls = DirCompClass::Extra;
        item.conflict = false;
    }
    if (caseRule.sourceIgnores || caseRule.destIgnores)
        pairIgnoringCase(source, dest, caseRule);
    else
        pairExactly(source, dest);
}
