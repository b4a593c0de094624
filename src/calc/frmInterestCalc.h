// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/pInterestCalc.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The interest calculator "Zinsrechner": loan amount, yearly rate and term
// in; monthly instalment and total repayment out.
class frmInterestCalc : public QDialog {
    Q_OBJECT
public:
    explicit frmInterestCalc(QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;      // loan amount
    QLineEdit* Text2 = nullptr;      // yearly interest rate
    QLineEdit* Text3 = nullptr;      // term in months
    QPushButton* Command2 = nullptr; // "Berechnen"
    QLineEdit* Text4 = nullptr;      // monthly instalment
    QLineEdit* Text5 = nullptr;      // total repayment

Q_SIGNALS:
    // The window unloads while it runs alone: the run ends with it.
    void shutdownRequested();

public Q_SLOTS:
    void reject() override; // Escape closes the window the ordinary way

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Calculate();
    QLineEdit* AddField(int row, int column, const QString& caption, const QString& name,
                        int widthTwips, int columnSpan = 1);

    pInterestCalc m_calc;
};
