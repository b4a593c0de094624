// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What the check found for one file, the first that applies, in this order.
enum class RenameStatus {
    Ok,        // will be renamed
    Encoding,  // the name is not UTF-8: left alone
    Position,  // the rule's position lies outside the name (message 120)
    Unchanged, // the new name is empty or the old one
    Char,      // the new name holds "/" or a NUL
    Dot,       // the new name starts with "." (hidden, or "." and "..")
    Long,      // more than 255 bytes
    Exists,    // another entry of the folder has that name, case ignored
    Duplicate, // several files would get that name, case ignored
};

// The word the companion prints for a status ("ok", "exists" ...).
QString RenameStatusWord(RenameStatus status);
// The German reason the preview shows; empty for ok and unchanged.
QString RenameStatusReason(RenameStatus status);
// True for the statuses that keep a run from starting.
bool IsRenameProblem(RenameStatus status);

// One file of a rename job.
struct pRenFile {
    QString OldName; // decoded losslessly (platform/FileNameCodec.h)
    QByteArray OldBytes;
    QString NewName; // empty while not computed and for a failed computation
    QByteArray NewBytes;
    bool Unchanged = false;
    bool Problem = false;
    RenameStatus Status = RenameStatus::Ok;
};

// The job list: the listed files in processing order. A file is its exact
// name here (a.txt and A.txt are two entries); only the collision checks
// ignore case. The sources list each name once (a folder holds a name
// once, names from standard input are taken once), so nothing is looked up.
class pRenFiles {
public:
    void Add(const QString& oldName, const QByteArray& oldBytes);
    // Room for `count` files, so a large folder is not copied while it grows.
    void Reserve(qsizetype count);
    pRenFile& Item(qsizetype index) { return m_files[index]; }
    const pRenFile& Item(qsizetype index) const { return m_files.at(index); }
    qsizetype Count() const { return m_files.size(); }
    qsizetype ErrorCount() const;
    qsizetype ChangeCount() const;

    auto begin() const { return m_files.begin(); }
    auto end() const { return m_files.end(); }

private:
    QList<pRenFile> m_files;
};
