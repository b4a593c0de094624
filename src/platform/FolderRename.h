// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What a folder entry is, whatever it is called: device and inode number.
struct FileIdentity {
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity&) const = default;
};

// The system calls a rename inside one folder is made of. Each returns 0 or
// the errno value. The real calls unless a test puts in calls that fail the
// way some file system does.
class RenameCalls {
public:
    virtual ~RenameCalls() = default;
    virtual int RenameNoReplace(int dirFd, const char* from, const char* to);
    virtual int Link(int dirFd, const char* from, const char* to);
    virtual int Unlink(int dirFd, const char* name);
    virtual int Rename(int dirFd, const char* from, const char* to);

    static RenameCalls& System();
};

// One folder, opened once, in which entries change their names without ever
// replacing another entry: plain rename() on Linux silently replaces a file
// of the new name, so every move asks the kernel to refuse a taken name.
class FolderRename {
public:
    explicit FolderRename(const QString& folder, RenameCalls* calls = nullptr);
    ~FolderRename();
    FolderRename(const FolderRename&) = delete;
    FolderRename& operator=(const FolderRename&) = delete;

    // 0 when the folder is open, else why it is not (errno).
    int OpenError() const { return m_openError; }
    FileIdentity Identity() const { return m_identity; }

    // Gives the entry `from` the name `to`. 0, or errno: EEXIST when `to` is
    // taken, in which case nothing changed.
    int Move(const QByteArray& from, const QByteArray& to);
    // Removes one name of an entry that has another; 0 or errno.
    int RemoveName(const QByteArray& name);
    // The entry's identity, a link itself rather than what it points to;
    // false when there is no such entry.
    bool Identify(const QByteArray& name, FileIdentity& id) const;
    // Every name the folder holds but "." and "..".
    QList<QByteArray> Names() const;
    // Writes the folder's entries to the disk; 0 or errno.
    int Sync() const;

private:
    int MoveWithoutNoReplace(const QByteArray& from, const QByteArray& to);

    RenameCalls* m_calls;
    int m_fd = -1;
    int m_openError = 0;
    FileIdentity m_identity;
};
