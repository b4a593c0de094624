// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

#include <functional>
#include <memory>

class DirCompListModel;
class DirCompareJob;
class DirSyncJob;
class JobProgressBar;
class JobRunner;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;
class pDirComp;
struct JobResult;

// "Verzeichnisse vergleichen": compares the files of a source and a
// destination folder (pDirComp), shows both lists coloured by class, and
// runs the chosen one-way sync actions (pDirSync) on the folders it
// compared. Reading and the run go on a worker thread with a progress line;
// "&Abbrechen", Escape and closing the window stop them.
class frmDirComp : public QDialog {
    Q_OBJECT
public:
    explicit frmDirComp(QWidget* owner = nullptr);
    ~frmDirComp() override;

    QLabel* lblPath[2] = {};
    QLineEdit* txtPath[2] = {}; // 0 source, 1 destination
    QPushButton* cmdBrowse[2] = {};
    QPushButton* cmdCompare = nullptr;
    QLabel* lblLVSource = nullptr;
    QLabel* lblLVDest = nullptr;
    QTreeView* LVSource = nullptr;
    QTreeView* LVDest = nullptr;
    QCheckBox* chkDiff = nullptr;
    QGroupBox* fraAction = nullptr;
    QCheckBox* chk[3] = {}; // 0 delete same in source, 1 copy, 2 delete surplus
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    JobProgressBar* progress = nullptr;

    DirCompListModel& SourceList() const { return *m_sourceList; }
    DirCompListModel& DestList() const { return *m_destList; }
    // A comparison or a run is going on.
    bool Busy() const;
    // A run copied or deleted files (the caller refreshes what it shows).
    bool FilesChanged() const { return m_filesChanged; }

Q_SIGNALS:
    // The window unloads while it runs alone: the run ends with it.
    void shutdownRequested();
    // A comparison or a run has ended and the window shows its outcome.
    void jobEnded();

public Q_SLOTS:
    void reject() override; // Escape without a job closes the window

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildLayout();
    void connectControls();

    void SetListsEnabled(bool enabled);
    void UpdateActions(bool enabled);
    bool Compare();
    void ResetLists();
    void LoadPaths();
    void SavePaths();

    void compareClicked();
    void compareEnded(const std::shared_ptr<DirCompareJob>& job, const JobResult& result);
    void diffClicked(bool checked);
    void okClicked();
    void runEnded(const std::shared_ptr<DirSyncJob>& job, const JobResult& result);
    void browseClicked(int index);
    void cancelClicked();
    void pathEdited();
    void updateOk();
    void setBusy(bool busy);
    void setLabelEnabled(QLabel* label, bool enabled);

    DirCompListModel* m_sourceList = nullptr;
    DirCompListModel* m_destList = nullptr;
    JobRunner* m_runner = nullptr;
    std::function<void(const JobResult&)> m_onEnd; // what the running job's end leads to
    std::shared_ptr<pDirComp> m_comparison;        // what the lists show; null in the fresh state
    QString m_lastBrowseFolder;
    bool m_sourceDiffers = false;
    bool m_destExtra = false;
    bool m_filesChanged = false;
    bool m_closing = false;
};
