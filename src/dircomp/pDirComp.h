// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "dircomp/DirCompItem.h"
#include "platform/FolderHandle.h"

#include <QString>

#include <functional>

class JobContext;
struct DirCompScan;

// The comparison of two folders by name, modification time and size, top
// level only; the folder comparison window and `tolvane-cli compare` share
// it. Both folders stay open for as long as the object lives, so that a run
// (pDirSync) acts on exactly the folders that were compared.
class pDirComp {
public:
    enum class Outcome {
        Compared,
        SameFolder, // both paths lead to one folder: nothing is listed
        BothEmpty,  // neither folder holds a file
        Cancelled,
    };

    enum class Use {
        Sync,     // every file's identity is kept for a run (pDirSync)
        ListOnly, // only the classes: files in one folder only are not asked
                  // for their times, and no run may follow
    };

    // Opens and reads both folders at once and classes their files. A folder
    // that is missing or cannot be read raises the program's error record
    // (message "Der Ordner '...' kann nicht gelesen werden: <Grund>.") and
    // nothing is listed. `context` (may be null) gets progress and may stop it.
    Outcome Compare(const QString& source, const QString& dest, JobContext* context = nullptr,
                    Use use = Use::Sync);

    const DirCompItems& Source() const { return m_source; }
    const DirCompItems& Dest() const { return m_dest; }
    bool SourceDiffers() const { return m_sourceDiffers; }
    bool DestExtra() const { return m_destExtra; }

    const FolderHandle& SourceFolder() const { return m_sourceFolder; }
    const FolderHandle& DestFolder() const { return m_destFolder; }
    // The paths as given, with a trailing "/", as bytes.
    const QByteArray& SourcePath() const { return m_sourcePath; }
    const QByteArray& DestPath() const { return m_destPath; }
    // False after a comparison for listing only.
    bool CanSync() const { return m_canSync; }

    // Whether a folder looks names up ignoring case; the real test asks the
    // file system (CaseProbe.h). Tests put in a folder that ignores case.
    using CaseTest = std::function<bool(const FolderHandle&, const DirCompItems&)>;
    void SetCaseTest(CaseTest test) { m_caseTest = std::move(test); }

private:
    void open(FolderHandle& folder, const QByteArray& path);
    void checkRead(const DirCompScan& scan) const;
    void clear();

    CaseTest m_caseTest;
    FolderHandle m_sourceFolder;
    FolderHandle m_destFolder;
    QByteArray m_sourcePath;
    QByteArray m_destPath;
    DirCompItems m_source;
    DirCompItems m_dest;
    bool m_sourceDiffers = false;
    bool m_destExtra = false;
    bool m_canSync = false;
};
