// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/HandlerRunner.h"
#include "browser/MainCommandTable.h"
#include "browser/MainView.h"
#include "browser/ToolState.h"
#include "core/FilePattern.h"
#include "support/PrintQt.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"

#include <QSet>

#include <cstdlib>

#include <gtest/gtest.h>

namespace {
using Place = MainCommand::Place;

// A window for commands that ask nothing of it.
class NoView : public MainView {
public:
    QWidget* Owner() override { return nullptr; }
    void Quit() override {}
    void RequestOptions() override {}
    void ToggleFileInfo() override {}
    void RestoreFromTray() override {}
    bool OpenFolder(const QString&) override { return false; }
    void RefreshFolder(const QString&) override {}
    void RefreshFiles() override {}
    void SelectFiles(const QString&, bool) override {}
    void SetMaskText(const QString&) override {}
    void ChooseMask(int) override {}
    void ShowFileIno() override {}
    pPatterns& Patterns() override { std::abort(); }
    pPicViewer& Pictures() override { std::abort(); }
    cuRecentFiles& RecentFolders() override { std::abort(); }
    cuRecentFiles& RecentRegFiles() override { std::abort(); }
    QString InfoPath() const override { return {}; }
    QList<FileInfoRow> InfoRows() const override { return {}; }
    bool CurrentInfoRow(FileInfoRow&) const override { return false; }
};
} // namespace

// A tool adding a row must find it placed: a typo in a parent would put an
// entry nowhere.
TEST(MainCommandTable, EveryRowHasOneNameAndAHolderBeforeIt)
{
    const MainCommandTable table;
    QSet<QString> seen;
    for (const MainCommand& row : table.Rows()) {
        EXPECT_FALSE(seen.contains(row.name)) << row.name.toStdString();
        const bool root = row.parent.isEmpty() || row.parent == QLatin1String("MenuBar") ||
                          row.parent == QLatin1String("TB");
        EXPECT_TRUE(root || seen.contains(row.parent)) << row.name.toStdString();
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

TEST(MainCommandTable, AnEntryWithoutItsToolIsHiddenInMenusAndDisabledOnBars)
{
    MainCommandTable table;
    ToolState state;
    state.folder = QStringLiteral("/ordner/");
    state.folderHasFiles = true;
    const struct {
        const char* name;
        bool visible, enabled;
    } unbuilt[] = {{"kDirBox_Rename", false, true},
                   {"TB_Rename", true, false},
                   {"mExtras_CompareDirs", true, false}};
    for (const auto& e : unbuilt) {
        const MainCommand* row = table.Find(QLatin1String(e.name));
        EXPECT_EQ(row->Visible(state), e.visible) << e.name;
        EXPECT_EQ(row->Enabled(state), e.enabled) << e.name;
    }
    table.SetHandler({"kDirBox_Rename", "TB_Rename"}, [](const CommandCall&) {});
    EXPECT_TRUE(table.Find(QStringLiteral("kDirBox_Rename"))->Visible(state));
    EXPECT_TRUE(table.Find(QStringLiteral("TB_Rename"))->Enabled(state));
    // The rules still hold over a built tool: no files, nothing to rename.
    state.folderHasFiles = false;
    EXPECT_FALSE(table.Find(QStringLiteral("kDirBox_Rename"))->Visible(state));
    EXPECT_FALSE(table.Find(QStringLiteral("TB_Rename"))->Enabled(state));
}

TEST(MainCommandTable, RunsAHandlerOnceAndReportsItsFailureByName)
{
    ScriptedMessageBox boxes;
    MainCommandTable table;
    HandlerRunner runner(QStringLiteral("frmMain"));
    ToolState state;
    int calls = 0;
    table.SetHandler({"kFileBox_Refresh"}, [&calls](const CommandCall& call) {
        ++calls;
        if (call.index == 7)
            throw AppErrorRecord(53, QStringLiteral("FileBoxModel: Refresh"),
                                 QStringLiteral("Weg."));
    });
    NoView view;
    EXPECT_FALSE(table.Run(QStringLiteral("kFileBox_Date"), runner, {view, state}));
    EXPECT_TRUE(table.Run(QStringLiteral("kFileBox_Refresh"), runner, {view, state}));
    EXPECT_EQ(boxes.count(), 0);
    table.Run(QStringLiteral("kFileBox_Refresh"), runner, {view, state, 7});
    EXPECT_EQ(calls, 2);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.lastText(),
              QStringLiteral("FileBoxModel: Refresh | frmMain: kFileBox_Refresh_Click\n\nWeg."));
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

    ToolState s = ToolState::ForFolder(dir.path(), FilePattern(QStringLiteral("*.*")), tests);
    s.selected = QStringList{QStringLiteral("Prog.DLL"), QStringLiteral("Bild.JPG")};
    s.current = QStringLiteral("Prog.DLL");
    EXPECT_TRUE(s.CurrentHasExtension({"ocx", "dll"}));
    EXPECT_FALSE(s.CurrentHasExtension({"dl"}));
    EXPECT_EQ(s.CurrentPath(), dir.filePath(QStringLiteral("Prog.DLL")));
    // Questions of tools that are not built are answered "no".
    EXPECT_FALSE(s.AnySelectedIsActiveX());
    EXPECT_FALSE(s.CurrentIsPicture());
    EXPECT_FALSE(s.HasUserMenu());
    tests.IsActiveX = [](const QString& path) { return path.endsWith(u".DLL"); };
    EXPECT_TRUE(s.AnySelectedIsActiveX());
}
