// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/FilePattern.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reads one folder the way the browser's boxes show it: no dot-files, plain
// files for the file box and folders for the folder box, sorted by name
// ignoring case with ties broken by the exact name. Names are decoded
// losslessly (platform/FileNameCodec.h): a name that is not UTF-8 keeps its
// bytes and can be opened again through EncodeFileName.
class FolderListing {
public:
    // One listed file with the bytes the system gave for its name.
    struct Entry {
        QString name;     // lossless: EncodeFileName(name) == bytes
        QByteArray bytes; // exactly as the folder holds it
        bool validUtf8 = true;
    };

    // The same files as Files(), in the same order, with their name bytes.
    static QList<Entry> FileEntries(const QString& folder, const FilePattern& pattern);
    // The same, and in `others` the name bytes of every other entry of the
    // folder (dot-files, folders, links to nothing, files the pattern leaves
    // out), unsorted: one read of the folder for both.
    static QList<Entry> FileEntries(const QString& folder, const FilePattern& pattern,
                                    QList<QByteArray>& others);
    // Names of the regular files (symbolic links to them included) matching the pattern.
    static QStringList Files(const QString& folder, const FilePattern& pattern);
    // Names of the sub-folders (links to folders included).
    static QStringList Folders(const QString& folder);
    // True at the first regular file that matches; stops reading there.
    static bool HasFile(const QString& folder, const FilePattern& pattern);
    static void SortNames(QStringList& names);
    static void SortEntries(QList<Entry>& entries);

private:
    enum class Kind { File, Folder };
    // Feeds each matching entry to sink(name, bytes, valid) until it returns
    // false; the names of the others go to `others` when given.
    template <class Sink>
    static void Scan(const QString& folder, Kind kind, const FilePattern* pattern, Sink&& sink,
                     QList<QByteArray>* others = nullptr);
    static QStringList Names(const QString& folder, Kind kind, const FilePattern* pattern);
};
