// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CnfTesting.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/TestText.h"

namespace {
CliResult Cli(const QStringList& args)
{
    return runCli(QStringList{u("cnf")} + args);
}
} // namespace

TEST(CnfCommand, DumpShowsTheModelSealAndOpenGiveTheFileBack)
{
    TempDir dir;
    const QString path =
        dir.writeFile(u("a.cnf"), Crlf("Kopf\n[Allgemein]\nName=Wert ; Notiz\nZeilen=a||b\nfrei"));
    CliResult run = Cli({u("dump"), path});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u("Kopf\n[Allgemein]\nName=Wert\nZeilen=a\\nb\n001=frei\n"));

    run = Cli({u("dump"), path, u("--keep-comments")});
    EXPECT_TRUE(run.out.contains(u("Name=Wert ; Notiz\n")));

    run = Cli({u("dump"), dir.filePath(u("fehlt.cnf"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(),
              CNFMessages::Text(CNFMessages::FileMissing, dir.filePath(u("fehlt.cnf"))));
    EXPECT_EQ(Cli({u("dump")}).code, 2);
    EXPECT_EQ(Cli({u("seal"), path, path}).code, 2); // no password

    // Sealed and opened, the file comes back.
    const QByteArray plain = Crlf("; Notizen bleiben erhalten\n[S]\nk=Gr\xfc\xdf"
                                  "e \xff");
    const QString in = dir.writeFile(u("plain.cnf"), plain);
    const QString sealed = dir.filePath(u("sealed.cnf"));
    const QString opened = dir.filePath(u("opened.cnf"));
    const QString password = u("Kennwort");

    ASSERT_EQ(Cli({u("seal"), in, sealed, u("--password"), password}).code, 0);
    run = Cli({u("dump"), sealed, u("--password"), password});
    EXPECT_EQ(run.out, u("; Notizen bleiben erhalten\n[S]\nk=Grüße ÿ\n"));

    ASSERT_EQ(Cli({u("open"), sealed, opened, u("--password"), password}).code, 0);
    EXPECT_EQ(TempDir::contents(opened), plain);

    run = Cli({u("open"), sealed, opened, u("--password"), "kennwort"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(), CNFMessages::Text(CNFMessages::ChecksumMismatch));
    run = Cli({u("open"), in, opened, u("--password"), password});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(), CNFMessages::Text(CNFMessages::NotSealed));
    // Sealing twice is refused.
    EXPECT_EQ(Cli({u("seal"), sealed, opened, u("--password"), password}).code, 1);
    EXPECT_EQ(TempDir::contents(opened), plain);
}
