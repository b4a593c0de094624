// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// The one way the program writes a user's file (documents, exports, saved
// icons): the file is complete or it is as it was.
//
// A regular target is written to a temporary file beside it (same folder,
// created with O_EXCL), every write and the final flush are checked, the
// file is fsynced, renamed over the target, and the folder is fsynced. Any
// failure removes the temporary file, leaves the target untouched and raises
// the program's error record: the German message "Die Datei '...' kann
// nicht geschrieben werden: <reason>." with the system's reason (no space,
// quota, file size limit, no permission ...) and a run-time error number
// (61 disk full, 70 permission denied, 58 file exists, 57 device error,
// 75 otherwise).
//
// Targets that are not regular files are never replaced: a FIFO, a
// character device or standard output reached through /dev/stdout,
// /dev/fd/N or /proc (and "-" for standard output) is written in place,
// without a temporary file or a rename; a folder, block device or socket
// is refused. A replaced file keeps its permission bits. A symbolic link to
// a file is kept and the file it names is replaced; a link to nothing is
// refused. With Mode::NoReplace an existing name (dangling links included)
// is refused, checked by the rename itself (RENAME_NOREPLACE, else link),
// so no other program can slip a file or a link in between.
//
// Use:
//   SafeFileWriter::WriteFile(path, bytes);             // whole file at once
//
//   SafeFileWriter out(path);                            // large output
//   out.open();
//   for (...) out.write(chunk);                          // buffered, checked
//   out.commit();                                        // or let it go: abort
//
// A writer destroyed without commit() removes its temporary file.
class SafeFileWriter {
public:
    enum class Mode {
        Replace,  // an existing file is replaced
        NoReplace // an existing name is refused (message 166)
    };

    explicit SafeFileWriter(QString path, Mode mode = Mode::Replace);
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Each of these raises the error record on failure, after cleaning up.
    void open();
    void write(QByteArrayView bytes);
    void commit();
    // Drops what was written: the temporary file goes, the target stays.
    // Bytes already written in place (FIFO, device) cannot be taken back.
    void abort() noexcept;

    static void WriteFile(const QString& path, QByteArrayView bytes, Mode mode = Mode::Replace);

    // For a copy: the permission bits (0777) and the modification time the
    // new file gets, instead of those of the file it replaces or of now.
    // Call before open(); a target written in place keeps its own.
    void setPermissions(unsigned mode) { m_permissions = mode & 0777; }
    void setModificationTime(qint64 seconds, qint32 nanoseconds);

    // True for "-", which stands for standard output.
    static bool IsStandardOutput(const QString& path);
    // How messages name a path: standard output by its German name, not "-".
    static QString ShownName(const QString& path);

private:
    enum class Target { None, Temporary, InPlace };

    void openTarget(const QByteArray& native);
    void createTemporary(const QByteArray& target, unsigned mode, bool keepMode);
    void flush();
    void finishTemporary();
    [[noreturn]] void fail(int code, const QString& reason = {});

    QString m_path;
    Mode m_mode;
    QByteArray m_target; // the file the rename replaces (a link resolved)
    QByteArray m_temp;
    QByteArray m_buffer;
    int m_fd = -1;
    Target m_kind = Target::None;
    bool m_syncInPlace = false;
    bool m_ownFd = true;
    unsigned m_ownerUid = 0;
    unsigned m_ownerGid = 0;
    bool m_keepOwner = false;
    int m_permissions = -1;
    qint64 m_mtimeSeconds = 0;
    qint32 m_mtimeNanoseconds = -1; // below 0: not set
};
