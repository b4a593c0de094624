// SPDX-License-Identifier: GPL-3.0-or-later
#include "rename/RenameCheck.h"

#include "core/FilePattern.h"
#include "core/MessageTable.h"
#include "core/WorkerJob.h"
#include "core/cuAppError.h"
#include "platform/FileNameCodec.h"
#include "rename/FoldedNameIndex.h"
#include "rename/RenameCalc.h"

#include <QSet>

namespace {
constexpr qsizetype kLongestName = 255; // bytes, as the file systems allow
constexpr qsizetype kProgressEvery = 256;

// The status of a computed name that does not depend on the other files.
RenameStatus OwnStatus(const pRenFile& file)
{
    if (file.NewName.isEmpty() || file.NewName == file.OldName)
        return RenameStatus::Unchanged;
    if (file.NewName.contains(QLatin1Char('/')) || file.NewName.contains(QChar(0)))
        return RenameStatus::Char;
    if (file.NewName.startsWith(QLatin1Char('.')))
        return RenameStatus::Dot;
    if (file.NewBytes.size() > kLongestName)
        return RenameStatus::Long;
    return RenameStatus::Ok;
}

void Compute(const RenameCalc& calc, pRenFile& file, bool validUtf8, qint64& counter)
{
    if (!validUtf8) {
        file.Status = RenameStatus::Encoding;
        return;
    }
    try {
        file.NewName = calc.Calc(file.OldName, counter);
    } catch (const AppErrorRecord& e) {
        if (e.Number != cuAppError::ErrorBase + Msg::InvalidStartPosition)
            throw;
        file.Status = RenameStatus::Position;
        return;
    }
    file.NewBytes = EncodeFileName(file.NewName);
    file.Status = OwnStatus(file);
}

// Names collide ignoring case: whatever stays in the folder blocks its
// name; a file that will be renamed frees its old one (chains, swaps and
// cycles are done safely by the run).
void MarkCollisions(pRenFiles& files, const QList<QByteArray>& others)
{
    const pRenFiles& names = files; // read without copying: the indexes keep views
    QList<QString> otherNames;
    otherNames.reserve(others.size());
    for (const QByteArray& name : others)
        otherNames.append(DecodeFileName(name));
    FoldedNameIndex taken(otherNames.size());
    for (const QString& name : otherNames)
        taken.Add(name, 0);
    for (const pRenFile& file : names) {
        if (file.Status != RenameStatus::Ok)
            taken.Add(file.OldName, 0);
    }
    // The first file that wants each free name; a second one marks both.
    FoldedNameIndex wanted(names.Count());
    for (qsizetype i = 0; i < names.Count(); ++i) {
        const pRenFile& file = names.Item(i);
        if (file.Status != RenameStatus::Ok)
            continue;
        if (taken.Contains(file.NewName)) {
            files.Item(i).Status = RenameStatus::Exists;
            continue;
        }
        const qsizetype first = wanted.Add(file.NewName, i);
        if (first >= 0) {
            files.Item(i).Status = RenameStatus::Duplicate;
            files.Item(first).Status = RenameStatus::Duplicate;
        }
    }
}
} // namespace

void RenameFoldUnits(char16_t* units, qsizetype size)
{
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t u = units[i];
        if (u < 0x80) {
            if (u >= 'A' && u <= 'Z')
                units[i] = char16_t(u + 32);
        } else if (QChar::isHighSurrogate(u) && i + 1 < size &&
                   QChar::isLowSurrogate(units[i + 1])) {
            const char32_t folded = QChar::toCaseFolded(QChar::surrogateToUcs4(u, units[i + 1]));
            units[i] = QChar::highSurrogate(folded);
            units[++i] = QChar::lowSurrogate(folded);
        } else if (!QChar::isSurrogate(u)) {
            units[i] = char16_t(QChar::toCaseFolded(char32_t(u)));
        }
    }
}

QString RenameFoldKey(const QString& name)
{
    QString key = name;
    RenameFoldUnits(reinterpret_cast<char16_t*>(key.data()), key.size());
    return key;
}

RenameSource RenameSource::FromFolder(const QString& folder, const QString& mask)
{
    RenameSource source;
    source.listed = FolderListing::FileEntries(folder, FilePattern(mask), source.others);
    return source;
}

RenameSource RenameSource::FromNames(const QList<QByteArray>& names, const QString& mask)
{
    RenameSource source;
    const FilePattern pattern(mask);
    QSet<QByteArray> seen;
    for (const QByteArray& bytes : names) {
        if (seen.contains(bytes))
            continue;
        seen.insert(bytes);
        const QString name = DecodeFileName(bytes);
        if (bytes.startsWith('.') || !pattern.Matches(name))
            source.others.append(bytes);
        else
            source.listed.append({name, bytes, IsUtf8FileName(bytes)});
    }
    return source;
}

bool CheckRename(const RenameRule& rule, const RenameSource& source, qint64& counter,
                 pRenFiles& out, JobContext* context)
{
    out = pRenFiles();
    const RenameCalc calc(rule);
    const qsizetype total = source.listed.size();
    out.Reserve(total);
    for (qsizetype i = 0; i < total; ++i) {
        const FolderListing::Entry& entry = source.listed.at(i);
        if (context && i % kProgressEvery == 0) {
            if (context->cancelled())
                return false;
            context->progress(i, total, DisplayFileName(entry.name));
        }
        out.Add(entry.name, entry.bytes);
        Compute(calc, out.Item(out.Count() - 1), entry.validUtf8, counter);
    }
    MarkCollisions(out, source.others);
    for (qsizetype i = 0; i < out.Count(); ++i) {
        pRenFile& file = out.Item(i);
        file.Unchanged = file.Status == RenameStatus::Unchanged;
        file.Problem = IsRenameProblem(file.Status);
    }
    return true;
}
