// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>

class QAction;
class QMainWindow;
class QMenu;
class QToolBar;

// The main window's menu bar, tool bar and context menus, named as they have
// always been named. Entries whose tools are not part of this build are
// created disabled, so nothing pretends to work.
struct frmMainMenus {
    explicit frmMainMenus(QMainWindow* window);

    QMenu* mFile = nullptr;
    QMenu* mFile_Last = nullptr;
    QMenu* mFile_Last_Reg = nullptr;
    QMenu* mFile_Last_Folders = nullptr;
    QAction* mFile_Quit = nullptr;
    QMenu* mView = nullptr;
    QAction* mView_FileInfo = nullptr;
    QMenu* mExtras = nullptr;
    QAction* mExtras_CompareDirs = nullptr;
    QAction* mExtras_Calc = nullptr;
    QAction* mExtras_TimeCalc = nullptr;
    QAction* mExtras_InterestCalc = nullptr;
    QAction* mExtras_Options = nullptr;
    QMenu* mHelp = nullptr;
    QAction* mHelp_Help = nullptr;
    QAction* mHelp_Web = nullptr;
    QAction* mHelp_Info = nullptr;

    QToolBar* TB = nullptr;
    QAction* TB_Compare = nullptr;
    QAction* TB_Rename = nullptr;
    QAction* TB_SlideShow = nullptr;
    QAction* TB_Icons = nullptr;
    QAction* TB_Calc = nullptr;
    QAction* TB_Calc_TimeCalc = nullptr;     // drop-down entry 1
    QAction* TB_Calc_InterestCalc = nullptr; // drop-down entry 2

    QMenu* kDirBox = nullptr;
    QAction* kDirBox_Refresh = nullptr;
    QAction* kDirBox_CopyPath = nullptr;

    QMenu* kFileBox = nullptr;
    QAction* kFileBox_Refresh = nullptr;
    QMenu* kFileBox_Select = nullptr;
    QAction* kFileBox_Select_All = nullptr;
    QAction* kFileBox_Select_Nothing = nullptr;
    QMenu* kFileBox_Run = nullptr;
    QAction* kFileBox_Run_Default = nullptr;
    QAction* kFileBox_Run_Editor = nullptr;
    QAction* kFileBox_CopyPath = nullptr;

    QMenu* kFileInfo = nullptr;
    QAction* kFileInfo_CopyCurrent = nullptr;
    QAction* kFileInfo_CopyAll = nullptr;

    QMenu* kMasks = nullptr;
    QList<QAction*> kMasks_List; // 0 edit, 1 separator, 2 "(Standard)", 3.. the masks

    QMenu* kTray = nullptr;
    QAction* kTray_Restore = nullptr;
    QAction* kTray_Quit = nullptr;
    QAction* kTray_Cancel = nullptr;

private:
    void BuildMenuBar(QMainWindow* window);
    void BuildToolBar(QMainWindow* window);
    void BuildContextMenus(QMainWindow* window);
};
