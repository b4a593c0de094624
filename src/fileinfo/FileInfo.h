// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QString>

// The record of one file system entry: names, attributes, sizes, times and the
// desktop's type name and icon names (the icon itself: fileinfo/FileIcon.h). Setting FullPathName
// fills it in one pass; afterwards it is only read and does not follow later changes on disk.
//
// Attributes carry the bits the program has always shown, mapped to what the
// host knows: read-only (the user may not write the entry), hidden (the name
// begins with "."), system (neither a regular file nor a folder), folder, and
// compressed where the file system reports it. There are no 8.3 names or shell
// display names here; those fields stay empty. CreationTime is the birth time
// where the file system keeps one and null otherwise.
class FileInfo {
public:
    static constexpr quint32 AttrReadOnly = 0x1;
    static constexpr quint32 AttrHidden = 0x2;
    static constexpr quint32 AttrSystem = 0x4;
    static constexpr quint32 AttrDirectory = 0x10;
    static constexpr quint32 AttrArchive = 0x20;
    static constexpr quint32 AttrTemporary = 0x100;
    static constexpr quint32 AttrCompressed = 0x800;

    quint32 Attributes() const { return m_attributes; }
    bool attrArchive() const { return m_attributes & AttrArchive; }
    bool attrCompressed() const { return m_attributes & AttrCompressed; }
    bool attrHidden() const { return m_attributes & AttrHidden; }
    bool attrReadOnly() const { return m_attributes & AttrReadOnly; }
    bool attrSystem() const { return m_attributes & AttrSystem; }
    bool attrTemporary() const { return m_attributes & AttrTemporary; }
    // The size on disk (allocated blocks), in low and high halves.
    quint32 CompressedFileSize() const { return quint32(m_allocated); }
    quint32 CompressedFileSizeHigh() const { return quint32(m_allocated >> 32); }
    QDateTime CreationTime() const { return m_creationTime; }
    QString DisplayName() const { return QString(); }
    bool FileExists() const { return m_fileExists; }
    QString FileExtension() const { return m_fileExtension; }
    QString Filename() const { return m_filename; }
    // The folder part, always ending in "/".
    QString FilePath() const { return m_filePath; }
    quint32 FileSize() const { return quint32(m_size); }
    quint32 FileSizeHigh() const { return quint32(m_size >> 32); }

    QString FullPathName() const { return m_fullPathName; }
    // Resolves the path against the current folder and loads the record; a
    // path that cannot be resolved leaves the record as it was.
    void setFullPathName(const QString& path);

    QDateTime LastAccessTime() const { return m_lastAccessTime; }
    QDateTime ModifyTime() const { return m_modifyTime; }
    bool PathExists() const { return m_pathExists; }
    QString ShortName() const { return QString(); }
    QString ShortPath() const { return QString(); }
    QString ShortPathName() const { return QString(); }
    QString TypeName() const { return m_typeName; }
    // The icon theme's names for the entry's type; empty when the type is unknown.
    QString IconName() const { return m_iconName; }
    QString GenericIconName() const { return m_genericIconName; }

    // The whole sizes; the halves above cannot carry them in one number.
    qint64 Size() const { return m_size; }
    qint64 CompressedSize() const { return m_allocated; }

    static QString FormatFileDate(const QDateTime& value);
    static QString FormatFileSize(qint64 bytes);

    // Reloads every field for FullPathName. An entry that is not found clears
    // FileExists and leaves the other fields as they were.
    void Refresh();

private:
    struct Found;
    bool lookUp(Found& found) const;
    bool lookUpWildcard(Found& found) const;
    void takeAttributes(const Found& found);
    void takeType(const Found& found);

    QString m_fullPathName;
    QString m_filename;
    QString m_filePath;
    QString m_fileExtension;
    QString m_typeName;
    QString m_iconName;
    QString m_genericIconName;
    quint32 m_attributes = 0;
    qint64 m_size = 0;
    qint64 m_allocated = 0;
    QDateTime m_creationTime;
    QDateTime m_lastAccessTime;
    QDateTime m_modifyTime;
    bool m_fileExists = false;
    bool m_pathExists = false;
};
