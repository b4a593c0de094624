// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/frmMainMenus.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

namespace {
QAction* Item(QMenu* menu, const char* name, const char* caption)
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QLatin1String(name));
    return action;
}

QMenu* Menu(QWidget* parent, const char* name, const char* caption)
{
    auto* menu = new QMenu(QString::fromUtf8(caption), parent);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QMenu* SubMenu(QMenu* parent, const char* name, const char* caption)
{
    QMenu* menu = parent->addMenu(QString::fromUtf8(caption));
    menu->setObjectName(QLatin1String(name));
    menu->menuAction()->setObjectName(QLatin1String(name));
    return menu;
}

QAction* ToolButton(QToolBar* bar, const char* key, const char* caption, const char* tip,
                    const char* theme, QStyle::StandardPixmap fallback)
{
    const QIcon icon = QIcon::fromTheme(QLatin1String(theme), bar->style()->standardIcon(fallback));
    QAction* action = bar->addAction(icon, QString::fromUtf8(caption));
    action->setObjectName(QStringLiteral("TB_") + QLatin1String(key));
    action->setToolTip(QString::fromUtf8(tip));
    return action;
}
} // namespace

frmMainMenus::frmMainMenus(QMainWindow* window)
{
    BuildMenuBar(window);
    BuildToolBar(window);
    BuildContextMenus(window);
}

void frmMainMenus::BuildMenuBar(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    mFile = Menu(window, "mFile", "&Datei");
    bar->addMenu(mFile);
    mFile_Last = SubMenu(mFile, "mFile_Last", "&Letzte Dateien/Ordner");
    mFile_Last_Reg = SubMenu(mFile_Last, "mFile_Last_Reg", "&Registrieren");
    mFile_Last_Folders = SubMenu(mFile_Last, "mFile_Last_Folders", "&Ordner");
    mFile->addSeparator()->setObjectName(QStringLiteral("mFile_Sep1"));
    mFile_Quit = Item(mFile, "mFile_Quit", "&Beenden");

    mView = Menu(window, "mView", "&Ansicht");
    bar->addMenu(mView);
    mView_FileInfo = Item(mView, "mView_FileInfo", "&Dateiinformationen");
    mView_FileInfo->setCheckable(true);

    mExtras = Menu(window, "mExtras", "&Extras");
    bar->addMenu(mExtras);
    mExtras_CompareDirs = Item(mExtras, "mExtras_CompareDirs", "&Ordner vergleichen");
    mExtras->addSeparator()->setObjectName(QStringLiteral("mExtras_Bar0"));
    mExtras_Calc = Item(mExtras, "mExtras_Calc", "&Rechner");
    mExtras_TimeCalc = Item(mExtras, "mExtras_TimeCalc", "&Zeitrechner");
    mExtras_InterestCalc = Item(mExtras, "mExtras_InterestCalc", "Z&insrechner");
    mExtras->addSeparator()->setObjectName(QStringLiteral("mExtras_Bar1"));
    mExtras_Options = Item(mExtras, "mExtras_Options", "O&ptionen");
    // The folder comparison is a tool of its own, not part of this build yet.
    mExtras_CompareDirs->setEnabled(false);

    mHelp = Menu(window, "mHelp", "&?");
    bar->addMenu(mHelp);
    mHelp_Help = Item(mHelp, "mHelp_Help", "&Hilfe");
    mHelp->addSeparator()->setObjectName(QStringLiteral("mHelp_Bar0"));
    mHelp_Web = Item(mHelp, "mHelp_Web", "Quexel im &Web");
    mHelp->addSeparator()->setObjectName(QStringLiteral("mHelp_Bar2"));
    mHelp_Info = Item(mHelp, "mHelp_Info", "&Info");
}

