// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class frmMain;

// The command handlers of the main window's menus and context menus. Every
// handler catches what fails and shows it, so the window stays usable.
class MainCommands : public QObject {
    Q_OBJECT
public:
    explicit MainCommands(frmMain& form);

    void ShowFileBoxMenu(const QPoint& globalPosition);
    void OpenMaskEditor();

public Q_SLOTS:
    void kDirBox_CopyPath_Click();
    void kFileBox_Refresh_Click();
    void kFileBox_CopyPath_Click();
    void kFileBox_Run_Default_Click();
    void kFileBox_Run_Editor_Click();
    void kFileInfo_Copy_Click(bool all);
    void mFile_Last_Folders_Click(int index);
    void mFile_Last_Reg_Click(int index);
    void mHelp_Help_Click();
    void mHelp_Web_Click();
    void mHelp_Info_Click();

private:
    // Prepares the file box menu for the current selection; false: no menu.
    bool PrepareFileBoxMenu();

    frmMain& m_form;
};

// Opens an address in the desktop's browser; empty on success, else the German failure text.
QString ShellOpenUrl(const QString& target);
