// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/FileInfo.h"

#include "fileinfo/DateText.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"
#include "platform/FolderReader.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMimeDatabase>
#include <QRegularExpression>

#include <cerrno>
#include <cmath>

#include <sys/stat.h>

namespace {
// Paths this long are not valid on the host; they are not resolved at all.
constexpr qsizetype MaxPathBytes = 4096;

// Whole seconds: the record has always dropped the fraction.
QDateTime localTime(const FileTimes::Stamp& stamp)
{
    return FileTimes::toLocal({stamp.seconds, 0});
}

bool hasWildcard(const QString& name)
{
    return name.contains(QLatin1Char('*')) || name.contains(QLatin1Char('?'));
}

// "*" and "?" as the desktop's file search knows them, letter case ignored;
// every other character stands for itself.
QRegularExpression wildcardPattern(const QString& pattern)
{
    QString rx;
    for (const QChar ch : pattern) {
        if (ch == QLatin1Char('*'))
            rx += QLatin1String(".*");
        else if (ch == QLatin1Char('?'))
            rx += QLatin1Char('.');
        else
            rx += QRegularExpression::escape(QString(ch));
    }
    return QRegularExpression(QRegularExpression::anchoredPattern(rx),
                              QRegularExpression::CaseInsensitiveOption |
                                  QRegularExpression::DotMatchesEverythingOption);
}

QString roundedNumber(const QLocale& locale, double value, int places)
{
    // Halves round away from zero, as number pictures always did; the binary
    // value alone would sometimes round them down.
    const double scale = std::pow(10.0, places);
    return locale.toString(std::floor(value * scale + 0.5) / scale, 'f', places);
}
} // namespace

struct FileInfo::Found {
    QString path;
    QString name;
    FileStatus status;
    bool dangling = false;
};

bool FileInfo::lookUp(Found& found) const
{
    found.path = m_fullPathName;
    int error = 0;
    std::optional<FileStatus> status = ReadFileStatus(found.path, FollowLinks::Yes, &error);
    // A link whose target has gone is still an entry of its folder.
    if (!status && error == ENOENT) {
        status = ReadFileStatus(found.path, FollowLinks::No);
        found.dangling = status.has_value();
    }
    if (!status)
        return false;
    found.status = *status;
    found.name = found.path.mid(found.path.lastIndexOf(QLatin1Char('/')) + 1);
    return true;
}

bool FileInfo::lookUpWildcard(Found& found) const
{
    const qsizetype slash = m_fullPathName.lastIndexOf(QLatin1Char('/'));
    const QString folder = m_fullPathName.left(slash + 1);
    const QString pattern = m_fullPathName.mid(slash + 1);
    if (!hasWildcard(pattern) || hasWildcard(folder))
        return false;
    const QRegularExpression rx = wildcardPattern(pattern);
    // The first match in the order the folder listing shows entries.
    QString first;
    for (FolderReader reader(folder); reader.next();) {
        const QString name = DecodeFileName(QByteArray(reader.name()));
        // Raw bytes are no text a pattern can match; their display form is.
        if (!rx.match(DisplayFileName(name)).hasMatch())
            continue;
        const int c = first.isNull() ? -1 : name.compare(first, Qt::CaseInsensitive);
        if (c < 0 || (c == 0 && name < first))
            first = name;
    }
    if (first.isNull())
        return false;
    FileInfo probe;
    probe.m_fullPathName = folder + first;
    return probe.lookUp(found);
}

void FileInfo::setFullPathName(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return;
    const QString absolute = QDir::cleanPath(QDir::current().absoluteFilePath(path));
    if (EncodeFileName(absolute).size() >= MaxPathBytes)
        return;
    m_fullPathName = absolute;
    Refresh();
}

void FileInfo::Refresh()
{
    Found found;
    if (m_fullPathName.isEmpty() || !(lookUp(found) || lookUpWildcard(found))) {
        m_fileExists = false;
        return;
    }
    m_fileExists = true;
    m_pathExists = true;
    const FileStatus& st = found.status;
    m_size = st.size;
    m_allocated = st.allocated;
    m_creationTime = st.birth ? localTime(*st.birth) : QDateTime();
    m_lastAccessTime = localTime(st.access);
    m_modifyTime = localTime(st.modification);
    takeAttributes(found);

    m_filename = found.name;
    m_filePath = found.path.left(found.path.size() - found.name.size());
    if (!m_filePath.endsWith(QLatin1Char('/')))
        m_filePath += QLatin1Char('/');
    m_fullPathName = found.name.isEmpty() ? m_filePath : m_filePath + m_filename;
    const qsizetype dot = m_filename.lastIndexOf(QLatin1Char('.'));
    m_fileExtension = dot < 0 ? QString() : m_filename.mid(dot + 1);
    takeType(found);
}

