// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CnfTesting.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

namespace {
CliResult Cli(const QStringList& args)
{
    return runCli(QStringList{QStringLiteral("cnf")} + args);
}
} // namespace

TEST(CnfCommand, DumpShowsTheModel)
{
    TempDir dir;
    const QString path = dir.writeFile(
        QStringLiteral("a.cnf"), Crlf("Kopf\n[Allgemein]\nName=Wert ; Notiz\nZeilen=a||b\nfrei"));
    CliResult run = Cli({QStringLiteral("dump"), path});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Kopf\n[Allgemein]\nName=Wert\nZeilen=a\\nb\n001=frei\n"));

    run = Cli({QStringLiteral("dump"), path, QStringLiteral("--keep-comments")});
    EXPECT_TRUE(run.out.contains(QStringLiteral("Name=Wert ; Notiz\n")));

    run = Cli({QStringLiteral("dump"), dir.filePath(QStringLiteral("fehlt.cnf"))});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(), CNFMessages::Text(CNFMessages::FileMissing,
                                                   dir.filePath(QStringLiteral("fehlt.cnf"))));
    EXPECT_EQ(Cli({QStringLiteral("dump")}).code, 2);
    EXPECT_EQ(Cli({QStringLiteral("seal"), path, path}).code, 2); // no password
}

TEST(CnfCommand, SealAndOpenGiveTheFileBack)
{
    TempDir dir;
    const QByteArray plain = Crlf("; Notizen bleiben erhalten\n[S]\nk=Gr\xfc\xdf"
                                  "e \xff");
    const QString in = dir.writeFile(QStringLiteral("plain.cnf"), plain);
    const QString sealed = dir.filePath(QStringLiteral("sealed.cnf"));
    const QString opened = dir.filePath(QStringLiteral("opened.cnf"));
    const QString password = QStringLiteral("Kennwort");

    ASSERT_EQ(
        Cli({QStringLiteral("seal"), in, sealed, QStringLiteral("--password"), password}).code, 0);
    EXPECT_TRUE(TempDir::contents(sealed).startsWith("****QXCNF****"));
    CliResult run = Cli({QStringLiteral("dump"), sealed, QStringLiteral("--password"), password});
    EXPECT_EQ(run.out, QStringLiteral("; Notizen bleiben erhalten\n[S]\nk=Grüße ÿ\n"));

    ASSERT_EQ(
        Cli({QStringLiteral("open"), sealed, opened, QStringLiteral("--password"), password}).code,
        0);
    EXPECT_EQ(TempDir::contents(opened), plain);

    run = Cli({QStringLiteral("open"), sealed, opened, QStringLiteral("--password"), "kennwort"});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(), CNFMessages::Text(CNFMessages::ChecksumMismatch));
    run = Cli({QStringLiteral("dump"), sealed});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(), CNFMessages::Text(CNFMessages::SealedWithoutPassword));
    run = Cli({QStringLiteral("open"), in, opened, QStringLiteral("--password"), password});
    EXPECT_EQ(run.code, 1);
    EXPECT_EQ(run.err.trimmed(), CNFMessages::Text(CNFMessages::NotSealed));
    // Sealing twice is refused.
    EXPECT_EQ(
        Cli({QStringLiteral("seal"), sealed, opened, QStringLiteral("--password"), password}).code,
        1);
    EXPECT_EQ(TempDir::contents(opened), plain);
}
