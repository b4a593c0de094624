// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/frmMainMenus.h"
#include "browser/pPatterns.h"

#include <QMainWindow>

#include <memory>

class DirListBox;
class FileBoxModel;
class FileInfoPane;
class MainCommands;
class QComboBox;
class QLabel;
class QListView;
class QSplitter;
class QToolButton;
class RecentMenu;
class Tray;
class WidgetPlacement;
class cuFormPositioner;
class cuRecentFiles;
class pPicViewer;

// The three-pane file browser: drive and folder on the left, the matching
// files in the middle, information and preview of the selected file on the
// right. Commands that belong to the application frame (the options dialog,
// ending the run) are signalled to whoever created the window, so this layer
// never reaches up into start-up code.
class frmMain : public QMainWindow, public pPatternsMenuOwner {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    frmMainMenus* Menus() const { return m_menus.get(); }
    // The entries the frame and the tools' own tests reach directly.
    QAction* mFile_Quit = nullptr;
    QAction* mExtras_Calc = nullptr;
    QAction* mExtras_TimeCalc = nullptr;
    QAction* mExtras_InterestCalc = nullptr;
    QAction* mExtras_Options = nullptr;

    QSplitter* EO = nullptr;
    QWidget* fraFolders = nullptr;
    QComboBox* DriveBox = nullptr;
    DirListBox* DirBox = nullptr;
    QWidget* fraFiles = nullptr;
    QLabel* lblPath = nullptr;
    QListView* FileBox = nullptr;
    QLabel* lblFiles = nullptr;
    QComboBox* cmbMask = nullptr;
    QToolButton* cmdMasks = nullptr;
    FileInfoPane* fraFileInfo = nullptr;

    FileBoxModel* Files() const { return m_files; }
    const pPatterns& Patterns() const { return m_Patterns; }
    cuRecentFiles* RecentFolders() const { return m_RecentFolders.get(); }
    cuRecentFiles* RecentRegFiles() const { return m_RecentRegFiles.get(); }
    Tray* TrayIcon() const { return m_Tray; }

    // Window procedures the commands share.
    void ShowFileIno();
    void RefreshFileView();
    qint32 SelectedCount() const;
    void SelectFiles(const QString& name, bool state);
    bool HasIconFiles() const;
    // The current file's full path; empty without a current file.
    QString CurrentFilePath() const;
    // The folder box changed: list its files, note the folder as recent.
    void DirBox_Change();

    void SetMaskMenuEntries(const QList<QPair<QString, QString>>& captionsAndTags) override;

    MainCommands* Commands() const { return m_commands; }
    pPicViewer* PicViewer() const { return m_PicViewer.get(); }
    pPatterns& Patterns() { return m_Patterns; }

public Q_SLOTS:
    void kMasks_List_Click(int index);
    void mView_FileInfo_Click();
    void m_Tray_DblClick();

Q_SIGNALS:
    void optionsRequested();
    // The window is unloading; the run ends with it.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildPanes();
    void ConnectCommands();
    void Form_Load();
    void InitRecent();
    void LoadInitMaskCombo();
    void StartFolder();
    void LayoutPanes();
    void DriveBox_Change(int index);
    void SyncDriveBox(const QString& path);
    void cmbMask_Change(const QString& text);
    void cmbMask_Validate();
    void FormResize();
    QColor PictureBackColor() const;

    std::unique_ptr<frmMainMenus> m_menus;
    MainCommands* m_commands = nullptr;
    pPatterns m_Patterns;
    std::unique_ptr<pPicViewer> m_PicViewer;
    std::unique_ptr<WidgetPlacement> m_placement;
    std::unique_ptr<cuFormPositioner> m_Positioner;
    std::unique_ptr<cuRecentFiles> m_RecentRegFiles;
    std::unique_ptr<cuRecentFiles> m_RecentFolders;
    RecentMenu* m_regMenu = nullptr;
    RecentMenu* m_folderMenu = nullptr;
    Tray* m_Tray = nullptr;
    FileBoxModel* m_files = nullptr;
    bool m_unloaded = false;
    bool m_shownOnce = false;
};