namespace {
// Where the name leaves the type open, the database looks into the file: read
// here without moving its access time, which the user may just have set.
QMimeType typeOfFile(const QMimeDatabase& db, const QString& path)
{
    QFile file;
    if (!OpenFileByName(file, path, QIODevice::ReadOnly, ReadAccess::KeepAccessTime))
        return db.mimeTypeForFile(path, QMimeDatabase::MatchExtension);
    return db.mimeTypeForFileNameAndData(path.mid(path.lastIndexOf(QLatin1Char('/')) + 1), &file);
}
} // namespace

void FileInfo::takeAttributes(const Found& found)
{
    m_attributes = 0;
    if (found.status.isFolder())
        m_attributes |= AttrDirectory;
    else if (!found.status.isRegular())
        m_attributes |= AttrSystem;
    if (found.name.startsWith(QLatin1Char('.')))
        m_attributes |= AttrHidden;
    if (found.status.compressed)
        m_attributes |= AttrCompressed;
    if (found.dangling || !MayWrite(found.path))
        m_attributes |= AttrReadOnly;
}

void FileInfo::takeType(const Found& found)
{
    static const QMimeDatabase db;
    const mode_t mode = found.status.mode;
    QMimeType type;
    if (found.dangling)
        type = db.mimeTypeForName(QStringLiteral("inode/symlink"));
    else if (S_ISDIR(mode))
        type = db.mimeTypeForName(QStringLiteral("inode/directory"));
    else if (S_ISREG(mode))
        type = typeOfFile(db, found.path);
    else if (S_ISFIFO(mode))
        type = db.mimeTypeForName(QStringLiteral("inode/fifo"));
    else if (S_ISSOCK(mode))
        type = db.mimeTypeForName(QStringLiteral("inode/socket"));
    else if (S_ISCHR(mode))
        type = db.mimeTypeForName(QStringLiteral("inode/chardevice"));
    else if (S_ISBLK(mode))
        type = db.mimeTypeForName(QStringLiteral("inode/blockdevice"));

    // application/octet-stream is the database saying it does not know the type.
    const bool known = type.isValid() && !type.isDefault();
    m_typeName = known ? type.comment().trimmed() : QString();
    m_iconName = known ? type.iconName() : QString();
    m_genericIconName = known ? type.genericIconName() : QString();
    if (m_typeName.isEmpty())
        m_typeName = (m_fileExtension.toUpper() + QStringLiteral(" File")).trimmed();
}

QString FileInfo::FormatFileDate(const QDateTime& value)
{
    if (!value.isValid())
        return QString();
    const QLocale locale;
    return locale.toString(value.date(), QLocale::LongFormat) + QLatin1Char(' ') +
           locale.toString(value.time(), LongTimeFormat(locale));
}

QString FileInfo::FormatFileSize(qint64 bytes)
{
    QLocale grouped;
    grouped.setNumberOptions(grouped.numberOptions() & ~QLocale::OmitGroupSeparator);
    QLocale plain;
    plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
    const QString count = grouped.toString(bytes) + QStringLiteral(" bytes");
    if (bytes < 1024)
        return count;

    const qint64 k = bytes / 1024;
    const double kb = double(bytes) / 1024.0;
    const double mb = double(bytes) / 1048576.0;
    QString shortForm;
    if (k < 10)
        shortForm = roundedNumber(plain, kb, 2) + QStringLiteral("KB");
    else if (k < 100)
        shortForm = roundedNumber(plain, kb, 1) + QStringLiteral("KB");
    else if (k < 1000)
        shortForm = roundedNumber(plain, kb, 0) + QStringLiteral("KB");
    else if (k < 10000)
        shortForm = roundedNumber(plain, mb, 2) + QStringLiteral("MB");
    else if (k < 100000)
        shortForm = roundedNumber(plain, mb, 1) + QStringLiteral("MB");
    else if (k < 1000000)
        shortForm = roundedNumber(plain, mb, 0) + QStringLiteral("MB");
    else
        shortForm = roundedNumber(plain, mb / 1024.0, 2) + QStringLiteral("GB");
    return shortForm + QStringLiteral(" (") + count + QLatin1Char(')');
}
