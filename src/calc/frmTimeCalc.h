// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calc/pTimeCalc.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// The time calculator "Zeitrechner": hours, minutes and seconds typed into
// three fields are added to a running sum shown as hours:minutes:seconds.
// Enter moves on to the next field; "+" typed anywhere adds at once.
class frmTimeCalc : public QDialog {
    Q_OBJECT
public:
    explicit frmTimeCalc(QWidget* parent = nullptr);

    const pTimeCalc& Sum() const { return m_sum; }

    QLineEdit* txtIn[3] = {};   // 0 hours, 1 minutes, 2 seconds
    QLineEdit* Text2 = nullptr; // the sum
    QPushButton* cmdSum = nullptr;
    QPushButton* cmdReset = nullptr;

Q_SIGNALS:
    // The window unloads while it runs alone: the run ends with it.
    void shutdownRequested();

public Q_SLOTS:
    void reject() override; // Escape closes the window the ordinary way

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Add();
    void Reset();
    int FieldIndex(QObject* object) const;

    pTimeCalc m_sum;
};
