// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "browser/MaskEditorRows.h"

#include <QDialog>

class QAction;
class QMenu;
class QPushButton;
class QTreeWidget;

// The list of named file masks. Every change is made on the rows only; the
// caller takes them over when the dialog ends with OK (chkCancel 0).
class frmMainMasks : public QDialog {
    Q_OBJECT
public:
    explicit frmMainMasks(QWidget* parent = nullptr);

    // One row per mask, in the given order.
    void LoadRows(const QList<QPair<QString, QString>>& namesAndValues);
    const MaskEditorRows& Rows() const { return m_rows; }

    QTreeWidget* LV = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;
    QPushButton* CmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QMenu* kLV = nullptr;
    QAction* kLV_Delete = nullptr;
    QAction* kLV_Add = nullptr;
    int chkCancel = 1; // 0 confirmed, 1 cancelled

public Q_SLOTS:
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdDelete_Click();
    void CmdOK_Click();
    void cmdCancel_Click();

protected:
    void reject() override { cmdCancel_Click(); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FillList(int selectRow);
    int SelectedRow() const;
    void FitColumns();

    MaskEditorRows m_rows;
};
