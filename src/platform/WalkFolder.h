// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <dirent.h>

// One open folder, for walks that must not follow links out of the tree nor
// depend on path length: children are looked at and opened relative to it
// (fstatat/openat), so a tree deeper than PATH_MAX or the descriptor limit
// can still be read level by level.
class WalkFolder {
public:
    // What one look at an entry tells, links not followed.
    struct Entry {
        unsigned mode = 0;
        quint64 device = 0;
        quint64 inode = 0;
        quint64 links = 0;
        qint64 size = 0;
        qint64 allocated = 0; // bytes of the blocks it occupies

        bool isRegular() const;
        bool isFolder() const;
        bool sameAs(const Entry& other) const
        {
            return device == other.device && inode == other.inode;
        }
    };

    WalkFolder() = default;
    ~WalkFolder();
    WalkFolder(WalkFolder&& other) noexcept;
    WalkFolder& operator=(WalkFolder&& other) noexcept;
    WalkFolder(const WalkFolder&) = delete;
    WalkFolder& operator=(const WalkFolder&) = delete;

    // The folder by its lossless name (platform/FileNameCodec.h); links
    // followed, as the user named it. False with `error` set on failure.
    bool open(const QString& path, int* error);
    // `name` inside `parent`, only if it still is the folder `expected`
    // (never a link, never one swapped in after it was looked at).
    bool openChild(const WalkFolder& parent, const char* name, const Entry& expected, int* error);
    // The parent of `child`, only if it is the folder `expected`.
    bool openParent(const WalkFolder& child, const Entry& expected, int* error);
    bool isOpen() const { return m_dir != nullptr; }
    void close();

    // The open folder itself.
    Entry self() const { return m_self; }
    // Moves to the next entry ("." and ".." skipped); false at the end or on
    // a read error (`error` then set, else 0).
    bool next(int* error);
    const char* name() const { return m_entry->d_name; }
    // The current entry, or any `name` inside this folder; false with `error`.
    bool look(const char* name, Entry& entry, int* error) const;

private:
    bool adopt(int fd, const Entry* expected, int* error);

    DIR* m_dir = nullptr;
    const dirent* m_entry = nullptr;
    Entry m_self;
};
