// SPDX-License-Identifier: GPL-3.0-or-later
#include "MainWindowFixture.h"
#include "UserMenuTestUtil.h"
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
        for (const char* name : {"a.TXT", "b.log"})
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
    StoreUserMenuEntry(u("&Text"), u("tolvane-gibt-es-nicht %1"), u("txt;ini"));
    const QString plain = dir.writeFile(u("kein-programm"), "#!/bin/sh\n");
    StoreUserMenuEntry(u("Zerbrochen"), u("\"") + plain + u("\" %1"));
    StoreUserMenuEntry(u("&Aufzeichnen"), recorder + u(" --datei=%1 %1"));
    StoreUserMenuEntry(u("Ohne"), recorder); // had it started, the record would hold no argument
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
    for (const auto& [file, forText] : {std::pair{"a.TXT", true}, std::pair{"b.log", false}}) {
        ClickFile(*form, u(file));
        EXPECT_EQ(text->isEnabled(), forText) << file;
        EXPECT_TRUE(ohne->isEnabled()) << file;
    }
    EXPECT_EQ(boxes.count(), 0); // neither window had anything to say
    ohne->trigger();
    EXPECT_EQ(boxes.lastText(),
              AppErr().MsgLoad(Msg::CommandNeedsPlaceholder, u("%1"), dir.filePath(u("b.log"))));
    // A missing program and a file that cannot run are named in a German box.
    ClickFile(*form, u("a.TXT"));
    for (const auto& [entry, named] : {std::pair{text, u("tolvane-gibt-es-nicht")},
                                       {Entry(*form, "kFileBox_Run_User_Menu_4"), plain}}) {
        boxes.clear();
        entry->trigger();
        EXPECT_EQ(boxes.count(), 1);
        EXPECT_TRUE(boxes.lastText().contains(
            u("\n\nDas Programm '%1' kann nicht gestartet werden: ").arg(named)))
            << boxes.lastText().toStdString();
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
} // namespace
