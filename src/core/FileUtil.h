// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Questions to the file system about paths and folders. None raises; a failure
// gives the "nothing" result (false, empty text, an invalid date).

// After StripQuotes: an entry exists at the path and it is not a folder.
bool FileExists(const QString& path);
// After StripQuotes: the path is a folder.
bool FolderExists(const QString& path);
// The same without removing quotes (the path is taken as it stands).
bool FolderExistsNoQuotes(const QString& path);

// Linux keeps one name per entry, so the "long" name is the name itself:
// the last component when the entry exists, else empty.
QString LongName(const QString& path);
// The path itself when the entry exists, else empty.
QString LongPathName(const QString& path);

// The files of `folder` that match the patterns of a file-dialog filter
// ("Bilder|*.bmp;*.png|Alle|*.*"), appended to `files` when not yet there.
// Names match the patterns ignoring case, but a name is the file's identity:
// "a.txt" and "A.txt" are two files and both are listed. Result: the number of
// names in `files`, -1 when no file matched, 0 for an empty folder or filter.
qint32 FindFilesByMasks(const QString& folder, const QString& filter, QStringList& files);

// Which file time: creation (birth), last access, last write; ftAll sets the
// last access and last write in one call (the birth time cannot be set).
enum FileTimeWhich : qint32 { ftCreation = 0, ftLastAccess = 1, ftLastWrite = 2, ftAll = 3 };

// The chosen time of a file or folder as local date and time in whole seconds;
// invalid when the entry is missing or the file system keeps no such time.
QDateTime GetFileTimeDate(const QString& path, qint32 which);
// Writes the chosen time only. midnightOnly: each time set gets its own
// current local date at 00:00:00; otherwise `value`, whose date and time of
// day are read as the local wall clock (a time the clock skipped counts as if
// it had not jumped, a doubled one is its first occurrence), or now when
// `value` has no valid date. Links are followed; nothing is opened.
// False, with errno telling why, when the entry is missing, this user may not
// write it, a time to reset cannot be read, the time cannot be set (creation
// time on Linux: EOPNOTSUPP) or the file system refuses.
bool SetFileTimeDate(const QString& path, qint32 which, const QDateTime& value, bool midnightOnly);
