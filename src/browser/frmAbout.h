// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

// The maker's web page; "Quexel im Web" and the about window open it.
inline const QString kQuexelWebAddress = QStringLiteral("https://www.example.org/tolvane/");

// The about window: product, version and the disclaimer.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);
};
