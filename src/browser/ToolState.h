// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

#include <functional>

class FilePattern;

// Questions only a tool can answer about a file or a folder. Each tool that
// is part of the build supplies its own; an unanswered question counts as
// "no", so an entry that depends on a missing tool stays hidden.
struct ToolPredicates {
    std::function<bool(const QString& path)> IsActiveX;     // registration
    std::function<bool(const QString& name)> FileIsPic;     // picture support
    std::function<bool(const QString& folder)> PathHasPics; // picture support
    std::function<bool()> HasUserMenu;                      // user file menu
};

// What the main window's entries depend on: the folder, the files listed
// for it and the selection. Plain data, so the rules can be checked
// without a window.
struct ToolState {
    QString folder;                  // with a trailing "/"; empty: none
    bool folderHasFiles = false;     // the file box lists at least one file
    bool folderHasPics = false;      // pictures for a slideshow
    bool folderHasIconFiles = false; // *.ico, *.dll or *.exe
    QStringList selected;            // names of the selected files, list order
    QString current;                 // name of the current file; the selected one when one is
    const ToolPredicates* tests = nullptr;

    qint32 SelectedCount() const { return qint32(selected.size()); }
    // Full paths (folder + name); empty without a current file.
    QString CurrentPath() const;
    QStringList SelectedPaths() const;
    // The current file's extension, compared ignoring case.
    bool CurrentHasExtension(std::initializer_list<const char*> extensions) const;
    bool CurrentIsPicture() const;
    // True when one selected file is accepted by the registration.
    bool AnySelectedIsActiveX() const;
    bool HasUserMenu() const;

    // The folder facts for `folder` with the mask of the file box; the
    // selection stays empty.
    static ToolState ForFolder(const QString& folder, const FilePattern& mask,
                               const ToolPredicates& tests);
    // Whether the folder holds a file the icon viewer can read.
    static bool HasIconFiles(const QString& folder);
};
