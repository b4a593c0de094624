// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/CliRun.h"
#include "support/TestText.h"

#include <QFileInfo>

#include <fcntl.h>
#include <unistd.h>

namespace {
// Names a shell would run commands from.
const char* const kHostile[] = {"a;touch x", "$(touch y)", "`touch z`", "-n leer \"zitat\""};

class UserMenuWindow : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const char* name : {"a.TXT", "b.log", "c.ini", "x.txt.log", "ohne"})
            dir.writeFile(u(name), "Inhalt");
        for (const char* name : kHostile)
            dir.writeFile(u(name), "Inhalt");
    }
    // The recorder's folder, descriptors and arguments (arg_recorder.cpp),
    // written where it ran.
    QList<QByteArray> Recorded()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return QFileInfo::exists(record); }, 10000));
        const QList<QByteArray> got = TempDir::contents(record).split('\0');
        QFile::remove(record);
        return got;
    }

    const QString record = dir.filePath(u("aufgezeichnet"));
    std::unique_ptr<frmMain> form;
};

// Without entries the user menu is hidden. Entries are offered by the file
// name's extension. From the menu and from the companion, the path reaches the
// program as one argument, nothing in it runs, and no descriptor of ours goes along.
TEST_F(UserMenuWindow, EntriesAreOfferedByExtensionAndRunWithoutAShell)
{
    form = Open();
    ClickFile(*form, u("a.TXT"));
    EXPECT_FALSE(Entry(*form, "kFileBox_Run_User")->isVisible());
    const QString recorder = u("\"") + u(ARG_RECORDER) + u("\"");
    const QString plain = dir.writeFile(u("programme/kein-programm"), "#!/bin/sh\n");
    StoreUserMenuEntry(u("&Aufzeichnen"), recorder + u(" --datei=%1 %1"));
    StoreUserMenuEntry(u("Ohne"), recorder); // had it started, the record would hold no argument
    StoreUserMenuEntry(u("&Text"), u("tolvane-gibt-es-nicht %1"), u("txt;ini"));
    StoreUserMenuEntry(u("W1"), dir.filePath(u("fehlt")) + u(" %1"));
    StoreUserMenuEntry(u("W2"), u("\"") + plain + u("\" %1"));
    StoreUserMenuEntry(u("W3"), u("./programme %1"));
    // Not closed on exec: the start itself must keep it from the program.
    const int leaked = ::open("/dev/null", O_RDONLY);
    ASSERT_GT(leaked, 2);
    form = Open();
    EXPECT_FALSE(Entry(*form, "TB_Icons")->isEnabled()); // no icon files here
    // Sorted as the store lists them, captioned by their keys.
    QAction* const aufzeichnen = Entry(*form, "kFileBox_Run_User_Menu_1");
    QAction* const text = Entry(*form, "kFileBox_Run_User_Menu_2");
    QAction* const ohne = Entry(*form, "kFileBox_Run_User_Menu_3");
    ASSERT_TRUE(aufzeichnen && text && ohne);
    EXPECT_EQ(text->text(), u("&Text"));
    // By the extension of the name, ignoring case; an entry without a mask takes every file.
    const std::pair<const char*, bool> offers[] = {
        {"a.TXT", true}, {"c.ini", true}, {"x.txt.log", false}, {"ohne", false}, {"b.log", false}};
    for (const auto& [file, forText] : offers) {
        ClickFile(*form, u(file));
        EXPECT_EQ(text->isEnabled(), forText) << file;
        EXPECT_TRUE(ohne->isEnabled()) << file;
    }
    EXPECT_EQ(boxes.count(), 0); // neither window had anything to say
    ohne->trigger();
    EXPECT_EQ(boxes.lastText(),
              AppErr().MsgLoad(Msg::CommandNeedsPlaceholder, u("%1"), dir.filePath(u("b.log"))));
    // What keeps a program from starting is named in a German box.
    ClickFile(*form, u("a.TXT"));
    const struct {
        QAction* entry;
        qint32 number;
        QString named;
        const char* why;
    } failing[] = {
        {text, RuntimeError::FileNotFound, u("tolvane-gibt-es-nicht"),
         "in keinem Ordner des Suchpfads (PATH) gefunden"},
        {Entry(*form, "kFileBox_Run_User_Menu_4"), RuntimeError::FileNotFound,
         dir.filePath(u("fehlt")), "Datei oder Ordner nicht vorhanden"},
        {Entry(*form, "kFileBox_Run_User_Menu_5"), RuntimeError::PermissionDenied, plain,
         "die Datei ist nicht ausführbar"},
        {Entry(*form, "kFileBox_Run_User_Menu_6"), RuntimeError::PermissionDenied,
         dir.filePath(u("programme")), "ist ein Ordner"},
    };
    for (const auto& f : failing) {
        boxes.clear();
        f.entry->trigger();
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.lastText().endsWith(u("\n\nDas Programm '%1' kann nicht gestartet "
                                                "werden: %2.")
                                                  .arg(f.named, u(f.why))))
            << boxes.lastText().toStdString();
        EXPECT_TRUE(boxes.shown().last().title.endsWith(u("<Fehler Nr. %1>").arg(f.number)));
    }
    boxes.clear();
    for (const char* name : kHostile) {
        const QString path = dir.filePath(u(name));
        const QByteArray bytes = QFile::encodeName(path);
        const QList<QByteArray> expected = {QFile::encodeName(dir.path()).chopped(1), "0 1 2",
                                            "--datei=" + bytes, bytes};
        ClickFile(*form, u(name));
        aufzeichnen->trigger();
        EXPECT_EQ(Recorded(), expected) << name;
        const CliResult cli = runCli({u("usermenu"), u("run"), u("Aufzeichnen"), path});
        EXPECT_EQ(cli.code, 0) << cli.err.toStdString();
        EXPECT_EQ(Recorded(), expected) << name;
        for (const char* made : {"x", "y", "z"})
            EXPECT_FALSE(QFileInfo::exists(dir.filePath(u(made)))) << made;
    }
    EXPECT_EQ(boxes.count(), 0);
    ::close(leaked);
}

