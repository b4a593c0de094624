// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

class QComboBox;
class QLineEdit;
class QToolButton;

// The slideshow's status strip along the bottom: the status text on the
// left, on the right the control strip with first, previous, next, last,
// play and stop and the interval list ("1" to "20" seconds).
class SlideStatusStrip : public QFrame {
    Q_OBJECT
public:
    explicit SlideStatusStrip(QWidget* parent = nullptr);

    QLineEdit* txtAnzeige = nullptr;
    QWidget* picPlay = nullptr;
    QToolButton* cmdFirst = nullptr;
    QToolButton* cmdPrevious = nullptr;
    QToolButton* cmdNext = nullptr;
    QToolButton* cmdLast = nullptr;
    QToolButton* cmdPlay = nullptr;
    QToolButton* cmdStop = nullptr;
    QComboBox* cmbInterval = nullptr;

private:
    QToolButton* AddButton(const char* name, const char* tip, const char* theme, int fallback);
};
