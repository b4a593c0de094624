// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class DirListBox;
class FileInfoPane;
class PathLabel;
class QAbstractItemModel;
class QComboBox;
class QLabel;
class QListView;
class QMainWindow;
class QSplitter;
class QToolButton;
class QWidget;

// The controls of the main window's three panes, placed by layouts in a
// splitter: folders on the left, files in the middle, information on the
// right. Sizes of old (in twips) are the minimum and initial sizes; when the
// window grows, every pane takes its share.
struct frmMainPanes {
    frmMainPanes(QMainWindow* window, QAbstractItemModel* files);

    // Shares the splitter's width out once it is laid out (first show).
    void ShareWidth(bool infoShown);
    // The right pane at its design width, or collapsed to nothing.
    void ShowInfoPane(bool shown);
    // The font size option for the three boxes; the labels keep their row.
    void ApplyFontSize(int points);

    QSplitter* EO = nullptr;
    QWidget* fraFolders = nullptr;
    QComboBox* DriveBox = nullptr;
    DirListBox* DirBox = nullptr;
    QWidget* fraFiles = nullptr;
    PathLabel* lblPath = nullptr;
    QListView* FileBox = nullptr;
    QLabel* lblFiles = nullptr;
    QComboBox* cmbMask = nullptr;
    QToolButton* cmdMasks = nullptr;
    FileInfoPane* fraFileInfo = nullptr;

private:
    void BuildFolders();
    void BuildFiles(QAbstractItemModel* files);
    void AlignRows();

    QMainWindow* m_window;
};
