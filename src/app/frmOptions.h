// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

// The options dialog. Changes take effect at once; they are stored when the
// run ends, so there is nothing to cancel. The editor command is stored as
// the dialog closes (it is a value of its own, not part of pOptions).
class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* owner = nullptr);

    QCheckBox* chkMinToSysTray = nullptr;
    QLineEdit* txtEditor = nullptr;
    QPushButton* cmdOK = nullptr;
};
