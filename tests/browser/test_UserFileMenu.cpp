// SPDX-License-Identifier: GPL-3.0-or-later
#include "UserMenuTestUtil.h"
#include "browser/pUserFileMenu.h"
#include "core/AppErrorRecord.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/CliRun.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFileInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
TEST(UserFileMenu, SplitsBeforeReplacingSoNothingInThePathIsInterpreted)
{
    const QString hostile[] = {u("/tmp/mit blanks/a b.txt"), u("/tmp/\"zitat\" $HOME;`id`.txt"),
                               u("/tmp/zeile\numbruch\tund tab.txt"), u("/tmp/-option.txt")};
    for (const QString& path : hostile) {
        const struct {
            const char* cmdLine;
            QStringList expected;
        } cases[] = {
            {"\"/opt/Mein Programm/bin\" %1", {u("/opt/Mein Programm/bin"), path}},
            {"prog --in=%1", {u("prog"), u("--in=") + path}},
            {"prog --in=\"%1\"", {u("prog"), u("--in=") + path}},
            {"prog \"%1\" -o %1.bak", {u("prog"), path, u("-o"), path + u(".bak")}},
            {"prog \"\" %1", {u("prog"), QString(), path}},
            {"prog\t\t%1 \t x", {u("prog"), path, u("x")}},
            {"prog \"%1 offen", {u("prog"), path + u(" offen")}},
            {"wine C:\\Programme\\x.exe %1\\",
             {u("wine"), u("C:\\Programme\\x.exe"), path + u("\\")}},
            {"  prog   %1  ", {u("prog"), path}},
            {"a b c d e f g h i j k %1", u("a b c d e f g h i j k").split(u(" ")) << path},
        };
        for (const auto& c : cases)
            EXPECT_EQ(pUserFileMenu::Arguments(u(c.cmdLine), path), c.expected)
                << c.cmdLine << " with " << path.toStdString();
    }
    EXPECT_EQ(pUserFileMenu::SplitArguments(u("\"\"")), QStringList{QString()});
    EXPECT_EQ(pUserFileMenu::SplitArguments(u("   ")), QStringList());
}

TEST(UserFileMenu, ReadsEntriesInStoreOrderAndOffersThemByTheNamesExtension)
{
    pUserFileMenu menu;
    menu.Init();
    EXPECT_TRUE(menu.Entries().isEmpty()); // no key at all

    StoreUserMenuEntry(u("b &Editor"), u("kate %1"), u("txt;INI"));
    StoreUserMenuEntry(u("Leer"), QString());
    StoreUserMenuEntry(u("A Alles"), u("xdg-open %1"));
    menu.Init();
    ASSERT_EQ(menu.Entries().size(), 2);
    const UserMenuEntry& all = menu.Entries()[0];
    const UserMenuEntry& editor = menu.Entries()[1];
    EXPECT_EQ(all.caption, u("A Alles"));
    EXPECT_EQ(editor.cmdLine, u("kate %1"));
    EXPECT_EQ(editor.mask, u("txt;INI"));

    const struct {
        const char* file;
        bool editorApplies;
    } files[] = {{"/d/a.TXT", true}, {"/d/b.log", false},    {"/d/c.ini", true},
                 {"/d/ohne", false}, {"/d.txt/ohne", false}, {"/d/x.txt.log", false}};
    for (const auto& f : files) {
        EXPECT_EQ(pUserFileMenu::Applies(editor, u(f.file)), f.editorApplies) << f.file;
        EXPECT_TRUE(pUserFileMenu::Applies(all, u(f.file))) << f.file;
    }
    EXPECT_EQ(menu.Find(u("b editor")), &editor);
    EXPECT_EQ(menu.Find(u("B &EDITOR")), &editor);
    EXPECT_EQ(menu.Find(u("Leer")), nullptr);
}

class UserMenuRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("TOLVANE_ARG_RECORD", QFile::encodeName(record));
        files.makeDir(u("programme"));
        QFile::copy(u(ARG_RECORDER), recorder);
    }
    void TearDown() override { qunsetenv("TOLVANE_ARG_RECORD"); }

    ArgRecord Recorded()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return QFileInfo::exists(record); }, 10000));
        ArgRecord got = ArgRecord::Read(record);
        QFile::remove(record);
        return got;
    }
    // Nothing a shell would have run was run.
    void ExpectNoInjection() const
    {
        for (const char* made : {"x", "y", "z"})
            EXPECT_FALSE(QFileInfo::exists(files.filePath(u(made)))) << made;
    }

    TempDir files;
    TempDir out;
    const QString record = out.filePath(u("record"));
    const QString recorder = files.filePath(u("programme/aufzeichner"));
};

