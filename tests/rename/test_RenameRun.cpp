// SPDX-License-Identifier: GPL-3.0-or-later
// The run, its journal, finishing a run cut short, and undo, on real folders.
#include "RenameTesting.h"
#include "platform/FolderRename.h"
#include "platform/MessageBoxService.h"
#include "rename/RenameCheck.h"
#include "rename/RenameRecovery.h"
#include "rename/RenameRun.h"
#include "rename/RenameUndo.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>

#include <gtest/gtest.h>

#include <cerrno>

namespace {
using Contents = QMap<QByteArray, QByteArray>;

RenameJournal CheckAndPlan(const TempDir& dir, FolderRename& folder, const RenameRule& rule,
                           qint64 counter = 0, const QString& mask = "*")
{
    pRenFiles files;
    CheckRename(rule, RenameSource::FromFolder(dir.path(), mask), counter, files);
    EXPECT_EQ(files.ErrorCount(), 0);
    RenameJournal journal;
    journal.plan = RenamePlan::FromCheck(dir.path(), files, folder);
    return journal;
}

// A run on the test's own thread, executed at once.
struct Ran {
    Ran(FolderRename& folder, RenameJournal& journal, int cancelAfter = -1)
        : run(folder, journal, context)
    {
        context.cancelAfter = cancelAfter;
        run.Execute();
    }
    DirectContext context;
    RenameRun run;
};

// Takes back the last run recorded: every file it reaches returns.
void UndoLast(FolderRename& folder)
{
    RenameUndo undo;
    QString problem;
    ASSERT_TRUE(undo.Prepare(*RenameJournal::Read(), folder, problem)) << problem.toStdString();
    Ran back(folder, undo.Journal());
    undo.Apply(back.run, true);
    EXPECT_EQ(undo.Missed(), 0);
}

// The contents each name should hold after the run: the file moved by name.
Contents Moved(const Contents& before, const QList<QPair<QByteArray, QByteArray>>& moves)
{
    Contents after = before;
    for (const auto& [from, to] : moves)
        after.remove(from);
    for (const auto& [from, to] : moves)
        after.insert(to, before.value(from));
    return after;
}

TEST(RenameRun, ChainSwapAndCycleEndWithEachContentInPlace)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a10.txt", "a8.txt", "a9.txt", "b1.txt", "b2.txt"});
    const Contents before = FolderContents(dir.path());
    FolderRename folder(dir.path());
    // a10->a8->a9->a10 is a cycle; the counter runs on: b1->b11, b2->b12.
    RenameJournal planned = CheckAndPlan(dir, folder, CountingRule(), 8);
    const Ran r(folder, planned);
    EXPECT_FALSE(r.run.Stopped());
    EXPECT_EQ(r.run.Renamed(), 5);
    EXPECT_EQ(FolderContents(dir.path()), Moved(before, {{"a10.txt", "a8.txt"},
                                                         {"a8.txt", "a9.txt"},
                                                         {"a9.txt", "a10.txt"},
                                                         {"b1.txt", "b11.txt"},
                                                         {"b2.txt", "b12.txt"}}));
    const auto journal = RenameJournal::Read();
    ASSERT_TRUE(journal);
    EXPECT_TRUE(journal->finished);
    EXPECT_EQ(journal->plan.moves.size(), 5);
    UndoLast(folder);
    EXPECT_EQ(FolderContents(dir.path()), before);
}

TEST(RenameRun, NameTakenSinceTheCheckIsNeverOverwritten)
{
    for (const int answer : {MsgResult::Ok, MsgResult::Cancel}) {
        TempDir dir;
        WriteNamedFiles(dir.path(), {"a1.txt", "a2.txt", "a3.txt"});
        FolderRename folder(dir.path());
        // a3->a4, then a2->a3 and a1->a2, each waiting for the one before.
        RenameJournal journal = CheckAndPlan(dir, folder, CountingRule(), 2);
        WriteNamedFiles(dir.path(), {"a4.txt"}); // made after the check
        const Contents before = FolderContents(dir.path());
        ScriptedMessageBox boxes;
        boxes.queueAnswer(answer);
        const Ran r(folder, journal);
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.shown().first().style, MsgStyle::OkCancel | MsgStyle::Exclamation);
        EXPECT_TRUE(boxes.lastText().contains("'a3.txt'")) << boxes.lastText().toStdString();
        EXPECT_EQ(FolderContents(dir.path()), before) << "those waiting stay too";
        EXPECT_EQ(r.run.Renamed(), 0);
        EXPECT_EQ(r.run.Stopped(), answer == MsgResult::Cancel);
    }
}

// Calls of a file system that knows neither "no replace" nor (optionally)
// hard links, as some network and FUSE file systems.
class OldFileSystem : public RenameCalls {
public:
    explicit OldFileSystem(bool links) : m_links(links) {}
    int RenameNoReplace(int, const char*, const char*) override { return EINVAL; }
    int Link(int fd, const char* from, const char* to) override
    {
        return m_links ? RenameCalls::Link(fd, from, to) : EPERM;
    }

private:
    bool m_links;
};

