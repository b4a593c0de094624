// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMain.h"

#include "calc/CalcCommands.h"

#include "core/AppGlobals.h"
#include "core/cuAppError.h"

#include <QCloseEvent>
#include <QMenuBar>

frmMain::frmMain(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tolvane"));
    buildMenus();
    resize(800, 550);
}

void frmMain::buildMenus()
{
    mFile = menuBar()->addMenu(QStringLiteral("&Datei"));
    mFile->setObjectName(QStringLiteral("mFile"));
    mFile_Quit = mFile->addAction(QStringLiteral("&Beenden"));
    mFile_Quit->setObjectName(QStringLiteral("mFile_Quit"));
    connect(mFile_Quit, &QAction::triggered, this, [this] {
        try {
            close();
        } catch (...) {
            AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("mFile_Quit_Click"));
        }
    });

    mExtras = menuBar()->addMenu(QStringLiteral("&Extras"));
    mExtras->setObjectName(QStringLiteral("mExtras"));
    const auto tool = [this](const char* name, const QString& caption, void (*show)(QWidget*)) {
        QAction* action = mExtras->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, [this, name, show] {
            try {
                show(this);
            } catch (...) {
                AppErr().ErrMsg(QStringLiteral("frmMain"), QLatin1String(name) + QStringLiteral("_Click"));
            }
        });
        return action;
    };
    mExtras_Calc = tool("mExtras_Calc", QStringLiteral("&Rechner"), ShowCalculator);
    mExtras_TimeCalc = tool("mExtras_TimeCalc", QStringLiteral("&Zeitrechner"), ShowTimeCalc);
    mExtras_InterestCalc = tool("mExtras_InterestCalc", QStringLiteral("Z&insrechner"), ShowInterestCalc);
    mExtras->addSeparator()->setObjectName(QStringLiteral("mExtras_Bar1"));
    mExtras_Options = mExtras->addAction(QStringLiteral("O&ptionen"));
    mExtras_Options->setObjectName(QStringLiteral("mExtras_Options"));
    connect(mExtras_Options, &QAction::triggered, this, [this] {
        try {
            Q_EMIT optionsRequested();
        } catch (...) {
            AppErr().ErrMsg(QStringLiteral("frmMain"), QStringLiteral("mExtras_Options_Click"));
        }
    });
}

void frmMain::closeEvent(QCloseEvent* event)
{
    event->accept();
    Q_EMIT unloaded();
}
