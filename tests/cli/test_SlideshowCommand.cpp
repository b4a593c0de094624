// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
class SlideshowCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        // Only names count here: nothing is decoded.
        for (const char* name : {"bilder/b.jpg", "bilder/A.bmp", "bilder/c.JPG"})
            dir.writeFile(QLatin1String(name), "Bild");
        dir.writeFile(u("bilder/notiz.txt"), "kein Bild");
        dir.writeFile(u("leer/notiz.txt"), "kein Bild");
    }

    // Runs the command from `folder`, as a user's shell would.
    CliResult Run(const QString& path, const QString& folder)
    {
        const QByteArray where = QFile::encodeName(folder);
        return runCli({u("slideshow"), path}, [where] {
            if (::chdir(where.constData()) != 0)
                ::_exit(99);
        });
    }

    QString Shown(const char* interval = "5000", const char* colour = "0",
                  const char* maximised = "Nein") const
    {
        QString text =
            u("Intervall\t%1\nHintergrund\t%2\nMaximiert\t%3\n")
                .arg(QLatin1String(interval), QLatin1String(colour), QString::fromUtf8(maximised));
        for (const char* name : {"A.bmp", "b.jpg", "c.JPG"})
            text += dir.path() + u("bilder/") + QLatin1String(name) + QLatin1Char('\n');
        return text;
    }

    TempDir dir;
};

QString Message(int number, const QString& arg1, const QString& arg2 = {})
{
    return AppErr().MsgLoad(number, arg1, arg2) + QLatin1Char('\n');
}
} // namespace

TEST_F(SlideshowCommand, CommandFilesGiveTheirOptionsAndFolders)
{
    const QString root = dir.path();
    const struct {
        QByteArray ini;
        QString out;
        QString err;
    } cases[] = {
        {"[Folders]\nbilder\n", Shown(), {}},
        {"[Options]\nInterval=2\n[Folders]\n1=bilder", Shown("2000"), {}},
        {"[Options]\nInterval=1\n[Folders]\n1=bilder", Shown(), {}},
        {"[Options]\nInterval=1000\n[Folders]\n1=bilder", Shown(), {}},
        {"[Options]\nInterval=2500\n[Folders]\n1=bilder", Shown("6000"), {}},
        {"[options]\ninterval=3 ; drei Sekunden\n[folders]\n1=bilder/ ; hier", Shown("3000"), {}},
        {"[Options]\nBackColor=255\nMaximize=1\n[Folders]\nx=bilder",
         Shown("5000", "255", "Ja"),
         {}},
        {"[Options]\nBackColor=-1\nMaximize=ja\n[Folders]\nx=bilder", Shown(), {}},
        {"[Options]\nBackColor=Rot\n[Folders]\nx=bilder", Shown(), {}},
        {"[Folders]\n1=fehlt\n2=" + root.toUtf8() + "bilder\n", Shown(),
         Message(Msg::SlideshowFolderMissing, root + u("fehlt/"))},
        {"[Options]\nInterval=abc\n[Folders]\n1=bilder",
         {},
         Message(Msg::SlideshowBadNumber, u("Interval"), u("abc"))},
        {"[Folders]\n1=leer\n", {}, Message(Msg::NoMatchingFiles, root + u("show.ini"))},
        {"bilder\n", {}, Message(Msg::NoMatchingFiles, root + u("show.ini"))},
        {"", {}, Message(Msg::NoMatchingFiles, root + u("show.ini"))},
    };
    for (const auto& c : cases) {
        dir.writeFile(u("show.ini"), c.ini);
        // Folders in a command file count from the file's folder, wherever it runs.
        const CliResult result = Run(dir.filePath(u("show.ini")), u("/"));
        EXPECT_EQ(result.out, c.out) << c.ini.constData();
        EXPECT_EQ(result.err, c.err) << c.ini.constData();
        EXPECT_EQ(result.code, c.out.isEmpty() ? 1 : 0) << c.ini.constData();
    }
}

TEST_F(SlideshowCommand, FoldersAndPathsAreTakenFromTheCurrentFolder)
{
    const QString root = dir.path();
    const struct {
        const char* path;
        QString out;
        QString err;
    } cases[] = {
        {"bilder", Shown(), {}},
        {"./bilder/", Shown(), {}},
        {"leer", {}, Message(Msg::NoMatchingFiles, root + u("leer/"))},
        {"bilder.txt", {}, Message(Msg::SlideshowFolderMissing, root + u("bilder.txt"))},
        {"fehlt.INI", {}, Message(Msg::FileMissing, root + u("fehlt.INI"))},
    };
    for (const auto& c : cases) {
        const CliResult result = Run(QLatin1String(c.path), root);
        EXPECT_EQ(result.out, c.out) << c.path;
        EXPECT_EQ(result.err, c.err) << c.path;
        EXPECT_EQ(result.code, c.out.isEmpty() ? 1 : 0) << c.path;
    }
    EXPECT_EQ(Run(QString(), root).code, 2);
}