TEST_F(UserMenuRun, HostileNamesReachTheProgramAsOneArgumentFromMenuAndCompanion)
{
    StoreUserMenuEntry(u("&Aufzeichnen"), u("\"") + recorder + u("\" --datei=%1 %1"));
    pUserFileMenu menu;
    menu.Init();
    // A descriptor of ours that is not closed on exec: the start must not pass it on.
    const int leaked = ::open("/dev/null", O_RDONLY);
    ASSERT_GT(leaked, 2);
    for (const char* name : {"a;touch x", "$(touch y)", "`touch z`", "-n leer \"zitat\""}) {
        const QString path = files.writeFile(u(name), "Inhalt");
        const QByteArray bytes = QFile::encodeName(path);
        const QList<QByteArray> expected = {"--datei=" + bytes, bytes};
        ASSERT_TRUE(pUserFileMenu::Run(menu.Entries()[0], path));
        const ArgRecord fromMenu = Recorded();
        EXPECT_EQ(fromMenu.folder + '/', QFile::encodeName(files.path()));
        const CliResult cli = runCli({u("usermenu"), u("run"), u("Aufzeichnen"), path});
        EXPECT_EQ(cli.code, 0) << cli.err.toStdString();
        for (const ArgRecord& got : {fromMenu, Recorded()}) {
            EXPECT_EQ(got.arguments, expected) << name;
            EXPECT_EQ(got.descriptors, (QList<QByteArray>{"0", "1", "2"}));
        }
        ExpectNoInjection();
    }
    ::close(leaked);
}

TEST_F(UserMenuRun, MissingOrUnusableProgramsAreReportedBeforeAnythingStarts)
{
    const QString file = files.writeFile(u("a.txt"), "Inhalt");
    const QString plain = files.writeFile(u("programme/kein-programm"), "#!/bin/sh\n");
    const struct {
        QString cmdLine;
        qint32 number;
        QString named;
        const char* why;
    } cases[] = {
        {u("tolvane-gibt-es-nicht %1"), RuntimeError::FileNotFound, u("tolvane-gibt-es-nicht"),
         "in keinem Ordner des Suchpfads (PATH) gefunden"},
        {files.filePath(u("fehlt")) + u(" %1"), RuntimeError::FileNotFound,
         files.filePath(u("fehlt")), "Datei oder Ordner nicht vorhanden"},
        {u("\"") + plain + u("\" %1"), RuntimeError::PermissionDenied, plain,
         "die Datei ist nicht ausführbar"},
        {u("./programme %1"), RuntimeError::PermissionDenied, files.filePath(u("programme")),
         "ist ein Ordner"},
    };
    for (const auto& c : cases) {
        const AppErrorRecord e = Raised([&] { pUserFileMenu::Run({u("x"), c.cmdLine, {}}, file); });
        EXPECT_EQ(e.Number, c.number) << c.cmdLine.toStdString();
        EXPECT_EQ(e.Description, u("Das Programm '") + c.named +
                                     u("' kann nicht gestartet werden: ") + u(c.why) + u("."));
    }
    EXPECT_FALSE(
        pUserFileMenu::Run({u("x"), u("\"") + recorder + u("\" ohne Platzhalter"), {}}, file));
    EXPECT_FALSE(QFileInfo::exists(record));
}

TEST(UserMenuCommand, ListsEntriesAndWhatTheyWouldStartForAFile)
{
    EXPECT_EQ(runCli({u("usermenu"), u("list")}).bytes, QByteArray());
    StoreUserMenuEntry(u("&Kate"), u("kate --neu \"%1\""), u("txt;ini"));
    StoreUserMenuEntry(u("Ohne"), u("prog"));
    TempDir dir;
    const QString file = dir.writeFile(u("mit blank.TXT"), "x");
    const QByteArray bytes = QFile::encodeName(file);

    CliResult r = runCli({u("usermenu"), u("list")});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, u("&Kate\tkate --neu \"%1\"\ttxt;ini\nOhne\tprog\t\n"));

    r = runCli({u("usermenu"), u("list"), file});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_EQ(r.bytes, "&Kate\tkate --neu \"%1\"\ttxt;ini\tJa\n\tkate\n\t--neu\n\t" + bytes +
                           "\nOhne\tprog\t\tJa\n");
    r = runCli({u("usermenu"), u("list"), dir.writeFile(u("b.log"))});
    EXPECT_TRUE(r.out.startsWith(u("&Kate\tkate --neu \"%1\"\ttxt;ini\tNein\n\tkate\n")));
}

TEST(UserMenuCommand, FailuresAreGermanWithExitOneAndWrongCallsExitTwo)
{
    StoreUserMenuEntry(u("Nur Text"), u("true %1"), u("txt"));
    StoreUserMenuEntry(u("Ohne"), u("true"));
    TempDir dir;
    const QString file = dir.writeFile(u("a.log"), "x");
    const struct {
        QStringList args;
        int code;
        QString error;
    } cases[] = {
        {{u("run"), u("Fehlt"), file}, 1, u("Das Benutzermenü hat keinen Eintrag 'Fehlt'.")},
        {{u("run"), u("Nur Text"), file},
         1,
         u("Der Eintrag 'Nur Text' gilt nicht für '") + file + u("' (Maske: txt).")},
        {{u("run"), u("Ohne"), file},
         1,
         AppErr().MsgLoad(Msg::CommandNeedsPlaceholder, u("%1"), file)},
        {{u("run"), u("Ohne"), dir.filePath(u("fehlt"))}, 1, QString()},
        {{u("run"), u("Ohne")}, 2, QString()},
        {{}, 2, QString()},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(QStringList{u("usermenu")} + c.args);
        EXPECT_EQ(r.code, c.code) << c.args.join(u(" ")).toStdString();
        EXPECT_FALSE(r.err.isEmpty());
        if (!c.error.isEmpty()) {
            EXPECT_EQ(r.err, c.error + u("\n"));
        }
        EXPECT_TRUE(r.out.isEmpty());
    }
}
} // namespace
