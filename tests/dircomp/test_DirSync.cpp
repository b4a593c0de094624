// SPDX-License-Identifier: GPL-3.0-or-later
#include "DirCompFixture.h"

#include "core/WorkerJob.h"
#include "dircomp/pDirComp.h"
#include "dircomp/pDirSync.h"
#include "platform/FileNameCodec.h"
#include "platform/SystemError.h"
#include "support/Raised.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// A job context that answers at once and lets a test act between pieces.
class TestContext : public JobContext {
public:
    std::function<void(const QString& text)> onProgress;
    bool stop = false;

    bool cancelled() const override { return stop; }
    void progress(qint64, qint64, const QString& text) override
    {
        if (onProgress)
            onProgress(text);
    }
    int ask(const std::function<int()>& question) override { return question(); }
    void deliver(std::function<void()> onWindowThread) override { onWindowThread(); }
};

struct Synced {
    bool completed = false;
    QStringList lines; // "copied NAME", "skipped changed NAME" ...
};

Synced sync(const pDirComp& comparison, int actions, JobContext* context = nullptr)
{
    Synced result;
    result.completed =
        pDirSync(comparison)
            .Run(actions, context,
                 [&](pDirSync::Done done, pDirSync::Skip reason, const QByteArray& name) {
                     static const char* const words[] = {"deleted-source", "copied", "deleted-dest",
                                                         "skipped"};
                     QString line = QLatin1String(words[int(done)]) + QLatin1Char(' ');
                     if (done == pDirSync::Done::Skipped)
                         line += QLatin1String(pDirSync::SkipWord(reason)) + QLatin1Char(' ');
                     result.lines << line + QString::fromUtf8(name);
                 });
    return result;
}

