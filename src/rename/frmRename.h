// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rename/RenameRule.h"
#include "rename/pRenFiles.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class QWidget;

// The batch rename window "Stapel-Umbenennen": a rule put together from the
// name mode, numbering and the extension, its result on an example name
// shown with every change, and "&OK", which checks every file of the folder
// that matches the mask before anything is renamed. "&Rückgängig" undoes
// the last run in this folder.
class frmRename : public QDialog {
    Q_OBJECT
public:
    explicit frmRename(QWidget* owner = nullptr);
    ~frmRename() override;

    // The folder (a trailing "/" is added), the mask text and an example
    // file name (empty keeps the stored one).
    void pubInitForm(const QString& folder, const QString& mask, const QString& example);

    // The rule the controls hold.
    RenameRule Rule() const;
    const pRenFiles& Files() const { return m_files; }
    QString Folder() const { return m_folder; }

    // Finishes a run that was cut short and offers to undo it (done once
    // the window is on screen).
    void FinishLastRun();

    QLabel* lblCaption = nullptr;
    QLabel* lblFolder = nullptr;
    QGroupBox* fraName = nullptr;
    QComboBox* cmbMode = nullptr;
    QStackedWidget* fraPanels = nullptr;
    QWidget* fraReplace = nullptr;
    QLineEdit* txtFind = nullptr;
    QLineEdit* txtReplace = nullptr;
    QLineEdit* txtlStartPos = nullptr;
    QComboBox* cmbCount = nullptr;
    QWidget* fraComplete = nullptr;
    QLineEdit* txtComplete = nullptr;
    QComboBox* cmbComplete = nullptr;
    QLabel* lblStartPosComplete = nullptr;
    QLineEdit* txtStartPosComplete = nullptr;
    QWidget* fraChar = nullptr;
    QLineEdit* txtChar = nullptr;
    QLineEdit* txtCharPos = nullptr;
    QComboBox* cmbCharMode = nullptr;
    QCheckBox* chkReverse = nullptr;
    QWidget* fraSpecial = nullptr;
    QCheckBox* chkExtractNumber = nullptr;
    QGroupBox* fraNumber = nullptr;
    QCheckBox* chkNumber = nullptr;
    QLabel* lblNumber = nullptr;
    QLineEdit* txtNumber = nullptr;
    QLabel* lblPlaces = nullptr;
    QLineEdit* txtPlaces = nullptr;
    QRadioButton* optNumber[2] = {}; // 0 "am Anfang", 1 "am Ende"
    QGroupBox* fraExtension = nullptr;
    QCheckBox* chkExtension = nullptr;
    QLineEdit* txtExtension = nullptr;
    QGroupBox* fraResult = nullptr;
    QLineEdit* txtExample = nullptr;
    QLineEdit* txtResult = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdUndo = nullptr;
    QPushButton* cmdCancel = nullptr;
    int chkEdited = 0; // 1 once a run or an undo changed files

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildControls();
    QWidget* BuildReplacePanel();
    QWidget* BuildCompletePanel();
    QWidget* BuildCharPanel();
    QGroupBox* BuildNumberFrame();
    QGroupBox* BuildResultFrame();
    void ConnectControls();

    void cmbMode_Click(int index);
    void cmbComplete_Click(int index);
    void chkReverse_Click();
    void chkNumber_Click();
    void chkExtension_Click();
    void PositionChanged(QLineEdit* field);
    void txtNumber_Validate();
    void txtPlaces_Validate();
    void RefreshOK();
    void RefreshResult();
    void SetFieldEnabled(QLineEdit* field, bool enabled, const QString& text);

    void cmdOK_Click();
    void cmdUndo_Click();
    bool CheckFiles();
    void RunRename();
    void UndoLastRun();
    void ShowPreview();
    void RefreshUndo();
    void Handle(const char* procedure, const std::function<void()>& body);

    QString m_folder;
    QString m_mask;
    bool m_loading = false;
    bool m_shownOnce = false;
    pRenFiles m_files;
};
