// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// F1 anywhere in the program: a window with a help menu entry ("mHelp_Help")
// runs that entry; any other window shows its own topic, owned by itself.
// Installed once on the application.
class HelpKeyFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    static void Install();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