// Newer, older, as old, new and surplus files.
void fillTypical(const TwoFolders& f)
{
    TwoFolders::put(f.source(), "newer", "source newer", 1'700'000'100);
    TwoFolders::put(f.dest(), "newer", "dest older", 1'700'000'000);
    TwoFolders::put(f.source(), "older", "source older", 1'700'000'000);
    TwoFolders::put(f.dest(), "older", "dest newer", 1'700'000'100);
    TwoFolders::put(f.source(), "equal", "same bytes", 1'700'000'000);
    TwoFolders::put(f.dest(), "equal", "same bytes", 1'700'000'000);
    TwoFolders::put(f.source(), "new", "only in source", 1'700'000'000);
    TwoFolders::put(f.dest(), "extra", "only in dest", 1'700'000'000);
}

} // namespace

TEST(DirSync, EachActionAloneAndTogether)
{
    struct Case {
        int actions;
        QStringList lines;
        QList<QByteArray> source;
        QList<QByteArray> dest;
    };
    const Case cases[] = {
        {pDirSync::DeleteSame,
         {"deleted-source equal", "deleted-source older"},
         {"new", "newer"},
         {"equal", "extra", "newer", "older"}},
        {pDirSync::Copy,
         {"copied new", "copied newer"},
         {"equal", "new", "newer", "older"},
         {"equal", "extra", "new", "newer", "older"}},
        {pDirSync::DeleteExtra,
         {"deleted-dest extra"},
         {"equal", "new", "newer", "older"},
         {"equal", "newer", "older"}},
        {pDirSync::DeleteSame | pDirSync::Copy | pDirSync::DeleteExtra,
         {"deleted-source equal", "deleted-source older", "copied new", "copied newer",
          "deleted-dest extra"},
         {"new", "newer"},
         {"equal", "new", "newer", "older"}},
    };
    for (const Case& c : cases) {
        TwoFolders f;
        fillTypical(f);
        pDirComp comparison;
        ASSERT_EQ(comparison.Compare(f.source(), f.dest()), pDirComp::Outcome::Compared);
        const Synced done = sync(comparison, c.actions);
        EXPECT_TRUE(done.completed);
        EXPECT_EQ(done.lines, c.lines) << c.actions;
        EXPECT_EQ(TwoFolders::entries(f.source()), c.source) << c.actions;
        EXPECT_EQ(TwoFolders::entries(f.dest()), c.dest) << c.actions;
        if (c.actions & pDirSync::Copy) {
            EXPECT_EQ(TwoFolders::read(f.dest(), "newer"), "source newer");
            EXPECT_EQ(TwoFolders::read(f.dest(), "new"), "only in source");
        }
        EXPECT_EQ(TwoFolders::read(f.dest(), "older"), "dest newer");
    }
}

// Whatever changed between the comparison and the run is skipped, never
// acted on by guess.
TEST(DirSync, SkipsWhatChangedAfterTheComparison)
{
    TwoFolders f;
    fillTypical(f);
    TwoFolders::put(f.source(), "new2", "only in source");
    TwoFolders::put(f.source(), "new3", "only in source");
    TwoFolders::put(f.dest(), "extra2", "surplus");
    TwoFolders::put(f.source(), "content", "abc", 1'700'000'000);
    TwoFolders::put(f.dest(), "content", "xyz", 1'700'000'000);
    pDirComp comparison;
    ASSERT_EQ(comparison.Compare(f.source(), f.dest()), pDirComp::Outcome::Compared);

    const QByteArray src = f.sourceBytes();
    const QByteArray dst = f.destBytes();
    TwoFolders::put(f.source(), "newer", "edited again", 1'700'000'200); // changed
    TwoFolders::put(f.dest(), "new", "created meanwhile");               // created
    ASSERT_EQ(::unlink((src + "older").constData()), 0);                 // deleted
    ASSERT_EQ(::unlink((dst + "equal").constData()), 0);                 // replaced
    ASSERT_EQ(::symlink((src + "equal").constData(), (dst + "equal").constData()), 0);
    ASSERT_EQ(::symlink("elsewhere", (dst + "new2").constData()), 0); // blocked
    ASSERT_EQ(::mkdir((dst + "new3").constData(), 0755), 0);          // blocked
    TwoFolders::put(f.source(), "extra", "now in the source too");    // no longer surplus
    ASSERT_EQ(::unlink((dst + "extra2").constData()), 0);
    ASSERT_EQ(::mkdir((dst + "extra2").constData(), 0755), 0);

    const Synced done =
        sync(comparison, pDirSync::DeleteSame | pDirSync::Copy | pDirSync::DeleteExtra);
    EXPECT_EQ(
        done.lines,
        (QStringList{"skipped content content", "skipped changed equal", "skipped changed older",
                     "skipped changed new", "skipped blocked new2", "skipped blocked new3",
                     "skipped changed newer", "skipped changed extra", "skipped changed extra2"}));
    EXPECT_EQ(TwoFolders::read(f.source(), "content"), "abc");
    EXPECT_EQ(TwoFolders::read(f.dest(), "new"), "created meanwhile");
    EXPECT_EQ(TwoFolders::read(f.dest(), "newer"), "dest older");
    EXPECT_EQ(TwoFolders::read(f.source(), "equal"), "same bytes");
    EXPECT_EQ(TwoFolders::read(f.dest(), "extra"), "only in dest");
}

// A copy keeps the source's permission bits and time to the nanosecond and
// replaces the old file at once; a source written to meanwhile is not copied.
TEST(DirSync, CopiesWholeWithModeAndTimeOrNotAtAll)
{
    TwoFolders f;
    const QByteArray big(2 * 1024 * 1024 + 17, 'b');
    TwoFolders::put(f.source(), "script", "#!/bin/sh\n", 1'700'000'000, 123'456'789);
    ASSERT_EQ(::chmod((f.sourceBytes() + "script").constData(), 0750), 0);
    TwoFolders::put(f.dest(), "script", "old", 1'600'000'000);
    TwoFolders::put(f.source(), "growing", big, 1'700'000'000);
    TwoFolders::put(f.source(), "large", big + "tail", 1'700'000'000);
    pDirComp comparison;
    ASSERT_EQ(comparison.Compare(f.source(), f.dest()), pDirComp::Outcome::Compared);

    TestContext context;
    int piecesOfGrowing = 0;
    context.onProgress = [&](const QString& text) {
        if (text == QLatin1String("growing") && ++piecesOfGrowing == 3) {
            const int fd = ::open((f.sourceBytes() + "growing").constData(), O_WRONLY | O_APPEND);
            ASSERT_EQ(::write(fd, "more", 4), 4);
            ::close(fd);
        }
    };
    const Synced done = sync(comparison, pDirSync::Copy, &context);
    EXPECT_EQ(done.lines,
              (QStringList{"skipped changed growing", "copied large", "copied script"}));
    struct stat st {};
    ASSERT_EQ(::stat((f.destBytes() + "script").constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0750u);
    EXPECT_EQ(st.st_mtim.tv_sec, 1'700'000'000);
    EXPECT_EQ(st.st_mtim.tv_nsec, 123'456'789);
    EXPECT_EQ(TwoFolders::read(f.dest(), "large"), big + "tail");
    EXPECT_EQ(TwoFolders::entries(f.dest()), (QList<QByteArray>{"large", "script"}));
}

// A stopped run leaves what it did and no temporary file; leftovers of
// killed copies go, one a running copy holds stays.
TEST(DirSync, StopsCleanlyAndClearsLeftovers)
{
    TwoFolders f;
    for (const char* name : {"a", "b", "c"})
        TwoFolders::put(f.source(), name, QByteArray(3 << 20, name[0]));
    TwoFolders::put(f.dest(), ".~tolvane-0abc1def", "left by a killed run");
    TwoFolders::put(f.dest(), ".~tolvane-9held999", "a running copy");
    TwoFolders::put(f.dest(), ".~tolvane-Mine", "not ours");
    const int held = ::open((f.destBytes() + ".~tolvane-9held999").constData(), O_RDONLY);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    pDirComp comparison;
    ASSERT_EQ(comparison.Compare(f.source(), f.dest()), pDirComp::Outcome::Compared);

    TestContext context;
    context.onProgress = [&](const QString& text) { context.stop = text == QLatin1String("b"); };
    const Synced stopped = sync(comparison, pDirSync::Copy, &context);
    EXPECT_FALSE(stopped.completed);
    EXPECT_EQ(stopped.lines, QStringList{"copied a"});
    EXPECT_EQ(TwoFolders::entries(f.dest()),
              (QList<QByteArray>{".~tolvane-9held999", ".~tolvane-Mine", "a"}));
    ::close(held);
}

// Failures end the run naming the file and the reason and leave nothing
// half done: a file the user may not write, a folder he may not write in.
// Root may write anything, so these run as nobody.
TEST(DirSync, FailsOnWhatItMayNotWrite)
{
    const std::pair<mode_t, mode_t> modes[] = {{0777, 0444}, {0555, 0666}}; // folder, file
    for (const auto& [folderMode, fileMode] : modes) {
        TwoFolders f;
        TwoFolders::put(f.source(), "locked", "new", 1'700'000'100);
        TwoFolders::put(f.dest(), "locked", "old", 1'700'000'000);
        TwoFolders::put(f.source(), "new", "1");
        ASSERT_EQ(::chmod((f.destBytes() + "locked").constData(), fileMode), 0);
        ASSERT_EQ(::chmod(f.destBytes().constData(), folderMode), 0);
        const QString expected =
            f.dest() + u("locked' kann nicht geschrieben werden: ") + SystemErrorText(EACCES);
        const int code = RunAsNobody({f.dir.path(), f.source()}, [&] {
            pDirComp comparison;
            comparison.Compare(f.source(), f.dest());
            const AppErrorRecord e = Raised([&] { sync(comparison, pDirSync::Copy); });
            return e.Description.contains(expected) ? 0 : 1;
        });
        EXPECT_EQ(code, 0) << folderMode;
        ::chmod(f.destBytes().constData(), 0755);
        EXPECT_EQ(TwoFolders::entries(f.dest()), QList<QByteArray>{"locked"});
        EXPECT_EQ(TwoFolders::read(f.dest(), "locked"), "old");
    }
}

// Everything goes by the open folders: a path beyond the system's limit works.
TEST(DirSync, WorksBeyondTheLongestPath)
{
    TwoFolders f;
    const QByteArray part(200, 'p');
    QByteArray deep = f.sourceBytes();
    int fd = ::open(deep.constData(), O_RDONLY | O_DIRECTORY);
    while (deep.size() <= 4200) {
        ASSERT_EQ(::mkdirat(fd, part.constData(), 0755), 0);
        const int next = ::openat(fd, part.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        deep += part + '/';
    }
    const int file = ::openat(fd, "deep.txt", O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(::write(file, "deep", 4), 4);
    ::close(file);
    ::close(fd);

    pDirComp comparison;
    ASSERT_EQ(comparison.Compare(DecodeFileName(deep), f.dest()), pDirComp::Outcome::Compared);
    EXPECT_EQ(sync(comparison, pDirSync::Copy).lines, QStringList{"copied deep.txt"});
    EXPECT_EQ(TwoFolders::read(f.dest(), "deep.txt"), "deep");
    pDirComp again;
    ASSERT_EQ(again.Compare(DecodeFileName(deep), f.dest()), pDirComp::Outcome::Compared);
    EXPECT_EQ(sync(again, pDirSync::DeleteSame).lines, QStringList{"deleted-source deep.txt"});
    // Too deep for removal by path.
    ASSERT_EQ(std::system(("rm -rf '" + f.sourceBytes() + part + "'").constData()), 0);
}
