// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocFixtures.h"
#include "support/TestText.h"

#include "cli/InfoCommand.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "support/CliRun.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/VersionNode.h"

#include <gtest/gtest.h>

namespace {
QStringList labels(const QList<FileInfoRow>& rows)
{
    QStringList out;
    for (const FileInfoRow& row : rows)
        out.append(row.label);
    return out;
}

const QStringList FileLabels = {"Typ",           "Größe",  "Erstellt",  "Geändert", "Letzter Zugr.",
                                "Schreibgesch.", "Archiv", "Versteckt", "System"};
} // namespace

class InfoCommand : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(InfoCommand, PlainFileGivesTheNineRows)
{
    const QDateTime modified(QDate(2021, 3, 9), QTime(8, 7, 6));
    const QString path = dir.writeFile(u(".notiz.txt"), QByteArray(1536, 'a'), modified);
    const QList<FileInfoRow> rows = InfoRows(path);
    ASSERT_EQ(labels(rows), FileLabels);
    EXPECT_EQ(rows[1].value, u("1,50KB (1.536 bytes)"));
    EXPECT_EQ(rows[3].value, u("09.03.21 08:07:06"));
    EXPECT_EQ(rows[5].value, u("Nein"));
    EXPECT_EQ(rows[7].value, u("Ja")) << "a dot-file is hidden";
    EXPECT_TRUE(InfoRows(dir.filePath(u("fehlt"))).isEmpty());
}

TEST_F(InfoCommand, DocumentPropertiesAndVersionRowsFollowTheFileRows)
{
    const QByteArray meta =
        "<d><m><title>Plan</title><initial-creator>Eva</initial-creator></m></d>";
    const QList<FileInfoRow> doc =
        InfoRows(dir.writeFile(u("plan.odt"), Fixture::zipFile({{"meta.xml", meta}})));
    ASSERT_EQ(doc.size(), 12);
    EXPECT_EQ(doc[9].label, QString(15, QLatin1Char('-')));
    EXPECT_EQ(doc[9].value, QString(25, QLatin1Char('-')));
    EXPECT_EQ(doc[10].label, u("Autor"));
    EXPECT_EQ(doc[10].value, u("Eva"));
    EXPECT_EQ(doc[11].label, u("Titel"));
    // Nothing readable: no separator either.
    const QString empty = dir.writeFile(u("leer.docx"), "kein zip");
    EXPECT_EQ(labels(InfoRows(empty)), FileLabels);

    // A program's version rows follow the same way.
    VersionNode::Fixed fixed;
    fixed.fileMS = 0x00020003;
    fixed.fileLS = 0x00040005;
    const VersionNode root = VersionNode::root(
        fixed, {VersionNode::strings(u("040704B0"), {{u("CompanyName"), u("Beispiel GmbH")},
                                                     {u("FileDescription"), u("Prüfprogramm")},
                                                     {u("Comments"), u("Nur zum Testen")}}),
                VersionNode::translations({{0x0407, 0x04B0}})});
    PeWriter pe;
    pe.add(16, 1, 0x0407, root.serialize()); // RT_VERSION
    const QList<FileInfoRow> rows = InfoRows(dir.writeFile(u("pruef.exe"), pe.build()));
    ASSERT_EQ(rows.size(), 20);
    EXPECT_EQ(labels(rows).mid(9),
              (QStringList{QString(15, QLatin1Char('-')), "Version", "Beschreibung", "Copyright",
                           "Firmenname", "Int. Name", "Sprache", "Marken", "Originalname",
                           "Produktname", "Kommentare"}));
    EXPECT_EQ(rows[10].value, u("2.03.0405"));
    EXPECT_EQ(rows[11].value, u("Prüfprogramm"));
    EXPECT_EQ(rows[13].value, u("Beispiel GmbH"));
    EXPECT_EQ(rows[15].value, u("Deutsch (Deutschland)"));
    EXPECT_EQ(rows[19].value, u("Nur zum Testen"));
    // A program without a version resource shows the file rows alone.
    PeWriter bare;
    EXPECT_EQ(labels(InfoRows(dir.writeFile(u("ohne.exe"), bare.build()))), FileLabels);
}

TEST_F(InfoCommand, CommandLineOutputAndExitCodes)
{
    const QString path = dir.writeFile(u("daten.bin"), "xyz");
    const CliResult info = runCli({u("info"), path});
    EXPECT_EQ(info.code, 0) << info.err.toStdString();
    const QStringList lines = info.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_TRUE(lines[1].startsWith(u("Größe\t3 bytes")));

    const QString gone = dir.filePath(u("weg"));
    const CliResult missing = runCli({u("info"), gone});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.out.isEmpty());
    EXPECT_EQ(missing.err.trimmed(), AppErr().MsgLoad(Msg::FileMissing, gone));

    EXPECT_EQ(runCli({u("info")}).code, 2);
}
