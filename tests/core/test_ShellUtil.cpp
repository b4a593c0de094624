// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"
#include "core/AppSettings.h"
#include "core/LibError.h"
#include "core/PathUtil.h"
#include "core/ShellUtil.h"
#include "core/cuAppError.h"
#include "platform/DesktopEntry.h"
#include "platform/FileNameCodec.h"
#include "platform/ShellLauncher.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>
#include <unistd.h>

namespace {
// The shell code inside the library error 6 that ShellOpen raised, or -1.
int shellCodeRaisedBy(const QString& file, const QString& folder = {})
{
    const AppErrorRecord e = Raised([&] { ShellOpen(file, folder); });
    EXPECT_EQ(e.Number, 1024 + cuAppError::ErrorBase + 6);
    for (int code = 0; code <= 32; ++code)
        if (e.Description == LibMessage(6, code))
            return code;
    ADD_FAILURE() << e.Description.toStdString();
    return -1;
}

// An opener that writes its working folder and arguments to `out`.
QString recordingOpener(const TempDir& dir, const QString& out)
{
    const QString text = u("#!/bin/sh\npwd > '%1.tmp'\nprintf '%s\\n' \"$@\" >> '%1.tmp'\n"
                           "mv '%1.tmp' '%1'\n");
    const QString script = dir.writeFile(u("opener.sh"), text.arg(out).toUtf8());
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

QStringList waitForLines(const QString& path)
{
    if (!QTest::qWaitFor([&] { return QFile::exists(path); }, 10000))
        return {};
    return QString::fromUtf8(TempDir::contents(path)).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

class Opener : public ::testing::Test {
protected:
    void SetUp() override { ShellLauncher::setOpenerProgram(recordingOpener(dir, out)); }
    void TearDown() override { ShellLauncher::setOpenerProgram({}); }
    TempDir dir;
    const QString out = dir.filePath(u("aufruf"));
};

// Points every desktop lookup at folders of the test and restores them.
class DesktopFolders : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : kNames)
            m_saved << qgetenv(name);
        qputenv("XDG_CONFIG_HOME", dir.makeDir(u("config")).toUtf8());
        qputenv("XDG_DATA_HOME", dir.makeDir(u("data")).toUtf8());
        qputenv("XDG_CONFIG_DIRS", dir.filePath(u("leer1")).toUtf8());
        qputenv("XDG_DATA_DIRS", dir.filePath(u("leer2")).toUtf8());
        qunsetenv("XDG_CURRENT_DESKTOP");
        qunsetenv("VISUAL");
    }
    void TearDown() override
    {
        for (int i = 0; i < int(std::size(kNames)); ++i) {
            if (m_saved.at(i).isNull())
                qunsetenv(kNames[i]);
            else
                qputenv(kNames[i], m_saved.at(i));
        }
    }
    void installDefaultEditor()
    {
        dir.writeFile(u("config/mimeapps.list"), "[Added Associations]\ntext/plain=other.desktop;\n"
                                                 "[Default Applications]\ntext/html=web.desktop\n"
                                                 "text/plain=fehlt.desktop;schreiber.desktop;\n");
        dir.writeFile(u("data/applications/schreiber.desktop"),
                      "[Desktop Entry]\nName=Schreiber\nType=Application\n"
                      "Exec=schreiber --neu %F\n[Desktop Action neu]\nExec=falsch\n");
    }
    TempDir dir;

private:
    static constexpr const char* kNames[] = {"XDG_CONFIG_HOME",     "XDG_DATA_HOME",
                                             "XDG_CONFIG_DIRS",     "XDG_DATA_DIRS",
                                             "XDG_CURRENT_DESKTOP", "VISUAL"};
    QList<QByteArray> m_saved;
};
} // namespace

TEST(ShellErrorText, CodesOutsideTheTableAreUnknown)
{
    EXPECT_EQ(ShellErrorText(31), u("Mit der Dateierweiterung ist keine Anwendung verknüpft."));
    for (int code : {-1, 1, 33})
        EXPECT_EQ(ShellErrorText(code), u("Unbekannter Fehler.")) << code;
}

TEST_F(Opener, FailuresBecomeShellCodes)
{
    EXPECT_EQ(shellCodeRaisedBy(dir.filePath(u("fehlt.txt"))), 2);
    EXPECT_EQ(shellCodeRaisedBy(dir.filePath(u("kein/ordner/x.txt"))), 3);
    EXPECT_EQ(shellCodeRaisedBy(QString()), 2);
    if (geteuid() != 0) { // root reads everything
        const QString locked = dir.writeFile(u("gesperrt.txt"), "x");
        QFile::setPermissions(locked, QFileDevice::Permissions());
        EXPECT_EQ(shellCodeRaisedBy(locked), 5);
    }
    ShellLauncher::setOpenerProgram(dir.filePath(u("kein-programm")));
    EXPECT_EQ(shellCodeRaisedBy(dir.writeFile(u("da.txt"))), 31);
    EXPECT_FALSE(QFile::exists(out));
}