void frmMainMenus::BuildToolBar(QMainWindow* window)
{
    TB = window->addToolBar(QStringLiteral("TB"));
    TB->setObjectName(QStringLiteral("TB"));
    TB->setMovable(false);
    TB->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    TB_Compare = ToolButton(TB, "Compare", "Vergleichen", "Ordner vergleichen",
                            "view-split-left-right", QStyle::SP_FileDialogContentsView);
    TB_Rename = ToolButton(TB, "Rename", "Umbenennen", "Stapel-Umbenennen", "edit-rename",
                           QStyle::SP_FileDialogDetailedView);
    TB_SlideShow = ToolButton(TB, "SlideShow", "Slideshow", "SlideShow für den aktuellen Ordner",
                              "media-playback-start", QStyle::SP_MediaPlay);
    TB_Icons = ToolButton(TB, "Icons", "Icons", "Icons anzeigen", "image-x-generic",
                          QStyle::SP_FileDialogListView);
    TB->addSeparator();
    TB_Calc = ToolButton(TB, "Calc", "&Rechner", "Rechner", "accessories-calculator",
                         QStyle::SP_ComputerIcon);
    auto* calcMenu = new QMenu(window);
    calcMenu->setObjectName(QStringLiteral("TB_Calc_Menu"));
    TB_Calc_TimeCalc = calcMenu->addAction(QStringLiteral("Zeitrechner"));
    TB_Calc_InterestCalc = calcMenu->addAction(QStringLiteral("Zinsrechner"));
    TB_Calc->setMenu(calcMenu);
    if (auto* button = qobject_cast<QToolButton*>(TB->widgetForAction(TB_Calc)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    // Their tools are not part of this build yet.
    for (QAction* missing : {TB_Compare, TB_Rename, TB_SlideShow, TB_Icons})
        missing->setEnabled(false);
}

void frmMainMenus::BuildContextMenus(QMainWindow* window)
{
    kDirBox = Menu(window, "kDirBox", "kDirBox");
    kDirBox_Refresh = Item(kDirBox, "kDirBox_Refresh", "A&ktualisieren");
    kDirBox_CopyPath = Item(kDirBox, "kDirBox_CopyPath", "&Pfad kopieren");

    kFileBox = Menu(window, "kFileBox", "kFileBox");
    kFileBox_Refresh = Item(kFileBox, "kFileBox_Refresh", "A&ktualisieren");
    kFileBox->addSeparator()->setObjectName(QStringLiteral("kFileBox_Bar0"));
    kFileBox_Select = SubMenu(kFileBox, "kFileBox_Select", "&Auswählen");
    kFileBox_Select_All = Item(kFileBox_Select, "kFileBox_Select_All", "&Alles");
    kFileBox_Select_Nothing = Item(kFileBox_Select, "kFileBox_Select_Nothing", "&Nichts");
    kFileBox->addSeparator()->setObjectName(QStringLiteral("kFileBox_Bar1"));
    kFileBox_Run = SubMenu(kFileBox, "kFileBox_Run", "&Öffnen");
    kFileBox_Run_Default = Item(kFileBox_Run, "kFileBox_Run_Default", "&Standard");
    kFileBox_Run_Editor = Item(kFileBox_Run, "kFileBox_Run_Editor", "&Im Editor");
    kFileBox->addSeparator()->setObjectName(QStringLiteral("kFileBox_Bar3"));
    kFileBox_CopyPath = Item(kFileBox, "kFileBox_CopyPath", "&Pfad kopieren");

    kFileInfo = Menu(window, "kFileInfo", "kFileInfo");
    kFileInfo_CopyCurrent = Item(kFileInfo, "kFileInfo_CopyCurrent", "&Kopieren");
    kFileInfo_CopyAll = Item(kFileInfo, "kFileInfo_CopyAll", "&Alles kopieren");

    kMasks = Menu(window, "kMasks", "kMasks");
    kMasks_List.append(Item(kMasks, "kMasks_List_0", " &Menü bearbeiten ..."));
    kMasks_List.append(kMasks->addSeparator());
    kMasks_List[1]->setObjectName(QStringLiteral("kMasks_List_1"));
    kMasks_List.append(Item(kMasks, "kMasks_List_2", "(Standard)"));

    kTray = Menu(window, "kTray", "kTray");
    kTray_Restore = Item(kTray, "kTray_Restore", "&Wiederherstellen");
    QFont bold = kTray_Restore->font();
    bold.setBold(true);
    kTray_Restore->setFont(bold);
    kTray_Quit = Item(kTray, "kTray_Quit", "Tolvane &beenden");
    kTray->addSeparator()->setObjectName(QStringLiteral("kTray_Bar1"));
    kTray_Cancel = Item(kTray, "kTray_Cancel", "&Abbrechen");
}