TEST(RenameRun, WithoutNoReplaceNothingIsReplacedEither)
{
    for (const bool links : {true, false}) {
        TempDir dir;
        WriteNamedFiles(dir.path(), {"a1.txt", "a2.txt", "a3.txt", "x.txt"});
        OldFileSystem calls(links);
        FolderRename folder(dir.path(), &calls);
        EXPECT_EQ(folder.Move("a1.txt", "x.txt"), EEXIST);
        const Contents before = FolderContents(dir.path());
        RenameJournal journal = CheckAndPlan(dir, folder, CountingRule(), 2, "a*");
        EXPECT_EQ(Ran(folder, journal).run.Renamed(), 3);
        EXPECT_EQ(
            FolderContents(dir.path()),
            Moved(before, {{"a3.txt", "a4.txt"}, {"a2.txt", "a3.txt"}, {"a1.txt", "a2.txt"}}));
    }
}

TEST(RenameRun, CancelStopsBetweenStepsAndUndoTakesBackWhatWasDone)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a1.txt", "a2.txt", "a3.txt"});
    const Contents before = FolderContents(dir.path());
    FolderRename folder(dir.path());
    RenameJournal journal = CheckAndPlan(dir, folder, CountingRule(), 2, "a*");
    const Ran r(folder, journal, 1);
    EXPECT_TRUE(r.run.Cancelled());
    EXPECT_EQ(r.run.Renamed(), 1);
    UndoLast(folder);
    EXPECT_EQ(FolderContents(dir.path()), before);
}

TEST(RenameRun, UndoReportsFilesGoneAndNamesTaken)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a.txt", "b.txt", "c.txt"});
    FolderRename folder(dir.path());
    RenameJournal planned = CheckAndPlan(dir, folder, ExtensionRule("dat"));
    ASSERT_EQ(Ran(folder, planned).run.Renamed(), 3);
    // Made before a.dat goes, so it cannot inherit a.dat's inode number.
    WriteNamedFiles(dir.path(), {"B.TXT"});
    ASSERT_TRUE(QFile::remove(dir.path() + "a.dat"));
    ASSERT_TRUE(QFile::rename(dir.path() + "c.dat", dir.path() + "elsewhere"));
    RenameUndo undo;
    QString problem;
    ASSERT_TRUE(undo.Prepare(*RenameJournal::Read(), folder, problem));
    QStringList lines;
    for (const RenameUndo::Line& l : undo.Lines())
        lines << QString::fromUtf8(l.now + ">" + l.old + ">") + RenameUndo::StatusWord(l.status);
    EXPECT_EQ(lines, (QStringList{"a.dat>a.txt>gone", "b.dat>b.txt>taken", "elsewhere>c.txt>ok"}))
        << "found by identity, wherever it is";
}

// A crash in the middle of a swap: one file under the temporary name.
TEST(RenameRun, RunCutShortIsFinished)
{
    TempDir dir;
    WriteNamedFiles(dir.path(), {"a10.txt", "a9.txt", "x.txt"});
    const Contents before = FolderContents(dir.path());
    FolderRename folder(dir.path());
    RenameJournal planned = CheckAndPlan(dir, folder, CountingRule(), 9, "a*");
    ASSERT_EQ(planned.plan.moves.size(), 2);
    ASSERT_TRUE(planned.plan.moves[0].cycle);
    planned.Write();
    const RenameMove& first = planned.plan.moves[0];
    ASSERT_EQ(folder.Move(first.from, planned.plan.tempName), 0);
    ASSERT_EQ(::link((dir.path() + "x.txt").toUtf8().constData(),
                     (dir.path() + "y.txt").toUtf8().constData()),
              0)
        << "an unrelated second name stays";

    std::optional<RenameJournal> journal = RenameJournal::Read();
    QString problem;
    ASSERT_TRUE(FinishInterruptedRun(*journal, problem));
    EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
    Contents expected = Moved(before, {{"a10.txt", "a9.txt"}, {"a9.txt", "a10.txt"}});
    expected.insert("y.txt", before.value("x.txt"));
    EXPECT_EQ(FolderContents(dir.path()), expected);
    EXPECT_TRUE(RenameJournal::Read()->finished);
    journal = RenameJournal::Read();
    EXPECT_FALSE(FinishInterruptedRun(*journal, problem)) << "only once";
}

TEST(RenameJournal, NamesSurviveAndDamageIsRefused)
{
    RenameJournal journal;
    journal.plan.folder = QStringLiteral("/tmp/a\\b\tc/");
    journal.plan.tempName = ".t\x01";
    journal.plan.moves.append({"a\tb", "c\nd\xff", {1, 2}, -1, 0, true});
    const QByteArray text = journal.Serialize();
    RenameJournal back;
    ASSERT_TRUE(RenameJournal::Parse(text, back));
    EXPECT_EQ(back.plan.folder, journal.plan.folder);
    EXPECT_EQ(back.plan.tempName, journal.plan.tempName);
    EXPECT_EQ(back.plan.moves[0].from, QByteArray("a\tb"));
    EXPECT_EQ(back.plan.moves[0].to, QByteArray("c\nd\xff"));
    EXPECT_TRUE(back.plan.moves[0].cycle);
    EXPECT_FALSE(back.finished);
    const QByteArray cut = text.left(text.indexOf("end\n"));
    for (const QByteArray& damaged : {cut, text + "junk\n", QByteArray("move\t1"), QByteArray()})
        EXPECT_FALSE(RenameJournal::Parse(damaged, back)) << damaged.constData();
}
} // namespace
