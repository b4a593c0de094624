// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/HandlerRunner.h"
#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "browser/pPatterns.h"

#include <QMainWindow>

#include <memory>

class FileBoxModel;
class RecentMenu;
class Tray;
class WidgetPlacement;
class cuFormPositioner;
class frmMainMenus;
struct frmMainPanes;

// The three-pane file browser: drive and folder on the left, the matching
// files in the middle, information and preview of the selected file on the
// right. Its menus come from the command table; commands reach the window
// only through MainView. Commands that belong to the application frame (the
// options dialog, ending the run) are signalled to whoever created the
// window, so this layer never reaches up into start-up code.
class frmMain : public QMainWindow, public pPatternsMenuOwner, public MainView {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Window procedures the commands and the tools share.
    void RefreshFileView();
    qint32 SelectedCount() const;
    bool HasIconFiles() const;
    // The current file's full path; with exactly one file selected, that one.
    QString CurrentFilePath() const;
    FileBoxModel* Files() const { return m_files; }

    // The folder, the list and the selection the entries depend on.
    ToolState CurrentState() const;
    // Sets every entry of the menus, the tool bar and the context menus by
    // the table's rules; runs on every folder change, refill and selection.
    void ApplyToolStates();
    // Tools (and tests) fill in rows and questions here, then ApplyToolStates.
    MainCommandTable& Commands() { return m_commands; }
    ToolPredicates& Predicates() { return m_predicates; }

    void SetMaskMenuEntries(const QList<QPair<QString, QString>>& captionsAndTags) override;

    // MainView
    QWidget* Owner() override { return this; }
    void Quit() override { close(); }
    void RequestOptions() override { Q_EMIT optionsRequested(); }
    void ToggleFileInfo() override;
    void RestoreFromTray() override;
    bool OpenFolder(const QString& folder) override;
    void RefreshFolder(const QString& folder) override;
    void RefreshFiles() override;
    void SelectFiles(const QString& name, bool state) override;
    void SetMaskText(const QString& pattern) override;
    QString MaskText() const override;
    void ChooseMask(int index) override;
    void ShowFileIno() override;
    pPatterns& Patterns() override { return m_Patterns; }
    pPicViewer& Pictures() override { return *m_PicViewer; }
    OfficeDocProperties& DocProperties() override { return *m_DocProperties; }
    cuRecentFiles& RecentFolders() override { return *m_RecentFolders; }
    cuRecentFiles& RecentRegFiles() override { return *m_RecentRegFiles; }
    QString InfoPath() const override;
    QList<FileInfoRow> InfoRows() const override;
    bool CurrentInfoRow(FileInfoRow& row) const override;

Q_SIGNALS:
    void optionsRequested();
    // The window is unloading; the run ends with it.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectEntries();
    void ConnectPanes();
    void Form_Load();
    void InitRecent();
    void LoadInitMaskCombo();
    void StartFolder();
    void RunCommand(const QString& name, int index = 0);
    void DirBox_Change();
    void DirBox_Click(const QString& path);
    void DriveBox_Change(int index);
    void SyncDriveBox(const QString& path);
    void UpdateFolderFacts();
    void cmbMask_Change(const QString& text);
    void cmbMask_Validate();
    void ShowDirBoxMenu(const QPoint& at);
    void ShowFileBoxMenu(const QPoint& at);
    void FormResize();
    QColor PictureBackColor() const;

    HandlerRunner m_runner{QStringLiteral("frmMain")};
    MainCommandTable m_commands;
    ToolPredicates m_predicates;
    ToolState m_folderFacts;  // pictures and icon files of the current folder
    ToolState m_dirMenuState; // the folder the folder menu was opened on
    std::unique_ptr<frmMainMenus> m_menus;
    std::unique_ptr<frmMainPanes> m_panes;
    pPatterns m_Patterns;
    std::unique_ptr<pPicViewer> m_PicViewer;
    std::unique_ptr<OfficeDocProperties> m_DocProperties;
    std::unique_ptr<WidgetPlacement> m_placement;
    std::unique_ptr<cuFormPositioner> m_Positioner;
    std::unique_ptr<cuRecentFiles> m_RecentRegFiles;
    std::unique_ptr<cuRecentFiles> m_RecentFolders;
    Tray* m_Tray = nullptr;
    FileBoxModel* m_files = nullptr;
    bool m_unloaded = false;
    bool m_shownOnce = false;
};
