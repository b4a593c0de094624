// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <dirent.h>

// The entries of one folder as the system gives them, in no particular order:
// each name's bytes and what kind of entry it is. "." and ".." are skipped.
//
//     for (FolderReader reader(folder); reader.next();)
//         use(reader.name(), reader.kind());
class FolderReader {
public:
    enum class Kind { Regular, Folder, Other };

    // The folder by its lossless name (platform/FileNameCodec.h).
    explicit FolderReader(const QString& folder);
    ~FolderReader();
    FolderReader(const FolderReader&) = delete;
    FolderReader& operator=(const FolderReader&) = delete;

    // False when the folder cannot be read (errno tells why).
    bool isOpen() const { return m_dir != nullptr; }
    // Moves to the next entry; false at the end.
    bool next();
    // The current entry's name bytes, valid until the next call of next().
    const char* name() const { return m_entry->d_name; }
    // What the current entry is, links followed (a link whose target has
    // gone is Other). Asks the file system only when the folder's own record
    // does not tell.
    Kind kind() const;

private:
    DIR* m_dir = nullptr;
    const dirent* m_entry = nullptr;
};
