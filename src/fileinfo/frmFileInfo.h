// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileinfo/FileVersionInfo.h"

#include <QDialog>

class OfficeDocProperties;
class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;

// The properties of one file: its record, its version resource and, for
// office documents, their properties (read when that page is chosen).
// Shown only: nothing here changes the file.
class frmFileInfo : public QDialog {
    Q_OBJECT
public:
    enum Page { PageGeneral = 0, PageVersion = 1, PageOffice = 2 };

    explicit frmFileInfo(QWidget* owner = nullptr);

    // The reader stays the caller's and must outlive the window. False, with
    // the window left empty, when there is no such file.
    bool pubInit(OfficeDocProperties* reader, const QString& path);

    QTabWidget* tabInfo = nullptr;
    QLabel* picIcon = nullptr;
    QLineEdit* txtFilename = nullptr;
    QLineEdit* txtType = nullptr;
    QLineEdit* txtLocation = nullptr;
    QLineEdit* txtSize = nullptr;
    QLineEdit* txtDosName = nullptr;
    QLineEdit* txtDosPath = nullptr;
    QLineEdit* txtCreated = nullptr;
    QLineEdit* txtModified = nullptr;
    QLineEdit* txtAccessed = nullptr;
    QCheckBox* chkAttr[6] = {};
    QLineEdit* txtFileVer = nullptr;
    QLineEdit* txtDescription = nullptr;
    QLineEdit* txtCopyright = nullptr;
    QListWidget* lstVerInfo = nullptr;
    QLineEdit* txtVerInfo = nullptr;
    QLabel* lblPrp[11] = {};
    QLineEdit* txtPrp[11] = {};

private:
    QWidget* buildGeneralPage();
    QWidget* buildVersionPage();
    QWidget* buildOfficePage();
    void fillGeneral(const QString& path);
    void fillVersion();
    void showVersionValue(int row);
    void pageChosen(int index);
    bool fillOffice();

    OfficeDocProperties* m_reader = nullptr;
    QString m_path;
    FileVersionInfo m_version;
    QFormLayout* m_generalRows = nullptr;
    int m_shownPage = PageGeneral;
};
