// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>

class QAction;
class QMenu;

// The main window. Commands that belong to the application frame (the
// options dialog, ending the run) are signalled to whoever created the window,
// so this layer never reaches up into start-up code.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);

    QMenu* mFile = nullptr;
    QAction* mFile_Quit = nullptr;
    QMenu* mExtras = nullptr;
    QAction* mExtras_Calc = nullptr;
    QAction* mExtras_TimeCalc = nullptr;
    QAction* mExtras_InterestCalc = nullptr;
    QAction* mExtras_Options = nullptr;

Q_SIGNALS:
    void optionsRequested();
    // The window is unloading; the run ends with it.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
};
