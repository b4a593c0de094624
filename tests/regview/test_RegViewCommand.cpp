// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegViewTesting.h"
#include "support/CliRun.h"
#include "support/TempDir.h"

#include <QRandomGenerator>
#include <QStringEncoder>

TEST(RegViewCommand, PrintsTheTreeAndTheValuesTheSameForEitherEncoding)
{
    const QString text = u("Windows Registry Editor Version 5.00\n\n"
                           "[HKEY_CURRENT_USER\\Software\\Tolvane]\n"
                           "@=\"Grüße\"\n"
                           "\"Pfad\"=\"C:\\\\Programme\\\\Tolvane\"\n"
                           "\"Daten\"=hex:01,02,\\\n"
                           "  ff\n"
                           "\"Weg\"=-\n"
                           "\"kaputt\"=dword:zz\n\n"
                           "[HKEY_CURRENT_USER\\Software\\Tolvane\\A\\B]\n\n"
                           "[-HKEY_CURRENT_USER\\Software\\Tolvane\\Alt]\n");
    TempDir dir;
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    const QByteArray crlf = utf16.encode(QString(text).replace(u("\n"), u("\r\n")));
    const QString windows = dir.writeFile(u("w.reg"), "\xFF\xFE" + crlf);
    const QString linux = dir.writeFile(u("l.reg"), text.toUtf8());
    const CliResult fromWindows = runCli({u("regview"), windows, u("--values")});
    const CliResult fromLinux = runCli({u("regview"), linux, u("--values")});
    ASSERT_EQ(fromWindows.code, 0) << fromWindows.err.toStdString();
    EXPECT_EQ(fromWindows.bytes, fromLinux.bytes);
    EXPECT_EQ(fromWindows.out, u("[HKCU\\Software\\Tolvane]\n"
                                 "\t@\tREG_SZ\tGrüße\n"
                                 "\tPfad\tREG_SZ\tC:\\\\Programme\\\\Tolvane\n"
                                 "\tDaten\tREG_BINARY\t01 02 ff\n"
                                 "\tWeg\tgelöscht\t\n"
                                 "\t\tfehlerhaft\t\"kaputt\"=dword:zz\n"
                                 "[HKCU\\Software\\Tolvane\\A] (nicht in der Datei)\n"
                                 "[HKCU\\Software\\Tolvane\\A\\B]\n"
                                 "[HKCU\\Software\\Tolvane\\Alt] (gelöscht)\n"));
    const CliResult keys = runCli({u("regview"), linux});
    EXPECT_EQ(keys.code, 0);
    EXPECT_EQ(keys.out.count(QLatin1Char('\n')), 4);
    EXPECT_FALSE(keys.out.contains(QLatin1Char('\t')));
}

// The 8-bit text of a REGEDIT4 file is read as Windows text; a name may hold
// backslashes.
TEST(RegViewCommand, Regedit4FilesPrintAsTheTreeShowsThem)
{
    TempDir dir;
    const QString path = dir.writeFile(
        u("alt.reg"), "REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\SharedDLLs]\r\n"
                      "\"C:\\\\Windows\\\\a.dll\"=dword:00000002\r\n\"Gr\xFC\xDF"
                      "e\"=\"\xE4 \x80\"\r\n"
                      "\"Multi\"=hex(7):61,00,5c,00,00\r\n");
    const CliResult run = runCli({u("regview"), path, u("--values")});
    EXPECT_EQ(run.code, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, u("[HKLM\\SOFTWARE\\Microsoft\\SharedDLLs]\n"
                         "\tC:\\Windows\\a.dll\tREG_DWORD\t0x00000002 (2)\n"
                         "\tGrüße\tREG_SZ\tä €\n"
                         "\tMulti\tREG_MULTI_SZ\ta\\0\\\\\n"));
}

TEST(RegViewCommand, FailuresAreGermanOnStandardError)
{
    TempDir dir;
    const struct {
        QStringList args;
        int code;
        const char* message;
    } cases[] = {
        {{u("regview"), dir.filePath(u("fehlt.reg"))}, 1, "ist nicht vorhanden"},
        {{u("regview"), dir.path()}, 1, "keine gewöhnliche Datei"},
        {{u("regview"), dir.writeFile(u("leer.reg"))}, 1, "Keine Einträge"},
        {{u("regview")}, 2, "Aufruf: tolvane-cli regview"},
        {{u("regview"), u("a.reg"), u("--werte")}, 2, "Unbekannte Option: --werte"},
    };
    for (const auto& c : cases) {
        const CliResult run = runCli(c.args);
        EXPECT_EQ(run.code, c.code) << c.message;
        EXPECT_TRUE(run.err.contains(u(c.message))) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << c.message;
    }
}

TEST(RegViewCommand, AnyBytesGiveAMessageOrATree)
{
    TempDir dir;
    QByteArray random(64 * 1024, '\0');
    QRandomGenerator(15).fillRange(reinterpret_cast<quint32*>(random.data()), random.size() / 4);
    const qsizetype longLine = kSanitized ? 5 << 20 : 50 << 20;
    const QByteArray inputs[] = {
        random,
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\X]\r\n\"a\"=hex:" + QByteArray(longLine, '0'),
        QByteArray(longLine, '['),
    };
    int n = 0;
    for (const QByteArray& input : inputs) {
        const QString path = dir.writeFile(u("eingabe%1.reg").arg(n++), input);
        const CliResult run = runCli({u("regview"), path, u("--values")});
        EXPECT_TRUE(run.code == 0 || (run.code == 1 && !run.err.isEmpty())) << n;
    }
}
