// SPDX-License-Identifier: GPL-3.0-or-later
#include "DocFixtures.h"
#include "GermanTimeTest.h"

#include "cli/InfoCommand.h"
#include "support/TempDir.h"

#include <QFile>
#include <QProcess>

namespace {
QStringList labels(const QList<InfoRow>& rows)
{
    QStringList out;
    for (const InfoRow& row : rows)
        out.append(row.label);
    return out;
}

const QStringList FileLabels = {"Typ",           "Größe",  "Erstellt",  "Geändert", "Letzter Zugr.",
                                "Schreibgesch.", "Archiv", "Versteckt", "System"};
} // namespace

class InfoCommand : public GermanTimeTest {
protected:
    TempDir dir;
};

TEST_F(InfoCommand, PlainFileGivesTheNineRows)
{
    const QDateTime modified(QDate(2021, 3, 9), QTime(8, 7, 6));
    const QString path =
        dir.writeFile(QStringLiteral(".notiz.txt"), QByteArray(1536, 'a'), modified);
    const QList<InfoRow> rows = InfoRows(path);
    ASSERT_EQ(labels(rows), FileLabels);
    EXPECT_EQ(rows[1].value, QStringLiteral("1,50KB (1.536 bytes)"));
    EXPECT_EQ(rows[3].value, QStringLiteral("09.03.21 08:07:06"));
    EXPECT_EQ(rows[5].value, QStringLiteral("Nein"));
    EXPECT_EQ(rows[7].value, QStringLiteral("Ja")) << "a dot-file is hidden";
    EXPECT_TRUE(InfoRows(dir.filePath(QStringLiteral("fehlt"))).isEmpty());
}

TEST_F(InfoCommand, DocumentPropertiesFollowWithTheirGermanNames)
{
    const QByteArray meta =
        "<d><m><title>Plan</title><initial-creator>Eva</initial-creator></m></d>";
    const QString path =
        dir.writeFile(QStringLiteral("plan.odt"), Fixture::zipFile({{"meta.xml", meta}}));
    const QList<InfoRow> rows = InfoRows(path);
    ASSERT_EQ(rows.size(), 12);
    EXPECT_EQ(rows[9].label, QString(15, QLatin1Char('-')));
    EXPECT_EQ(rows[9].value, QString(25, QLatin1Char('-')));
    EXPECT_EQ(rows[10].label, QStringLiteral("Autor"));
    EXPECT_EQ(rows[10].value, QStringLiteral("Eva"));
    EXPECT_EQ(rows[11].label, QStringLiteral("Titel"));
    // Nothing readable: no separator either.
    const QString empty = dir.writeFile(QStringLiteral("leer.docx"), "kein zip");
    EXPECT_EQ(labels(InfoRows(empty)), FileLabels);
}

TEST_F(InfoCommand, CommandLineOutputAndExitCodes)
{
    const QString path = dir.writeFile(QStringLiteral("daten.bin"), "xyz");
    QProcess cli;
    cli.start(QStringLiteral(TOLVANE_CLI_PATH), {QStringLiteral("info"), path});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 0);
    const QStringList lines =
        QString::fromUtf8(cli.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Größe\t3 bytes")));

    cli.start(QStringLiteral(TOLVANE_CLI_PATH),
              {QStringLiteral("info"), dir.filePath(QStringLiteral("weg"))});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 1);
    EXPECT_TRUE(cli.readAllStandardOutput().isEmpty());
    EXPECT_EQ(QString::fromUtf8(cli.readAllStandardError()).trimmed(),
              QStringLiteral("Die Datei '%1' ist nicht vorhanden.")
                  .arg(dir.filePath(QStringLiteral("weg"))));

    cli.start(QStringLiteral(TOLVANE_CLI_PATH), {QStringLiteral("info")});
    ASSERT_TRUE(cli.waitForFinished(30000));
    EXPECT_EQ(cli.exitCode(), 2);
}
