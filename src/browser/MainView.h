// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/FileInfoText.h"

#include <QString>

class OfficeDocProperties;
class QWidget;
class cuRecentFiles;
class pPatterns;
class pPicViewer;

// What the commands may ask of the main window. Commands get the folder and
// the selection they act on with each call (CommandCall); everything else
// they do to the window goes through here, so no command touches a control.
class MainView {
public:
    virtual ~MainView() = default;

    // Owner of the tool windows and dialogs a command opens.
    virtual QWidget* Owner() = 0;
    virtual void Quit() = 0;
    virtual void RequestOptions() = 0;
    virtual void ToggleFileInfo() = 0;
    virtual void RestoreFromTray() = 0;

    // Makes a folder the current one; false (and nothing changed) when it
    // cannot be read.
    virtual bool OpenFolder(const QString& folder) = 0;
    // Reads a folder again; the current one keeps its place in the folder box.
    virtual void RefreshFolder(const QString& folder) = 0;
    // Reads the file list again, keeping the selected files selected.
    virtual void RefreshFiles() = 0;
    // Selects exactly the file of that name; an empty name selects all files
    // (state true) or none (state false).
    virtual void SelectFiles(const QString& name, bool state) = 0;
    virtual void SetMaskText(const QString& pattern) = 0;
    // The text of the mask combo, as the user sees it.
    virtual QString MaskText() const = 0;
    // An entry of the mask menu: 0 the editor, 2 the default, 3.. the masks.
    virtual void ChooseMask(int index) = 0;
    virtual void ShowFileIno() = 0;

    virtual pPatterns& Patterns() = 0;
    virtual pPicViewer& Pictures() = 0;
    // The document-properties reader the file properties window is given.
    virtual OfficeDocProperties& DocProperties() = 0;
    virtual cuRecentFiles& RecentFolders() = 0;
    virtual cuRecentFiles& RecentRegFiles() = 0;

    // The information pane: the file it shows (empty: none), its rows and
    // the selected row (false: none).
    virtual QString InfoPath() const = 0;
    virtual QList<FileInfoRow> InfoRows() const = 0;
    virtual bool CurrentInfoRow(FileInfoRow& row) const = 0;
};
