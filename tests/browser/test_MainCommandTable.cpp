// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/HandlerRunner.h"
#include "browser/MainCommandTable.h"
#include "browser/ToolState.h"
#include "core/FilePattern.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QSet>

#include <gtest/gtest.h>

using Place = MainCommand::Place;

// A row nested in a menu or a button takes its holder's place; that every
// row finds its holder is seen in the window (ToolStates.EveryEntryDoesWhatItSays).
TEST(MainCommandTable, NamesAreUniqueAndANestedRowTakesItsHoldersPlace)
{
    const MainCommandTable table;
    QSet<QString> seen;
    for (const MainCommand& row : table.Rows()) {
        EXPECT_FALSE(seen.contains(row.name)) << row.name.toStdString();
        seen.insert(row.name);
    }
    const struct {
        const char* name;
        Place place;
    } places[] = {{"mFile_Last_Folders_List", Place::MenuBar},
                  {"TB_Calc_InterestCalc", Place::ToolBar},
                  {"kFileBox_Run_User_Menu", Place::Context},
                  {"kTray_Cancel", Place::Context}};
    for (const auto& p : places)
        EXPECT_EQ(table.Find(QLatin1String(p.name))->place, p.place) << p.name;
}

TEST(HandlerRunner, FailuresWhileHeldAreToldInOrderOnRelease)
{
    ScriptedMessageBox boxes;
    HandlerRunner runner(QStringLiteral("frmMain"));
    runner.Hold();
    for (const char* procedure : {"Form_Load", "ShowFileIno"})
        runner.Run(procedure,
                   [procedure] { throw AppErrorRecord(5, QString(), QLatin1String(procedure)); });
    runner.Run("RefreshFileView", [] {});
    EXPECT_EQ(boxes.count(), 0);
    runner.Release();
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_TRUE(boxes.shown()[0].text.contains(QStringLiteral("frmMain: Form_Load")));
    EXPECT_TRUE(boxes.shown()[1].text.endsWith(QStringLiteral("ShowFileIno")));
    runner.Run("DirBox_Change", [] { throw AppErrorRecord(76, QString(), QStringLiteral("x")); });
    EXPECT_EQ(boxes.count(), 3);
}

TEST(ToolState, FolderFactsAndFileQuestions)
{
    TempDir dir;
    dir.writeFile(QStringLiteral("Bild.JPG"));
    dir.writeFile(QStringLiteral("Prog.DLL"));
    dir.makeDir(QStringLiteral("leer"));
    ToolPredicates tests;
    tests.PathHasPics = [](const QString& folder) { return !folder.endsWith(u"leer/"); };
    const struct {
        QString folder;
        const char* mask;
        bool files, pics, icons;
    } folders[] = {
        {dir.path(), "*.*", true, true, true},
        {dir.path(), "*.txt", false, true, true},
        {dir.filePath(QStringLiteral("leer")), "*.*", false, false, false},
        {QString(), "*.*", false, false, false},
    };
    for (const auto& f : folders) {
        const ToolState s =
            ToolState::ForFolder(f.folder, FilePattern(QLatin1String(f.mask)), tests);
        const std::string what = f.folder.toStdString() + " " + f.mask;
        EXPECT_EQ(s.folderHasFiles, f.files) << what;
        EXPECT_EQ(s.folderHasPics, f.pics) << what;
        EXPECT_EQ(s.folderHasIconFiles, f.icons) << what;
    }
}