TEST_F(UserMenuWindow, CompanionListsWhatEntriesWouldStartAndRunsThemOrSaysWhyNot)
{
    EXPECT_EQ(runCli({u("usermenu"), u("list")}).bytes, QByteArray());
    // Listed sorted, not as stored; an entry without a command line is left out.
    StoreUserMenuEntry(u("Ohne"), u("prog"));
    StoreUserMenuEntry(u("Leer"), QString());
    StoreUserMenuEntry(u("&Kate"), u("kate --neu \"%1\""), u("txt;INI"));
    const QString text = dir.writeFile(u("mit blank.TXT"), "x");
    const QString log = dir.filePath(u("b.log"));
    const QString kate = u("&Kate\tkate --neu \"%1\"\ttxt;INI");
    const QString missing = dir.filePath(u("fehlt"));
    const QString usage =
        u("Aufruf: tolvane-cli usermenu list [DATEI] | usermenu run BESCHRIFTUNG DATEI\n");
    const struct {
        QStringList args;
        int code;
        QString expected; // standard output on success, else the error
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
        {{u("run"), u("Ohne"), missing}, 1, AppErr().MsgLoad(Msg::FileMissing, missing) + u("\n")},
        {{u("run"), u("Ohne")}, 2, usage},
        {{}, 2, usage},
    };
    for (const auto& c : cases) {
        const CliResult r = runCli(QStringList{u("usermenu")} + c.args);
        const std::string call = c.args.join(u(" ")).toStdString();
        EXPECT_EQ(r.code, c.code) << call;
        EXPECT_EQ(r.out, c.code == 0 ? c.expected : QString()) << call;
        EXPECT_EQ(r.err, c.code == 0 ? QString() : c.expected) << call;
    }
}
} // namespace
