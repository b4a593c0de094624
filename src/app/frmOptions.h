// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QCheckBox;
class QPushButton;

// The options dialog. Changes take effect at once; they are stored when the
// run ends, so there is nothing to cancel.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    explicit frmOptions(QWidget* owner = nullptr);

    QCheckBox* chkMinToSysTray = nullptr;
    QPushButton* cmdOK = nullptr;
};
