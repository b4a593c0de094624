// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/FileTimes.h"

#include <QString>

#include <optional>

// What the file system tells about one entry, in one look: its kind, sizes,
// times and flags. Paths are lossless names (platform/FileNameCodec.h).
struct FileStatus {
    unsigned mode = 0; // type and permission bits as the system gives them
    qint64 size = 0;
    qint64 allocated = 0; // bytes of the blocks it occupies on disk
    // Null where the file system keeps no birth time (or reports it as 0).
    std::optional<FileTimes::Stamp> birth;
    FileTimes::Stamp access;
    FileTimes::Stamp modification;
    bool compressed = false; // the file system's compression flag, where it has one

    bool isRegular() const;
    bool isFolder() const;
    bool isLink() const; // only when read without following links
};

enum class FollowLinks { Yes, No };

// Empty when there is no such entry or it cannot be looked at; `error` then
// receives the errno.
std::optional<FileStatus> ReadFileStatus(const QString& path, FollowLinks follow = FollowLinks::Yes,
                                         int* error = nullptr);

// Links followed; false where the entry is missing or cannot be looked at.
bool IsRegularFile(const QString& path);
bool IsFolder(const QString& path);
// Whether this process may write the entry, or list and enter the folder
// (its effective user, as opening would be judged).
bool MayWrite(const QString& path);
bool MayEnter(const QString& folder);
