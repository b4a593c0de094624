// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <optional>

struct stat;

// What lstat tells of one directory entry, as far as comparing and copying
// files needs it.
struct EntryStat {
    quint64 inode = 0;
    qint64 size = 0;
    qint64 mtimeSec = 0; // tv_sec: floored, also before 1970
    qint32 mtimeNsec = 0;
    qint64 ctimeSec = 0;
    qint32 ctimeNsec = 0;
    quint32 mode = 0; // st_mode: type and permission bits

    static EntryStat From(const struct stat& st);

    bool isRegular() const;
    // Inode, size and modification time to the nanosecond: the file a
    // comparison saw, not merely one of the same name.
    bool sameFile(const EntryStat& other) const;
    // sameFile, and its status (ctime) unchanged as well.
    bool unchanged(const EntryStat& other) const;
};

// A folder opened once and then used by its descriptor: every later call
// names entries relative to it, so a folder renamed, replaced or remounted
// under its path meanwhile is never mixed up with the one that was read.
// System calls only; callers turn the errno values into messages.
class FolderHandle {
public:
    FolderHandle() = default;
    ~FolderHandle();
    FolderHandle(const FolderHandle&) = delete;
    FolderHandle& operator=(const FolderHandle&) = delete;

    // 0 or an errno value. A path beyond the system's length limit is
    // opened one folder at a time.
    int open(const QByteArray& path);
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }
    // Device and inode: two paths name the same folder when both agree.
    quint64 device() const { return m_device; }
    quint64 inode() const { return m_inode; }

    // Feeds every regular file whose name does not begin with "." to `sink`
    // (which returns false to stop). Links, folders, pipes and devices are
    // neither listed nor opened. 0 or an errno value.
    enum class Listing {
        Visible,
        VisibleNamesOnly, // no lstat where the folder tells the type: inode and type only
        Hidden,           // the files whose names begin with "." instead
    };
    using ScanSink = std::function<bool(QByteArray&& name, const EntryStat& stat)>;
    int scan(const ScanSink& sink, Listing which = Listing::Visible) const;

    // lstat of one entry: 0, or an errno value (ENOENT when there is none).
    int statAt(const QByteArray& name, EntryStat& out) const;
    // Whether this user may write the entry (0) or why not.
    int mayWriteAt(const QByteArray& name) const;
    int removeAt(const QByteArray& name) const;
    // Renames within this folder. Without `replace` an existing name (a
    // dangling link included) is refused with EEXIST by the rename itself.
    int renameAt(const QByteArray& from, const QByteArray& to, bool replace) const;
    // Makes the folder's entries durable (fsync); a file system that cannot
    // sync a folder counts as done.
    int sync() const;

    // What the file system says about letter case: true when it looks names
    // up ignoring case (a case-folding folder; FAT, exFAT, SMB/CIFS, HFS+),
    // nullopt when it does not tell.
    std::optional<bool> caseHint() const;

private:
    void close();

    int m_fd = -1;
    quint64 m_device = 0;
    quint64 m_inode = 0;
};
