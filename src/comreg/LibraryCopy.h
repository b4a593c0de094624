// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <optional>

// The versioned copy of a library: NAME.dll with file version 5.82 is copied
// beside it as NAME_5.82.dll.
//
// The copy is written as a temporary file in the folder with the source's
// bytes, permission bits and modification time, synced, and only then given
// its name: over an existing file only when the caller says so (the user
// answered Yes), otherwise never, so a file that appeared meanwhile is not
// replaced. A failure removes the temporary file and leaves every existing
// file as it was.
class LibraryCopy {
public:
    // Reads the source's version resource.
    explicit LibraryCopy(QString source);

    // False when the file has no version resource (or no version text).
    bool HasVersion() const { return !m_version.isEmpty(); }
    QString Source() const { return m_source; }
    // The copy's name and full path; empty without a version.
    QString NewName() const;
    QString Destination() const;
    // Whether something (a dangling link too) already has the copy's name.
    bool DestinationExists() const;
    // Makes the copy; raises the program's error record (German message) on
    // any failure, also for a name that is too long.
    void Copy(bool replaceExisting) const;

    // NAME_VERSION.EXT for a file name and its version text. In the version,
    // "/" and control characters become "_" and blanks at either end go, so
    // the copy stays in the folder. Empty when nothing of the version is left.
    static QString VersionedName(const QString& fileName, const QString& version);

private:
    QString m_source;
    QString m_version;
};
