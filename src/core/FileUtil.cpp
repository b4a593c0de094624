// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FileUtil.h"

#include "core/FilePattern.h"
#include "core/FolderListing.h"
#include "core/PathUtil.h"
#include "core/TextUtil.h"
#include "platform/FileTimes.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace {
bool entryExists(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

// The patterns of a dialog filter: every second element, each of which may
// hold several patterns joined by ";".
QStringList patternsOfFilter(const QString& filter)
{
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList patterns;
    for (qsizetype i = 1; i < parts.size(); i += 2)
        for (const QString& one : parts.at(i).split(QLatin1Char(';')))
            if (!one.trimmed().isEmpty())
                patterns << one.trimmed();
    return patterns;
}
} // namespace

bool FileExists(const QString& path)
{
    const QString bare = StripQuotes(path);
    if (bare.isEmpty())
        return false;
    const QFileInfo info(bare);
    return info.exists() && !info.isDir();
}

bool FolderExists(const QString& path)
{
    const QString bare = StripQuotes(path);
    return !bare.isEmpty() && QFileInfo(bare).isDir();
}

bool FolderExistsNoQuotes(const QString& path)
{
    return !path.isEmpty() && QFileInfo(AddTrailing(path, QLatin1Char('/'))).isDir();
}

QString LongName(const QString& path)
{
    if (path.isEmpty() || !entryExists(path))
        return {};
    QString bare = path;
    while (bare.size() > 1 && bare.endsWith(QLatin1Char('/')))
        bare.chop(1);
    if (bare == QLatin1String("/"))
        return bare;
    return FileNameOf(bare);
}

QString LongPathName(const QString& path)
{
    return (!path.isEmpty() && entryExists(path)) ? path : QString();
}

qint32 FindFilesByMasks(const QString& folder, const QString& filter, QStringList& files)
{
    if (folder.isEmpty() || filter.isEmpty())
        return 0;
    const QStringList patterns = patternsOfFilter(filter);
    QStringList names =
        QDir(AddTrailing(folder, QLatin1Char('/'))).entryList(QDir::Files | QDir::Hidden);
    FolderListing::SortNames(names);

    QSet<QString> listed(files.cbegin(), files.cend());
    bool matched = false;
    for (const QString& pattern : patterns) {
        for (const QString& name : names) {
            if (!FilePattern(pattern).Matches(name))
                continue;
            matched = true;
            if (!listed.contains(name)) {
                listed.insert(name);
                files << name;
            }
        }
    }
    return matched ? qint32(files.size()) : -1;
}

QDateTime GetFileTimeDate(const QString& path, qint32 which)
{
    if (which < ftCreation || which > ftLastWrite)
        return {};
    const auto stamp = FileTimes::read(path, FileTimes::Which(which));
    if (!stamp)
        return {};
    return FileTimes::toLocal({stamp->seconds, 0});
}

bool SetFileTimeDate(const QString& path, qint32 which, const QDateTime& value, bool midnightOnly)
{
    if (which < ftCreation || which > ftLastWrite)
        return false;
    if (!FileTimes::read(path, FileTimes::Modification))
        return false;
    QDateTime wanted;
    if (midnightOnly) {
        const auto current = FileTimes::read(path, FileTimes::Which(which));
        if (!current)
            return false;
        const QDateTime local = FileTimes::toLocal(*current);
        if (!local.isValid())
            return false;
        wanted = QDateTime(local.date(), QTime(0, 0), Qt::LocalTime);
    } else {
        wanted = value.isValid() ? value : QDateTime::currentDateTime();
    }
    if (!wanted.isValid())
        return false;
    return FileTimes::write(path, FileTimes::Which(which), FileTimes::fromDateTime(wanted));
}
