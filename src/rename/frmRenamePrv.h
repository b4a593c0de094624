// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QTableView;
class RenamePreviewModel;
class pRenFiles;

// The preview "Vorschau": old and new name of every file the check looked
// at whose name changes, with "OK", or "!" and the reason as tool tip.
class frmRenamePrv : public QDialog {
    Q_OBJECT
public:
    explicit frmRenamePrv(QWidget* owner = nullptr);

    void Fill(const pRenFiles& files);
    // Does nothing: the rename window fills the list (Fill).
    void LVFill() {}

    QTableView* LV = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void SizeColumns();

    RenamePreviewModel* m_model = nullptr;
};
