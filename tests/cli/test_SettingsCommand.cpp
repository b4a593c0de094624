// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/RegFileReader.h"
#include "core/RegFileTransfer.h"
#include "core/RegFileWriter.h"
#include "core/Registry.h"
#include "platform/FreshSettings.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace {
CliResult settings(const QStringList& args)
{
    return runCli(QStringList{QStringLiteral("settings")} + args);
}

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

const QString kTolvane = S("Software\\Quexel\\Tolvane");

// A file exactly as the export writes it, so that import and export must give it back byte for
// byte.
const QString kRoundTrip =
    S("Windows Registry Editor Version 5.00\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quexel\\Tolvane]\r\n"
      "@=\"Standardwert\"\r\n"
      "\r\n"
      "[HKEY_CURRENT_USER\\Software\\Quexel\\Tolvane\\Options]\r\n"
      "\"RenameSample\"=\"abcdefgh.ext\"\r\n"
      "\"Zitat\"=\"Er sagte \\\"Grüß Gott\\\" in C:\\\\Temp\"\r\n"
      "\"FontSize\"=dword:00000008\r\n"
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
    FreshSettings fresh;
    TempDir dir;
    const QByteArray original = RegFileWriter::utf16LeWithBom(kRoundTrip);
    const QString in = dir.writeFile(S("in.reg"), original);
    const CliResult imported = settings({S("import"), in});
    ASSERT_EQ(imported.code, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.bytes,
              QByteArray("Importiert: 4 Schlüssel, 8 Werte aus '") + in.toUtf8() + "'.\n");

    const Registry reg;
    const QString options = kTolvane + S("\\Options");
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, kTolvane, QString()), S("Standardwert"));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, options, S("zitat")),
              S("Er sagte \"Grüß Gott\" in C:\\Temp"));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, options, S("Farbe"), 0),
              qint32(0x80000011u));
    EXPECT_EQ(reg.RegGetSettingByte(HKEY_CURRENT_USER, options, S("Daten"))->size(), 50);
    QStringList menu;
    EXPECT_EQ(reg.RegArrayKeys(HKEY_CURRENT_USER, kTolvane + S("\\UserFileMenu"), menu), 1);

    const QString out = dir.filePath(S("out.reg"));
    const CliResult exported = settings({S("export"), S("HKCU\\software\\quexel\\tolvane"), out});
    ASSERT_EQ(exported.code, 0) << exported.err.toStdString();
    EXPECT_EQ(TempDir::contents(out), original);
}

TEST(SettingsCommand, ABadLineChangesNothingAndIsNamed)
{
    FreshSettings fresh;
    const Registry reg;
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("Software\\Keep"), S("v"), S("alt"));
    TempDir dir;
    const QString bad = dir.writeFile(S("bad.reg"), "REGEDIT4\n"
                                                    "\n"
                                                    "[HKEY_CURRENT_USER\\Software\\Keep]\n"
                                                    "\"v\"=\"neu\"\n"
                                                    "[HKEY_CURRENT_USER\\Software\\New]\n"
                                                    "\"n\"=dword:1\n"
                                                    "\"x\"=dword:zz\n"
                                                    "\"y\"=\"never read\"\n");
    const CliResult result = settings({S("import"), bad});
    EXPECT_EQ(result.code, 1);
    EXPECT_TRUE(result.bytes.isEmpty());
    EXPECT_EQ(result.err, S("Fehler in '%1', Zeile 7: Ein dword-Wert braucht eine bis acht "
                            "Hexadezimalziffern. Es wurde nichts importiert.\n")
                              .arg(bad));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, S("Software\\Keep"), S("v")), S("alt"));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, S("Software\\New")));

    const CliResult missing = settings({S("import"), dir.filePath(S("nope.reg"))});
    EXPECT_EQ(missing.code, 1);
    EXPECT_TRUE(missing.err.startsWith(S("Die Datei '"))) << missing.err.toStdString();
}