TEST_F(Opener, HandsTheAbsolutePathToTheOpener)
{
    const QString file = dir.writeFile(u("-n mit leer.txt"), "x");
    ASSERT_TRUE(ShellOpen(file));
    // Started at the file's volume root, the one argument being the whole path.
    const QString root = DriveOrShareOf(file);
    EXPECT_EQ(waitForLines(out), (QStringList{root == u("/") ? root : root.chopped(1), file}));

    QFile::remove(out);
    const QString folder = dir.makeDir(u("arbeit"));
    ASSERT_TRUE(ShellOpen(file, folder));
    EXPECT_EQ(waitForLines(out), (QStringList{folder.chopped(1), file}));
}

TEST_F(Opener, NameBytesThatAreNotUtf8AndUrlsReachTheOpenerAsTheyAre)
{
    const QString file = dir.writeFileNamed("caf\xe9.txt");
    EXPECT_EQ(ShellOpenCode(file), ShellCode::Started);
    ASSERT_FALSE(waitForLines(out).isEmpty());
    EXPECT_EQ(TempDir::contents(out).split('\n').value(1), EncodeFileName(file));

    QFile::remove(out);
    EXPECT_EQ(ShellLauncher::openTarget(u("https://example.org/seite")), ShellCode::Started);
    EXPECT_EQ(waitForLines(out).value(1), u("https://example.org/seite"));
    EXPECT_EQ(ShellLauncher::openTarget(dir.filePath(u("fehlt"))), ShellCode::FileNotFound);
}

TEST(DesktopEntry, ExecArgumentsQuotesFieldCodesAndGroupValues)
{
    const QString f = u("/tmp/a b.txt");
    struct Case {
        const char* exec;
        QStringList expected;
    } cases[] = {
        {"gedit %U", {u("gedit"), f}},
        {"\"/opt/mein editor/ed\" --datei=%f", {u("/opt/mein editor/ed"), u("--datei=") + f}},
        {"app %i %c", {u("app"), u("Schreiber"), f}},
        {"app %%", {u("app"), u("%"), f}},
        {"app \"a\\\"b\" %F", {u("app"), u("a\"b"), f}},
        {"\"my\\sapp\" %f", {u("my app"), f}},
        {"app \"\" %k", {u("app"), u(""), u("/x.desktop"), f}},
        {"  app   ", {u("app"), f}},
        {"app \"offen", {}},
        {"%i", {}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DesktopEntry::expandExec(u(c.exec), f, u("Schreiber"), u("/x.desktop")),
                  c.expected)
            << c.exec;

    const QString text = u("# Kommentar\n[Desktop Entry]\nName = Eins\nExec=a\n"
                           "[Desktop Action x]\nExec=b\n[Desktop Entry]\nTerminal=true\n");
    EXPECT_EQ(DesktopEntry::groupValue(text, u("Desktop Entry"), u("Name")), u("Eins"));
    EXPECT_EQ(DesktopEntry::groupValue(text, u("Desktop Entry"), u("Exec")), u("a"));
    EXPECT_EQ(DesktopEntry::groupValue(text, u("Desktop Action x"), u("Exec")), u("b"));
    EXPECT_EQ(DesktopEntry::groupValue(text, u("Desktop Entry"), u("Terminal")), u("true"));
    EXPECT_EQ(DesktopEntry::groupValue(text, u("Desktop Entry"), u("Icon")), QString());
    EXPECT_EQ(DesktopEntry::groupValue(text, u("Fehlt"), u("Exec")), QString());
}

TEST_F(DesktopFolders, ConfiguredEditorThenTheDesktopDefaultThenVisual)
{
    const QString f = u("/tmp/notiz.txt");
    EXPECT_EQ(EditorCommand(QString(), f), QStringList());
    qputenv("VISUAL", "code -w");
    EXPECT_EQ(EditorCommand(u("  "), f), (QStringList{u("code"), u("-w"), f}));

    // The first installed entry of the default list wins over $VISUAL.
    installDefaultEditor();
    EXPECT_EQ(EditorCommand(QString(), f), (QStringList{u("schreiber"), u("--neu"), f}));
    EXPECT_EQ(EditorCommand(u("kate"), f), (QStringList{u("kate"), f}));
    EXPECT_EQ(DesktopEntry::defaultApplicationFor(u("text/plain")),
              dir.filePath(u("data/applications/schreiber.desktop")));
    EXPECT_EQ(DesktopEntry::defaultApplicationFor(u("image/png")), QString());
}

TEST_F(DesktopFolders, OpenInEditorStartsTheOptionsEditorWithoutAShell)
{
    const QString out = dir.filePath(u("aufruf"));
    const QString editor = recordingOpener(dir, out);
    const QString file = dir.writeFile(u("notiz; echo x.txt"), "text");
    ASSERT_TRUE(AppSaveSetting(akOptions, u("Editor"), u("\"") + editor + u("\" --zeile %1")));
    EXPECT_TRUE(OpenInEditor(file));
    // Started in the file's folder with the path as one argument.
    EXPECT_EQ(waitForLines(out), (QStringList{dir.path().chopped(1), u("--zeile"), file}));

    auto raisedText = [](const QString& path) {
        return Raised([&] { OpenInEditor(path); }).Description;
    };
    EXPECT_EQ(raisedText(dir.filePath(u("fehlt.txt"))), LibMessage(6, 2));
    AppSaveSetting(akOptions, u("Editor"), QString());
    EXPECT_EQ(raisedText(file), LibMessage(6, 31)); // no editor anywhere
}
