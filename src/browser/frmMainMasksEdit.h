// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// Input of one file mask: its name and its extension list.
class frmMainMasksEdit : public QDialog {
    Q_OBJECT
public:
    explicit frmMainMasksEdit(QWidget* parent = nullptr);

    enum class Mode { Edit = 0, Add = 1 };
    // Editing an existing mask or adding a new one: sets the caption.
    void SetP_Mode(Mode mode);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txt[2] = {nullptr, nullptr};
    QLabel* lblDesc = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    int chkCancel = 1; // 0 confirmed, 1 cancelled

public Q_SLOTS:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override { cmdCancel_Click(); }

private:
    void txt_Change();
};
