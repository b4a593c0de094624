// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FolderHandle.h"

#include <QByteArray>
#include <QtGlobal>

// One open file inside a FolderHandle's folder, for copying and checking
// files by descriptor. System calls only: each member returns 0 (or a
// count) on success and an errno value (negative for counts) on failure.
class FileHandle {
public:
    FileHandle() = default;
    ~FileHandle();
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    // Opens an existing regular file for reading; a link is refused (ELOOP)
    // and a pipe or device never waited on (EINVAL: not a regular file).
    int openRead(const FolderHandle& folder, const QByteArray& name);
    // Creates a new file (never an existing name, never through a link),
    // readable and writable by its owner only, and takes its lock: a file
    // held so is being written by a running copy.
    int createLocked(const FolderHandle& folder, const QByteArray& name);
    // Opens a file left behind and takes its lock without waiting:
    // EWOULDBLOCK while a running copy still holds it.
    int lockExisting(const FolderHandle& folder, const QByteArray& name);
    void close();
    bool isOpen() const { return m_fd >= 0; }

    int stat(EntryStat& out) const;
    // Up to `length` bytes of `source` from `offset`, appended to this file:
    // the count copied, 0 where the source ends, or -errno.
    qint64 copyFrom(const FileHandle& source, qint64 offset, qint64 length);
    // Up to `length` bytes from `offset`: the count, 0 at the end, or -errno.
    qint64 readAt(qint64 offset, char* into, qint64 length) const;
    // Permission bits and modification time (to the nanosecond) of another file.
    int copyModeAndTime(const EntryStat& from);
    // The bytes on the disk (fsync); a file system without fsync counts as done.
    int sync();

private:
    int m_fd = -1;
    bool m_plainCopy = false; // copy_file_range refused once: read and write
    QByteArray m_buffer;      // for the plain way
};
