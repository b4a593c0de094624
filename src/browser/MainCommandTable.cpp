// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/MainCommandTable.h"

#include "browser/HandlerRunner.h"

#include <QtGlobal>

namespace {
using Kind = MainCommand::Kind;
using Place = MainCommand::Place;
using Rule = bool (*)(const ToolState&);

// The rules of the entries, named after what they ask.
bool FolderHasFiles(const ToolState& s)
{
    return s.folderHasFiles && !s.folder.isEmpty();
}
bool FolderHasPics(const ToolState& s)
{
    return s.folderHasPics;
}
bool FolderHasIconFiles(const ToolState& s)
{
    return s.folderHasIconFiles;
}
bool AnySelected(const ToolState& s)
{
    return s.SelectedCount() > 0;
}
bool OneSelected(const ToolState& s)
{
    return s.SelectedCount() == 1;
}
bool OnePicture(const ToolState& s)
{
    return OneSelected(s) && s.CurrentIsPicture();
}
bool OneRegistryFile(const ToolState& s)
{
    return OneSelected(s) && s.CurrentHasExtension({"reg"});
}
bool OneLibrary(const ToolState& s)
{
    return OneSelected(s) && s.CurrentHasExtension({"ocx", "dll"});
}
bool UserMenuOffered(const ToolState& s)
{
    return OneSelected(s) && s.HasUserMenu();
}
// One file: the registration accepts it; several: it accepts one of them.
bool RegistrationOffered(const ToolState& s)
{
    return s.SelectedCount() >= 1 && s.AnySelectedIsActiveX();
}

struct Line {
    const char* parent;
    const char* name;
    const char* caption;
    Kind kind = Kind::Item;
    Rule enabled = nullptr;
    Rule visible = nullptr;
};

// Every entry in window order. Separators and submenus are entries too, so
// that the menus are built from this table alone.
const Line kLines[] = {
    {"MenuBar", "mFile", "&Datei", Kind::Menu},
    {"mFile", "mFile_Last", "&Letzte Dateien/Ordner", Kind::Menu},
    {"mFile_Last", "mFile_Last_Reg", "&Registrieren", Kind::Menu},
    {"mFile_Last_Reg", "mFile_Last_Reg_List", "", Kind::List},
    {"mFile_Last", "mFile_Last_Folders", "&Ordner", Kind::Menu},
    {"mFile_Last_Folders", "mFile_Last_Folders_List", "", Kind::List},
    {"mFile", "mFile_Sep1", "-", Kind::Separator},
    {"mFile", "mFile_Quit", "&Beenden"},
    {"MenuBar", "mView", "&Ansicht", Kind::Menu},
    {"mView", "mView_FileInfo", "&Dateiinformationen", Kind::Check},
    {"MenuBar", "mExtras", "&Extras", Kind::Menu},
    {"mExtras", "mExtras_CompareDirs", "&Ordner vergleichen"},
    {"mExtras", "mExtras_Bar0", "-", Kind::Separator},
    {"mExtras", "mExtras_Calc", "&Rechner"},
    {"mExtras", "mExtras_TimeCalc", "&Zeitrechner"},
    {"mExtras", "mExtras_InterestCalc", "Z&insrechner"},
    {"mExtras", "mExtras_Bar1", "-", Kind::Separator},
    {"mExtras", "mExtras_Options", "O&ptionen"},
    {"MenuBar", "mHelp", "&?", Kind::Menu},
    {"mHelp", "mHelp_Help", "&Hilfe"},
    {"mHelp", "mHelp_Bar0", "-", Kind::Separator},
    {"mHelp", "mHelp_Web", "Quexel im &Web"},
    {"mHelp", "mHelp_Bar2", "-", Kind::Separator},
    {"mHelp", "mHelp_Info", "&Info"},

    {"TB", "TB_Compare", "Vergleichen"},
    {"TB", "TB_Rename", "Umbenennen", Kind::Item, FolderHasFiles},
    {"TB", "TB_SlideShow", "Slideshow", Kind::Item, FolderHasPics},
    {"TB", "TB_Icons", "Icons", Kind::Item, FolderHasIconFiles},
    {"TB", "TB_Bar0", "-", Kind::Separator},
    {"TB", "TB_Calc", "&Rechner"},
    {"TB_Calc", "TB_Calc_TimeCalc", "Zeitrechner"},
    {"TB_Calc", "TB_Calc_InterestCalc", "Zinsrechner"},

    {"", "kDirBox", "", Kind::Menu},
    {"kDirBox", "kDirBox_Refresh", "A&ktualisieren"},
    {"kDirBox", "kDirBox_Properties", "&Ordnereigenschaften"},
    {"kDirBox", "kDirBox_Bar3", "-", Kind::Separator},
    {"kDirBox", "kDirBox_Date", "&Datum/Uhrzeit ändern ..."},
    {"kDirBox", "kDirBox_CopyPath", "&Pfad kopieren"},
    {"kDirBox", "kDirBox_Bar0", "-", Kind::Separator},
    {"kDirBox", "kDirBox_DirComp", "Ordner &vergleichen"},
    {"kDirBox", "kDirBox_Rename", "Stapel-&Umbenennen ...", Kind::Item, nullptr, FolderHasFiles},
    {"kDirBox", "kDirBox_Bar1", "-", Kind::Separator},
    {"kDirBox", "kDirBox_Slideshow", "&Slideshow", Kind::Item, nullptr, FolderHasPics},
    {"kDirBox", "kDirBox_Bar2", "-", Kind::Separator},
    {"kDirBox", "kDirBox_Icons", "&Icons anzeigen", Kind::Item, nullptr, FolderHasIconFiles},

    {"", "kFileBox", "", Kind::Menu},
    {"kFileBox", "kFileBox_Refresh", "A&ktualisieren"},
    {"kFileBox", "kFileBox_Properties", "Datei&eigenschaften", Kind::Item, AnySelected},
    {"kFileBox", "kFileBox_Bar0", "-", Kind::Separator},
    {"kFileBox", "kFileBox_Select", "&Auswählen", Kind::Menu},
    {"kFileBox_Select", "kFileBox_Select_All", "&Alles"},
    {"kFileBox_Select", "kFileBox_Select_Nothing", "&Nichts"},
    {"kFileBox", "kFileBox_Bar1", "-", Kind::Separator},
    {"kFileBox", "kFileBox_Run", "&Öffnen", Kind::Menu, nullptr, OneSelected},
    {"kFileBox_Run", "kFileBox_Run_Default", "&Standard"},
    {"kFileBox_Run", "kFileBox_Run_Editor", "&Im Editor"},
    {"kFileBox_Run", "kFileBox_Run_Bar0", "-", Kind::Separator},
    {"kFileBox_Run", "kFileBox_Run_User", "&Benutzerdefiniert", Kind::Menu, nullptr,
     UserMenuOffered},
    {"kFileBox_Run_User", "kFileBox_Run_User_Menu", "-", Kind::List},
    {"kFileBox_Run", "kFileBox_Run_Bar1", "-", Kind::Separator},
    {"kFileBox_Run", "kFileBox_Run_PicView", "&Bild anzeigen", Kind::Item, nullptr, OnePicture},
    {"kFileBox_Run", "kFileBox_Run_RegView", "&RegView", Kind::Item, nullptr, OneRegistryFile},
    {"kFileBox", "kFileBox_Bar2", "-", Kind::Separator},
    {"kFileBox", "kFileBox_Reg", "Registrieren", Kind::Menu, nullptr, RegistrationOffered},
    {"kFileBox_Reg", "kFileBox_Reg_On", "Registrieren"},
    {"kFileBox_Reg", "kFileBox_Reg_Off", "Registrierung aufheben"},
    {"kFileBox", "kFileBox_Bar3", "-", Kind::Separator},
    {"kFileBox", "kFileBox_Date", "&Datum/Uhrzeit ändern ...", Kind::Item, AnySelected},
    {"kFileBox", "kFileBox_CopyPath", "&Pfad kopieren", Kind::Item, nullptr, OneSelected},
    {"kFileBox", "kFileBox_DLLCopy", "DLL-&Kopie", Kind::Item, nullptr, OneLibrary},
    {"kFileBox", "kFileBox_Bar4", "-", Kind::Separator},
    {"kFileBox", "kFileBox_Rename", "Stapel-&Umbenennen ..."},

    {"", "kFileInfo", "", Kind::Menu},
    {"kFileInfo", "kFileInfo_CopyCurrent", "&Kopieren"},
    {"kFileInfo", "kFileInfo_CopyAll", "&Alles kopieren"},

    {"", "kPicPreView", "", Kind::Menu},
    {"kPicPreView", "kPicPreView_Show", "&Bild anzeigen"},

    {"", "kMasks", "", Kind::Menu},
    {"kMasks", "kMasks_List", "", Kind::List},

    {"", "kTray", "", Kind::Menu},
    {"kTray", "kTray_Restore", "&Wiederherstellen"},
    {"kTray", "kTray_Quit", "Tolvane &beenden"},
    {"kTray", "kTray_Bar1", "-", Kind::Separator},
    {"kTray", "kTray_Cancel", "&Abbrechen"},
};

bool Holds(const CommandRule& rule, const ToolState& state)
{
    return !rule || rule(state);
}
} // namespace

