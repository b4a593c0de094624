// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FileTimes.h"
#include "support/CliRun.h"
#include "support/StandInWine.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>

#include <gtest/gtest.h>

#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr uid_t kNobody = 65534;

const QString kSet = u("06.05.2020 07:08:09");

// A file's modification time as the test's clock shows it.
QString modified(const QString& path)
{
    const auto stamp = FileTimes::read(path, FileTimes::Modification);
    return stamp ? QDateTime::fromSecsSinceEpoch(stamp->seconds).toString(u("dd.MM.yyyy HH:mm:ss"))
                 : QString();
}

// One call as a script sees it: exit code, standard output and error output.
void expectRun(const QStringList& args, int code, const QString& out, const QString& err = {})
{
    const CliResult r = runCli(args);
    EXPECT_EQ(r.code, code) << args.join(u' ').toStdString();
    EXPECT_EQ(r.out, out);
    EXPECT_EQ(r.err, err);
}

// As root the companion runs as nobody: root may write any file.
void dropPrivileges()
{
    if (geteuid() == 0 &&
        (setgroups(0, nullptr) != 0 || setgid(kNobody) != 0 || setuid(kNobody) != 0))
        _exit(99);
}

// Makes `path` the unprivileged run's own, which it may write unless `mode` forbids it.
QString own(const QString& path, mode_t mode = 0644)
{
    const QByteArray name = QFile::encodeName(path);
    EXPECT_EQ(geteuid() == 0 ? ::chown(name.constData(), kNobody, kNobody) : 0, 0);
    ::chmod(name.constData(), mode);
    return path;
}
} // namespace

TEST(FileToolCommands, WrongCallsAndUnreadableDatesExitWith2)
{
    TempDir dir;
    const QString f = dir.writeFile(u("f.txt"), "x");
    const QList<QStringList> calls = {
        {u("times"), u("--mode"), u("2"), f},
        {u("times"), u("--mode"), u("4"), u("--reset"), f},
        {u("times"), u("--mode"), u("2"), u("--set"), u("1.1.2020"), u("--reset"), f},
        {u("times"), u("--mode"), u("2"), u("--reset")},
        {u("register")},
        {u("dllcopy"), f, f},
    };
    for (const QStringList& call : calls) {
        const CliResult r = runCli(call);
        EXPECT_EQ(r.code, 2) << call.join(u' ').toStdString();
        EXPECT_TRUE(r.err.startsWith(u("Aufruf: tolvane-cli ") + call.first()))
            << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    expectRun({u("times"), u("--mode"), u("2"), u("--set"), u("12:30"), f}, 2, {},
              u("'12:30' ist kein gültiges Datum.\n"));
}

TEST(TimesCommand, AllAndTheBirthTime)
{
    TempDir dir;
    const QString f = dir.writeFile(u("f.txt"), "x", QDateTime(QDate(2020, 5, 6), QTime(7, 8)));
    expectRun({u("times"), u("--mode"), u("3"), u("--reset"), f}, 0,
              u("1 Dateien wurden geändert.\nDas Erstellungsdatum bleibt unverändert.\n"));
    EXPECT_EQ(modified(f), u("06.05.2020 00:00:00"));
    expectRun({u("times"), u("--mode"), u("0"), u("--reset"), f}, 1,
              u("0 Dateien wurden geändert.\n"),
              u("Datum/Uhrzeit von '%1' konnten nicht geändert werden.\n"
                "Das Erstellungsdatum kann unter Linux nicht gesetzt werden.\n")
                  .arg(f));
}

TEST(TimesCommand, MissingLinkedToNothingAndReadOnlyStayAndAreNotCountedFoldersAre)
{
    TempDir dir;
    ::chmod(QFile::encodeName(dir.path()).constData(), 0755);
    const QString first = own(dir.writeFile(u("eins.txt"), "x"));
    const QString folder = own(dir.makeDir(u("ordner")), 0755);
    // Read-only for the unprivileged run: another's file, and its own with no write bit.
    const QString foreign = dir.writeFile(u("fremd.txt"), "x");
    const QString locked = own(dir.writeFile(u("gesperrt.txt"), "x"), 0444);
    if (geteuid() != 0)
        ::chmod(QFile::encodeName(foreign).constData(), 0444);
    const QString missing = dir.filePath(u("fehlt.txt"));
    const QString dangling = dir.filePath(u("leer"));
    ASSERT_EQ(::symlink("fehlt", QFile::encodeName(dangling).constData()), 0);
    const QString before = modified(foreign);
    const CliResult r = runCli({u("times"), u("--mode=2"), u("--set"), kSet, missing, first,
                                dangling, foreign, locked, folder},
                               dropPrivileges);
    EXPECT_EQ(r.code, 1) << r.err.toStdString();
    EXPECT_EQ(r.out, u("2 Dateien wurden geändert.\n"));
    const QString failed = u("Datum/Uhrzeit von '%1' konnten nicht geändert werden.\n%2\n");
    EXPECT_EQ(r.err, failed.arg(missing, u("Datei oder Ordner nicht vorhanden.")) +
                         failed.arg(dangling, u("Datei oder Ordner nicht vorhanden.")) +
                         failed.arg(foreign, u("Keine Berechtigung.")) +
                         failed.arg(locked, u("Keine Berechtigung.")));
    EXPECT_EQ(modified(first), kSet);
    EXPECT_EQ(modified(folder), kSet);
    EXPECT_EQ(modified(foreign), before);
    EXPECT_NE(modified(locked), kSet);
}

TEST(LibraryCommands, EachFileReportsItsOwnResultAndACopyReplacesOnlyWithYes)
{
    TempDir dir;
    const QString a = dir.writeFile(u("a.dll"), ComServerImage(u("1.2")));
    const QString text = dir.writeFile(u("text.ocx"), "kein Programm");
    const StandInWine wine;
    expectRun({u("register"), a, text}, 1, u("'%1' wurde erfolgreich registriert.\n").arg(a),
              u("'%1' konnte nicht erfolgreich registriert werden.\n"
                "Die Datei ist keine Windows-Programmbibliothek.\n")
                  .arg(text));
    expectRun({u("unregister"), a}, 0, u("'%1' wurde erfolgreich entregistriert.\n").arg(a));

    const QString copy = dir.filePath(u("a_1.2.dll"));
    expectRun({u("dllcopy"), a}, 0, copy + u("\n"));
    dir.writeFile(u("a_1.2.dll"), "alt");
    expectRun({u("dllcopy"), a}, 1, {},
              u("Die Zieldatei '%1' existiert bereits und wird nicht überschrieben.\n").arg(copy));
    EXPECT_EQ(TempDir::contents(copy), QByteArray("alt"));
    expectRun({u("dllcopy"), u("--yes"), a}, 0, copy + u("\n"));
    EXPECT_EQ(TempDir::contents(copy), ComServerImage(u("1.2")));
}
