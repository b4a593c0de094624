// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileinfo/pDirTotals.h"

#include <QDialog>

#include <memory>

class JobRunner;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// A folder's times and attributes, and the totals of what it holds, counted
// in the background from the moment the window shows. Escape or "Abbrechen"
// stop the count and keep the figures; Escape again, or closing, ends.
class frmDirInfo : public QDialog {
    Q_OBJECT
public:
    explicit frmDirInfo(QWidget* owner = nullptr);
    ~frmDirInfo() override;

    void pubInit(const QString& folder);
    bool IsCounting() const;

    QLineEdit* txtCreated = nullptr;
    QLineEdit* txtModified = nullptr;
    QLineEdit* txtAccessed = nullptr;
    QCheckBox* chkAttr[3] = {};
    QLineEdit* txtContents = nullptr;
    QLineEdit* txtSize = nullptr;
    QLineEdit* txtAllocated = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void startCount();
    void showFigures();
    void countEnded();

    QString m_folder;
    std::shared_ptr<pDirTotals> m_totals;
    std::shared_ptr<pDirTotals::Outcome> m_outcome;
    JobRunner* m_runner = nullptr;
    QTimer* m_poll = nullptr;
    bool m_started = false;
};