bool MainCommand::Visible(const ToolState& state) const
{
    if (place != Place::Context)
        return true;
    const bool runnable = handler || kind == Kind::Menu;
    return runnable && Holds(visible, state);
}

bool MainCommand::Enabled(const ToolState& state) const
{
    if (place == Place::Context || kind == Kind::Menu)
        return Holds(enabled, state);
    return handler && Holds(enabled, state) && Holds(visible, state);
}

MainCommandTable::MainCommandTable()
{
    m_rows.reserve(std::size(kLines));
    for (const Line& line : kLines) {
        MainCommand row;
        row.parent = QLatin1String(line.parent);
        row.name = QLatin1String(line.name);
        row.caption = QString::fromUtf8(line.caption);
        row.kind = line.kind;
        if (line.enabled)
            row.enabled = line.enabled;
        if (line.visible)
            row.visible = line.visible;
        Add(std::move(row));
    }
}

MainCommand::Place MainCommandTable::PlaceOf(const QString& parent) const
{
    if (parent == QLatin1String("MenuBar"))
        return Place::MenuBar;
    if (parent == QLatin1String("TB"))
        return Place::ToolBar;
    if (parent.isEmpty())
        return Place::Context;
    const MainCommand* holder = Find(parent);
    return holder ? holder->place : Place::Context;
}

