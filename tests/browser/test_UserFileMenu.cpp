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

#include <gtest/gtest.h>

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
            {" \tprog\t\t%1 \t x  ", {u("prog"), path, u("x")}},
            {"prog \"%1 offen", {u("prog"), path + u(" offen")}},
            {"wine C:\\Programme\\x.exe %1\\",
             {u("wine"), u("C:\\Programme\\x.exe"), path + u("\\")}},
            {"   ", {}},
            {"a b c d e f g h i j k %1", u("a b c d e f g h i j k").split(u(" ")) << path},
        };
        for (const auto& c : cases)
            EXPECT_EQ(pUserFileMenu::Arguments(u(c.cmdLine), path), c.expected)
                << c.cmdLine << " with " << path.toStdString();
    }
}

TEST(UserFileMenu, OffersAnEntryByTheExtensionOfTheFilesName)
{
    const UserMenuEntry editor{u("&Editor"), u("kate %1"), u("txt;INI")};
    const UserMenuEntry all{u("Alles"), u("xdg-open %1"), QString()};
    const struct {
        const char* file;
        bool editorApplies;
    } files[] = {{"/d/a.TXT", true}, {"/d/b.log", false},    {"/d/c.ini", true},
                 {"/d/ohne", false}, {"/d.txt/ohne", false}, {"/d/x.txt.log", false}};
    for (const auto& f : files) {
        EXPECT_EQ(pUserFileMenu::Applies(editor, u(f.file)), f.editorApplies) << f.file;
        EXPECT_TRUE(pUserFileMenu::Applies(all, u(f.file))) << f.file;
    }
}

TEST(UserFileMenu, MissingOrUnusableProgramsAreReportedBeforeAnythingStarts)
{
    const TempDir files;
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
}

TEST(UserMenuCommand, ListsWhatEntriesWouldStartAndRunsThemOrSaysWhyNot)
{
    EXPECT_EQ(runCli({u("usermenu"), u("list")}).bytes, QByteArray());
    // Listed sorted, not as stored; an entry without a command line is left out.
    StoreUserMenuEntry(u("Ohne"), u("prog"));
    StoreUserMenuEntry(u("Leer"), QString());
    StoreUserMenuEntry(u("&Kate"), u("kate --neu \"%1\""), u("txt;INI"));
    TempDir dir;
    const QString text = dir.writeFile(u("mit blank.TXT"), "x");
    const QString log = dir.writeFile(u("b.log"), "x");
    const QString kate = u("&Kate\tkate --neu \"%1\"\ttxt;INI");
    const struct {
        QStringList args;
        int code;
        QString expected; // standard output on success, else the error (null: any)
    } cases[] = {
        {{u("list")}, 0, kate + u("\nOhne\tprog\t\n")},
        {{u("list"), text},
         0,
         kate + u("\tJa\n\tkate\n\t--neu\n\t") + text + u("\nOhne\tprog\t\tJa\n")},
        {{u("list"), log},
         0,
         kate + u("\tNein\n\tkate\n\t--neu\n\t") + log + u("\nOhne\tprog\t\tJa\n")},
        {{u("run"), u("Fehlt"), log}, 1, u("Das Benutzermenü hat keinen Eintrag 'Fehlt'.\n")},
        {{u("run"), u("&KATE"), log},
         1,
         u("Der Eintrag '&Kate' gilt nicht für '") + log + u("' (Maske: txt;INI).\n")},
        {{u("run"), u("Ohne"), log},
         1,
         AppErr().MsgLoad(Msg::CommandNeedsPlaceholder, u("%1"), log) + u("\n")},
        {{u("run"), u("Ohne"), dir.filePath(u("fehlt"))}, 1, {}},
        {{u("run"), u("Ohne")}, 2, {}},
        {{}, 2, {}},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(QStringList{u("usermenu")} + c.args);
        const std::string call = c.args.join(u(" ")).toStdString();
        EXPECT_EQ(r.code, c.code) << call;
        const QString& said = c.code == 0 ? r.out : r.err;
        EXPECT_EQ(c.code == 0 ? r.err : r.out, QString()) << call;
        EXPECT_FALSE(said.isEmpty()) << call;
        if (!c.expected.isNull()) {
            EXPECT_EQ(said, c.expected) << call;
        }
    }
}
} // namespace
