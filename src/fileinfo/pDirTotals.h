// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <mutex>
#include <string>

// The totals of everything below one folder: files, folders, other entries,
// sizes. Count() walks the tree on the calling thread (a worker's, for the
// folder window); any other thread may read the running figures meanwhile.
//
// Counting follows what `du -sx` counts, to the byte: links are never
// followed, a folder on another file system or already on the current path
// (a bind-mount cycle) is counted but not entered, and a file with several
// names adds its size once. The walk keeps its own stack and only a bounded
// number of folders open, so no depth or path length is too much for it.
class pDirTotals {
public:
    struct Figures {
        qint64 files = 0;
        qint64 folders = 0; // below the folder, the folder itself not counted
        qint64 others = 0;  // links, pipes, sockets, devices
        qint64 size = 0;
        qint64 allocated = 0;
        qint64 unreadable = 0; // folders that could not be read
        qint64 notEntered = 0; // other file systems and cycles
    };
    enum class Outcome { Complete, Cancelled, Unreadable };

    // Walks `folder` (a lossless name, platform/FileNameCodec.h; a link naming
    // it is followed). `cancelled` is asked between entries. Unreadable: the
    // folder itself could not be opened; RootError() tells why.
    Outcome Count(const QString& folder, const std::function<bool()>& cancelled = {});

    // Thread-safe: the figures so far and the folder being read (its path's
    // bytes), brought up to date about twenty times a second.
    Figures Current() const;
    QByteArray CurrentFolder() const;
    int RootError() const { return m_rootError; }

private:
    friend class DirWalk;
    void publish(const Figures& figures, const QByteArray& folder);

    mutable std::mutex m_mutex;
    Figures m_figures;
    // A plain copy, never shared with the walk's own bytes: no reference
    // count crosses the threads.
    std::string m_folder;
    int m_rootError = 0;
};
