// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileReader.h"
#include "core/RegFileTransfer.h"
#include "core/RegFileWriter.h"
#include "core/Registry.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "support/TestSettings.h"
#include "support/TestText.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
CliResult settings(const QStringList& args)
{
    return runCli(QStringList{QStringLiteral("settings")} + args);
}

// A file exactly as the export writes it: import then export gives it back byte for byte.
const QString kRoundTrip =
    u("Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quexel\\Tolvane]\r\n"
      "@=\"Standardwert\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quexel\\Tolvane\\Options]\r\n"
      "\"RenameSample\"=\"abcdefgh.ext\"\r\n"
      "\"Zitat\"=\"Er sagte \\\"Grüß Gott\\\" in C:\\\\Temp\"\r\n"
      "\"FontSize\"=dword:0000000c\r\n"
      "\"Farbe\"=dword:80000011\r\n"
      "\"Daten\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,10,11,12,13,14,15,\\\r\n"
      "  16,17,18,19,1a,1b,1c,1d,1e,1f,20,21,22,23,24,25,26,27,28,29,2a,2b,2c,2d,2e,\\\r\n"
      "  2f,30,31\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quexel\\Tolvane\\UserFileMenu]\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quexel\\Tolvane\\UserFileMenu\\Mit Editor öffnen]\r\n"
      "\"CmdLine\"=\"gedit \\\"%1\\\"\"\r\n"
      "\"Mask\"=\"txt;ini\"\r\n"
      "\r\n");
} // namespace

TEST(SettingsCommand, ImportThenExportGivesTheFileBack)
{
    TempDir dir;
    const QByteArray original = RegFileWriter::utf16LeWithBom(kRoundTrip);
    const QString in = dir.writeFile(u("in.reg"), original);
    const CliResult imported = settings({u("import"), in});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.bytes,
              QByteArray("Importiert: 4 Schlüssel, 8 Werte aus '") + in.toUtf8() + "'.\n");

    // The export reads the store: what comes back was stored.
    const QString out = dir.filePath(u("out.reg"));
    const CliResult exported = settings({u("export"), u("HKCU\\software\\quexel\\tolvane"), out});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_EQ(TempDir::contents(out), original);
}

TEST(SettingsCommand, ABadLineChangesNothingAndIsNamed)
{
    const Registry reg;
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("Software\\Keep"), u("v"), u("alt"));
    TempDir dir;
    const QString bad = dir.writeFile(u("bad.reg"), "REGEDIT4\n"
                                                    "\n"
                                                    "[HKEY_CURRENT_USER\\Software\\Keep]\n"
                                                    "\"v\"=\"neu\"\n"
                                                    "[HKEY_CURRENT_USER\\Software\\New]\n"
                                                    "\"n\"=dword:1\n"
                                                    "\"x\"=dword:zz\n"
                                                    "\"y\"=\"never read\"\n");
    const CliResult result = settings({u("import"), bad});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.bytes.isEmpty());
    EXPECT_EQ(result.err, u("Fehler in '%1', Zeile 7: Ein dword-Wert braucht eine bis acht "
                            "Hexadezimalziffern. Es wurde nichts importiert.\n")
                              .arg(bad));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, u("Software\\Keep"), u("v")), u("alt"));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, u("Software\\New")));

    const CliResult missing = settings({u("import"), dir.filePath(u("nope.reg"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.startsWith(u("Die Datei '"))) << missing.err.toStdString();
}

TEST(SettingsCommand, ExportToStandardOutputAndItsChoices)
{
    const Registry reg;
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("Software\\A"), u("t"), u("Größe"));
    reg.RegSaveSettingLong(HKEY_LOCAL_MACHINE, u("Software\\B"), u("n"), 1);

    const CliResult all = settings({u("export")});
    ASSERT_EQ(all.code, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, u("Windows Registry Editor Version 5.00\n\n"
                         "[HKEY_CURRENT_USER\\Software]\n\n"
                         "[HKEY_CURRENT_USER\\Software\\A]\n\"t\"=\"Größe\"\n\n"
                         "[HKEY_LOCAL_MACHINE\\Software]\n\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\B]\n\"n\"=dword:00000001\n\n"));

    const CliResult one = settings({u("export"), u("HKEY_CURRENT_USER\\Software\\A"), u("-")});
    EXPECT_EQ(one.code, 0);
    EXPECT_TRUE(one.bytes.startsWith(
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\A]\n"));

    TempDir dir;
    const CliResult ansi =
        settings({u("export"), u("--regedit4"), u("HKCU\\Software\\A"), dir.filePath(u("a.reg"))});
    EXPECT_EQ(ansi.code, 0);
    EXPECT_EQ(
        TempDir::contents(dir.filePath(u("a.reg"))),
        QString(u("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"t\"=\"Größe\"\r\n\r\n"))
            .toUtf8());

    const CliResult absent = settings({u("export"), u("HKCU\\Software\\Nope")});
    EXPECT_EQ(absent.code, 1);
    EXPECT_EQ(absent.err,
              u("Der Schlüssel 'HKEY_CURRENT_USER\\Software\\Nope' ist nicht vorhanden.\n"));
    EXPECT_EQ(settings({u("export"), u("Software\\A"), u("x.reg")}).code, 2);
    EXPECT_EQ(settings({u("export"), u("a"), u("b"), u("c")}).code, 2);
    EXPECT_EQ(settings({u("import")}).code, 2);
    EXPECT_EQ(settings({u("rename")}).code, 2);
}

TEST(SettingsCommand, ReportsADamagedStoreItSetAside)
{
    QFile junk(TestSettings::filePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x42'));
    junk.close();
    const CliResult result = settings({u("export")});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.err.contains(u("war beschädigt und wurde als"))) << result.err.toStdString();
    EXPECT_EQ(result.bytes, QByteArray("Windows Registry Editor Version 5.00\n\n"));
}

TEST(RegFileTransfer, DeletionsAndAFailureHalfwayThrough)
{
    const Registry reg;
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("Old\\Deep\\Er"), u("v"), u("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("Keep"), u("a"), u("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("Keep"), u("b"), u("2"));
    RegFileReader reader;
    ASSERT_TRUE(reader.read("REGEDIT4\n[-HKEY_CURRENT_USER\\old]\n[-HKCU\\NeverWas]\n"
                            "[HKCU\\Keep]\n\"A\"=-\n\"missing\"=-\n"));
    QString error;
    ASSERT_TRUE(RegFileTransfer::importDocument(reader.document(), error)) << error.toStdString();
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, u("Old")));
    QStringList names;
    reg.RegArrayValues(HKEY_CURRENT_USER, u("Keep"), names);
    EXPECT_EQ(names, QStringList{u("b")});

    // A document the store refuses at its third entry: the first two must not stay.
    const RegFileValue fresh{SettingsValue::text(u("x"), u("y")), false, 5};
    const RegFileValue refused{SettingsValue{u("z"), 7, {}}, false, 9};
    RegFileDocument document;
    document.keys = {{HKEY_CURRENT_USER, u("Keep"), true, {}, 3},
                     {HKEY_CURRENT_USER, u("Fresh"), false, {fresh}, 4},
                     {HKEY_CURRENT_USER, u("Fresh"), false, {refused}, 8}};
    EXPECT_FALSE(RegFileTransfer::importDocument(document, error));
    EXPECT_EQ(error, u("Zeile 9 konnte nicht in die Einstellungen übernommen werden; es wurde "
                       "nichts geändert."));
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, u("Keep"), u("b")));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, u("Fresh")));
}
