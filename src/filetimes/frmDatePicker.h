// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDateTime>
#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Asks which time of the selected files (or of a folder) to set and to what:
// a date and time typed in, or midnight of each time's own date. The caller
// appends " - " and the file name, " - (Mehrfachauswahl)" or the folder to
// the caption, shows it modally and reads chkCancel, optAction[0],
// ChosenDate() and cmbEditMode. With neither option chosen, OK means the
// reset. "Erstellungsdatum" stays item 0 so the indexes keep their meaning,
// but the birth time cannot be set on Linux: it cannot be chosen.
class frmDatePicker : public QDialog {
    Q_OBJECT
public:
    explicit frmDatePicker(QWidget* owner = nullptr);

    QLabel* lblEditMode = nullptr;
    QComboBox* cmbEditMode = nullptr;
    QLabel* lblAction = nullptr;
    QRadioButton* optAction[2] = {nullptr, nullptr};
    QLabel* lblDate = nullptr;
    QLineEdit* txtDate = nullptr;
    QLabel* lblBirthNote = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    int chkCancel = 1; // 0 confirmed, 1 cancelled

    // The date read from txtDate when "OK" closed the dialog with optAction 0:
    // its date() and time() are the local wall clock; without a date it means
    // now ("00:00:00").
    QDateTime ChosenDate() const { return m_date; }

public Q_SLOTS:
    void cmdOK_Click();
    void cmdCancel_Click();

protected:
    void reject() override { cmdCancel_Click(); }

private:
    void optAction_Click();
    void cmbEditMode_Change(int index);
    void SetDateFieldEnabled(bool enabled);

    QDateTime m_date;
    int m_lastMode = 2;
};