TEST(SettingsCommand, ExportToStandardOutputAndItsChoices)
{
    FreshSettings fresh;
    const Registry reg;
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("Software\\A"), S("t"), S("Größe"));
    reg.RegSaveSettingLong(HKEY_LOCAL_MACHINE, S("Software\\B"), S("n"), 1);

    const CliResult all = settings({S("export")});
    ASSERT_EQ(all.code, 0) << all.err.toStdString();
    EXPECT_EQ(all.out, S("Windows Registry Editor Version 5.00\n\n"
                         "[HKEY_CURRENT_USER\\Software]\n\n"
                         "[HKEY_CURRENT_USER\\Software\\A]\n\"t\"=\"Größe\"\n\n"
                         "[HKEY_LOCAL_MACHINE\\Software]\n\n"
                         "[HKEY_LOCAL_MACHINE\\Software\\B]\n\"n\"=dword:00000001\n\n"));
    // What goes to standard output reads back.
    RegFileReader reader;
    EXPECT_TRUE(reader.read(all.bytes));

    const CliResult one = settings({S("export"), S("HKEY_CURRENT_USER\\Software\\A"), S("-")});
    EXPECT_EQ(one.code, 0);
    EXPECT_TRUE(one.bytes.startsWith(
        "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\Software\\A]\n"));

    TempDir dir;
    const CliResult ansi =
        settings({S("export"), S("--regedit4"), S("HKCU\\Software\\A"), dir.filePath(S("a.reg"))});
    EXPECT_EQ(ansi.code, 0);
    EXPECT_EQ(
        TempDir::contents(dir.filePath(S("a.reg"))),
        QString(S("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\A]\r\n\"t\"=\"Größe\"\r\n\r\n"))
            .toUtf8());

    const CliResult absent = settings({S("export"), S("HKCU\\Software\\Nope")});
    EXPECT_EQ(absent.code, 1);
    EXPECT_EQ(absent.err,
              S("Der Schlüssel 'HKEY_CURRENT_USER\\Software\\Nope' ist nicht vorhanden.\n"));
    EXPECT_EQ(settings({S("export"), S("Software\\A"), S("x.reg")}).code, 2);
    EXPECT_EQ(settings({S("export"), S("a"), S("b"), S("c")}).code, 2);
    EXPECT_EQ(settings({S("import")}).code, 2);
    EXPECT_EQ(settings({S("rename")}).code, 2);
}

TEST(SettingsCommand, ReportsADamagedStoreItSetAside)
{
    FreshSettings fresh;
    QFile junk(fresh.filePath());
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, '\x42'));
    junk.close();
    const CliResult result = settings({S("export")});
    EXPECT_EQ(result.code, 0);
    EXPECT_TRUE(result.err.contains(S("war beschädigt und wurde als"))) << result.err.toStdString();
    EXPECT_EQ(result.bytes, QByteArray("Windows Registry Editor Version 5.00\n\n"));
}

TEST(RegFileTransfer, DeletionsAndAFailureHalfwayThrough)
{
    FreshSettings fresh;
    const Registry reg;
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("Old\\Deep\\Er"), S("v"), S("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("Keep"), S("a"), S("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("Keep"), S("b"), S("2"));
    RegFileReader reader;
    ASSERT_TRUE(reader.read("REGEDIT4\n[-HKEY_CURRENT_USER\\old]\n[-HKCU\\NeverWas]\n"
                            "[HKCU\\Keep]\n\"A\"=-\n\"missing\"=-\n"));
    QString error;
    ASSERT_TRUE(RegFileTransfer::importDocument(reader.document(), error)) << error.toStdString();
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, S("Old")));
    QStringList names;
    reg.RegArrayValues(HKEY_CURRENT_USER, S("Keep"), names);
    EXPECT_EQ(names, QStringList{S("b")});

    // A document the store refuses at its third entry: the first two must not stay.
    RegFileDocument document;
    document.keys = {
        {HKEY_CURRENT_USER, S("Keep"), true, {}, 3},
        {HKEY_CURRENT_USER,
         S("Fresh"),
         false,
         {{SettingsValue::text(S("x"), S("y")), false, 5}},
         4},
        {HKEY_CURRENT_USER, S("Fresh"), false, {{SettingsValue{S("z"), 7, {}}, false, 9}}, 8}};
    EXPECT_FALSE(RegFileTransfer::importDocument(document, error));
    EXPECT_EQ(error, S("Zeile 9 konnte nicht in die Einstellungen übernommen werden; es wurde "
                       "nichts geändert."));
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, S("Keep"), S("b")));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, S("Fresh")));
}