void MainCommandTable::Add(MainCommand row)
{
    row.place = PlaceOf(row.parent);
    m_rows.push_back(std::move(row));
}

const MainCommand* MainCommandTable::Find(const QString& name) const
{
    for (const MainCommand& row : m_rows) {
        if (row.name == name)
            return &row;
    }
    return nullptr;
}

MainCommand* MainCommandTable::FindRow(const QString& name)
{
    return const_cast<MainCommand*>(std::as_const(*this).Find(name));
}

void MainCommandTable::SetHandler(std::initializer_list<const char*> names,
                                  const CommandHandler& handler)
{
    for (const char* name : names) {
        MainCommand* row = FindRow(QString::fromLatin1(name));
        Q_ASSERT_X(row, "MainCommandTable::SetHandler", name);
        if (row)
            row->handler = handler;
    }
}

void MainCommandTable::SetRules(const char* name, const CommandRule& enabled,
                                const CommandRule& visible)
{
    MainCommand* row = FindRow(QString::fromLatin1(name));
    Q_ASSERT_X(row, "MainCommandTable::SetRules", name);
    if (row) {
        row->enabled = enabled;
        row->visible = visible;
    }
}

bool MainCommandTable::Run(const QString& name, HandlerRunner& runner,
                           const CommandCall& call) const
{
    const MainCommand* row = Find(name);
    if (!row || !row->handler)
        return false;
    const CommandHandler handler = row->handler;
    runner.Run(name + QStringLiteral("_Click"), [&] { handler(call); });
    return true;
}
