// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocFixtures.h"
#include "support/TestText.h"

#include "cli/InfoCommand.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "platform/SystemError.h"
#include "support/CliRun.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/VersionNode.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
// The rows as the companion prints them.
QStringList lines(const QList<FileInfoRow>& rows)
{
    QStringList out;
    for (const FileInfoRow& row : rows)
        out.append(row.label + QLatin1Char('\t') + row.value);
    return out;
}

const QString kRule = QString(15, QLatin1Char('-')) + u("\t") + QString(25, QLatin1Char('-'));
} // namespace

class InfoCommand : public ::testing::Test {
protected:
    TempDir dir;
};

TEST_F(InfoCommand, DocumentPropertiesAndVersionRowsFollowTheFileRows)
{
    const QByteArray meta =
        "<d><m><title>Plan</title><initial-creator>Eva</initial-creator></m></d>";
    const QList<FileInfoRow> doc =
        InfoRows(dir.writeFile(u("plan.odt"), Fixture::zipFile({{"meta.xml", meta}})));
    EXPECT_EQ(lines(doc).mid(9), (QStringList{kRule, u("Autor\tEva"), u("Titel\tPlan")}));
    // Nothing readable: no rule either.
    EXPECT_EQ(InfoRows(dir.writeFile(u("leer.docx"), "kein zip")).size(), 9);

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
    EXPECT_EQ(lines(rows).mid(9),
              (QStringList{kRule, u("Version\t2.03.0405"), u("Beschreibung\tPrüfprogramm"),
                           u("Copyright\t"), u("Firmenname\tBeispiel GmbH"), u("Int. Name\t"),
                           u("Sprache\tDeutsch (Deutschland)"), u("Marken\t"), u("Originalname\t"),
                           u("Produktname\t"), u("Kommentare\tNur zum Testen")}));
    // A program without a version resource shows the file rows alone.
    PeWriter bare;
    EXPECT_EQ(InfoRows(dir.writeFile(u("ohne.exe"), bare.build())).size(), 9);
}

TEST_F(InfoCommand, CommandLineOutputAndExitCodes)
{
    const QDateTime modified(QDate(2021, 3, 9), QTime(8, 7, 6));
    const QString notes = dir.writeFile(u(".notiz.txt"), QByteArray(1536, 'a'), modified);
    const QString missing = dir.filePath(u("weg.txt"));
    const QString fifo = dir.filePath(u("rohr.docx"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // The companion formats numbers in the user's locale.
    const QByteArray environment = qgetenv("LC_ALL");
    qputenv("LC_ALL", "de_DE.UTF-8");
    const CliResult info = runCli({u("info"), notes});
    const CliResult several = runCli({u("info"), notes, missing, fifo});
    qputenv("LC_ALL", environment);

    EXPECT_EQ(info.code, 0) << info.err.toStdString();
    const QStringList labels = {"Typ",           "Größe",  "Erstellt",  "Geändert", "Letzter Zugr.",
                                "Schreibgesch.", "Archiv", "Versteckt", "System"};
    const QStringList printed = info.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(printed.size(), labels.size());
    for (qsizetype i = 0; i < labels.size(); ++i)
        EXPECT_TRUE(printed[i].startsWith(labels[i] + u("\t"))) << printed[i].toStdString();
    EXPECT_EQ(printed[1], u("Größe\t1,50KB (1.536 bytes)"));
    EXPECT_EQ(printed[5], u("Schreibgesch.\tNein"));
    EXPECT_EQ(printed[7], u("Versteckt\tJa")) << "a dot-file is hidden";

    // Several files each under their name; a FIFO named like a document is said
    // what it is, not that it is missing.
    EXPECT_EQ(several.code, 1);
    EXPECT_EQ(several.out,
              u("== %1\n").arg(notes) + info.out + u("== %1\n== %2\n").arg(missing, fifo));
    EXPECT_EQ(several.err, AppErr().MsgLoad(Msg::FileMissing, missing) + u("\n") +
                               AppErr().MsgLoad(Msg::NotRegularFile, fifo, FileKindText(S_IFIFO)) +
                               u("\n"));
    const CliResult alone = runCli({u("info"), missing});
    EXPECT_EQ(alone.code, 1);
    EXPECT_TRUE(alone.out.isEmpty());
    EXPECT_EQ(runCli({u("info")}).code, 2);
}
