// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AnsiText.h"
#include "core/RegFileReader.h"
#include "core/RegFileWriter.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {
const QByteArray kHeader5 = "Windows Registry Editor Version 5.00\r\n\r\n";

RegFileDocument parsed(const QByteArray& bytes)
{
    RegFileReader reader;
    EXPECT_TRUE(reader.read(bytes))
        << reader.errorLine() << ": " << reader.errorText().toStdString();
    return reader.document();
}

// Line and text of the first fault.
std::pair<int, QString> fault(const QByteArray& bytes)
{
    RegFileReader reader;
    EXPECT_FALSE(reader.read(bytes));
    EXPECT_TRUE(reader.document().keys.isEmpty()); // never half a file
    return {reader.errorLine(), reader.errorText()};
}

QString written(const QList<RegFileKey>& keys, RegFileFormat format = RegFileFormat::Version5)
{
    QString error;
    const std::optional<QString> text = RegFileWriter(format).text(keys, u("\n"), error);
    EXPECT_TRUE(text.has_value()) << error.toStdString();
    return text.value_or(QString());
}
} // namespace

TEST(AnsiText, Utf8WhenValidElseWindows1252AndALeadingByteOrderMarkStays)
{
    EXPECT_EQ(decodeAnsi(u("Größe").toUtf8()), u("Größe"));
    EXPECT_EQ(decodeAnsi("Gr\xf6\xdf"
                         "e \x80 \x93x\x94"),
              u("Größe € “x”"));
    EXPECT_EQ(decodeAnsi("abc\xc3"), u("abcÃ")); // a cut-off sequence is not UTF-8
    EXPECT_EQ(decodeWindows1252("\x81\x9c\x9f"),
              QString(QChar(0x81)) + QChar(0x153) + QChar(0x178));
    // Every byte gives a character: ASCII and Latin-1 as they are, the rest above 0x7F.
    for (int b = 0; b < 256; ++b) {
        const char16_t c = windows1252Char(quint8(b));
        if (b < 0x80 || b >= 0xA0)
            EXPECT_EQ(c, char16_t(b));
        else
            EXPECT_TRUE(c >= 0x80) << b;
    }
    // A leading U+FEFF is a character of the text, never dropped.
    EXPECT_EQ(decodeAnsi("\xEF\xBB\xBFx"), QString(QChar(0xFEFF)) + u("x"));
    const RegFileDocument doc =
        parsed(kHeader5 + "[HKCU\\\xEF\xBB\xBFK]\r\n\"\xEF\xBB\xBFn\"=\"\xEF\xBB\xBFt\"\r\n");
    EXPECT_EQ(doc.keys[0].path, QString(QChar(0xFEFF)) + u("K"));
    EXPECT_EQ(doc.keys[0].values[0].value.name, QString(QChar(0xFEFF)) + u("n"));
    EXPECT_EQ(doc.keys[0].values[0].value.toText(), QString(QChar(0xFEFF)) + u("t"));
}

TEST(RegFileReader, ReadsAllValueKindsOfAVersion5File)
{
    const RegFileDocument doc = parsed(kHeader5 + "; comment\r\n"
                                                  "[HKEY_CURRENT_USER\\Software\\A]\r\n"
                                                  "@=\"default\"\r\n"
                                                  "\"Quote\"=\"say \\\"hi\\\" in C:\\\\x\"\r\n"
                                                  "\"Odd\\\\Name\"=\"a\\b\"\r\n"
                                                  "\"N\" = dword:0000000A\r\n"
                                                  "\"Bin\"=hex:01,AB,\\\r\n"
                                                  "  00\r\n"
                                                  "\"Empty\"=hex:\r\n"
                                                  "\"Line\"=hex(1):61,00,0a,00,62,00,00,00\r\n"
                                                  "\"Four\"=hex(4):0a,00,00,80\r\n"
                                                  "\"Gone\"=-\r\n"
                                                  "[-HKCU\\Software\\Old\\]\r\n");
    EXPECT_EQ(doc.format, RegFileFormat::Version5);
    ASSERT_EQ(doc.keys.size(), 2);
    const RegFileKey& key = doc.keys.at(0);
    EXPECT_EQ(key.root, HKEY_CURRENT_USER);
    EXPECT_EQ(key.path, u("Software\\A"));
    EXPECT_EQ(key.line, 4);
    const SettingsValue expected[] = {
        SettingsValue::text(QString(), u("default")),
        SettingsValue::text(u("Quote"), u("say \"hi\" in C:\\x")),
        SettingsValue::text(u("Odd\\Name"), u("a\\b")), // an unknown escape stays as written
        SettingsValue::dword(u("N"), 10),
        SettingsValue::binary(u("Bin"), QByteArray("\x01\xab\x00", 3)),
        SettingsValue::binary(u("Empty"), {}),
        SettingsValue::text(u("Line"), u("a\nb")),
        SettingsValue::dword(u("Four"), 0x8000000Au),
    };
    ASSERT_EQ(key.values.size(), 9);
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(key.values[i].value.name, expected[i].name) << i;
        EXPECT_EQ(key.values[i].value.type, expected[i].type) << i;
        EXPECT_EQ(key.values[i].value.data, expected[i].data) << i;
    }
    EXPECT_TRUE(key.values[8].remove);
    EXPECT_EQ(key.values[8].line, 14);
    EXPECT_TRUE(doc.keys.at(1).remove);
    EXPECT_EQ(doc.keys.at(1).path, u("Software\\Old"));
}

TEST(RegFileReader, DecodesEveryEncodingRegeditUses)
{
    const QString body = u("\r\n[HKEY_LOCAL_MACHINE\\Größe]\r\n\"Wert\"=\"Ärger €\"\r\n");
    const QString text5 = u("Windows Registry Editor Version 5.00") + body;
    for (const QByteArray& bytes : {RegFileWriter::utf16LeWithBom(text5), text5.toUtf8(),
                                    QByteArray("\xEF\xBB\xBF") + text5.toUtf8()}) {
        const RegFileDocument doc = parsed(bytes);
        ASSERT_EQ(doc.keys.size(), 1);
        EXPECT_EQ(doc.keys[0].path, u("Größe"));
        EXPECT_EQ(doc.keys[0].values[0].value.toText(), u("Ärger €"));
    }
    const RegFileDocument ansi = parsed("REGEDIT4\n\n[HKEY_USERS\\Gr\xf6\xdf"
                                        "e]\n\"W\"=\"\x80\"\n"
                                        "\"T\"=hex(1):c3,a4,00\n");
    EXPECT_EQ(ansi.format, RegFileFormat::Regedit4);
    EXPECT_EQ(ansi.keys[0].root, HKEY_USERS);
    EXPECT_EQ(ansi.keys[0].path, u("Größe"));
    EXPECT_EQ(ansi.keys[0].values[0].value.toText(), u("€"));
    EXPECT_EQ(ansi.keys[0].values[1].value.toText(), u("ä")); // 8-bit bytes, not UTF-16
    // A surrogate pair is one character, in text given as UTF-16 bytes too.
    const RegFileDocument pair = parsed(kHeader5 + "[HKCU\\X]\r\n\"a\"=hex(1):3d,d8,00,de,00,00\r\n"
                                                   "\"\xF0\x9F\x98\x80\"=\"\"");
    EXPECT_EQ(pair.keys[0].values[0].value.toText(), u("\xF0\x9F\x98\x80"));
    EXPECT_EQ(pair.keys[0].values[1].value.name, u("\xF0\x9F\x98\x80"));
}

TEST(RegFileReader, NamesTheLineOfTheFirstFault)
{
    const QByteArray key = "[HKEY_CURRENT_USER\\X]\r\n";
    EXPECT_EQ(fault("REGEDIT5\r\n").first, 1);
    EXPECT_EQ(fault("").first, 1);
    EXPECT_EQ(fault(kHeader5 + "\"a\"=\"b\"\r\n").first, 3); // value before any key
    // Faults in the line after the key ("hex:01,\" lacks its continuation).
    for (const char* value :
         {"\"a\"=\"b\r\n", "\"a\"=\"b\" x\r\n", "\"a=\"b\"\r\n", "\"a\"=dword:123456789\r\n",
          "\"a\"=dword:-1\r\n", "\"a\"=hex:01,\\\r\n  0g\r\n", "\"a\"=hex:01,,02\r\n",
          "\"a\"=hex:01,\\", "\"a\"=hex(4):01,02\r\n", "\"a\"=hex(1):61\r\n", "\"a\"=str:x\r\n",
          "\"a\"=hex(1):00,d8,00,00\r\n"})
        EXPECT_EQ(fault(kHeader5 + key + value).first, 4) << value;
    EXPECT_EQ(fault(kHeader5 + key + "\r\n\r\nrandom\r\n").first, 6);
    for (const char* badKey : {"[HKEY_CURRENT_CONFIG\\X]\r\n", "[HKCU\\a\\\\b]\r\n", "[HKCU\\X\r\n",
                               "[-HKEY_CURRENT_USER]\r\n"})
        EXPECT_EQ(fault(kHeader5 + badKey).first, 3) << badKey;
    EXPECT_EQ(fault(kHeader5 + "[-HKCU\\X]\r\n\"a\"=\"b\"\r\n").first, 4);
    EXPECT_EQ(fault(QByteArray("\xFF\xFE\x57", 3)).first, 0);
    // Lone surrogates became "?" and merged distinct names.
    for (const QString& line : {u("\"a") + QChar(0xD800) + u("\"=\"b\"\r\n"),
                                u("\"a\"=\"") + QChar(0xDC01) + u("x\"\r\n")}) {
        const auto [number, text] =
            fault(RegFileWriter::utf16LeWithBom(QString::fromLatin1(kHeader5 + key) + line));
        EXPECT_EQ(number, 4);
        EXPECT_EQ(text, u("Die Zeile enthält ungültiges UTF-16 (ein einzelnes Surrogat)."));
    }

    const auto [line, text] = fault(kHeader5 + key + "\"a\"=\"b\"\r\n\"c\"=hex(2):25,00,00,00\r\n");
    EXPECT_EQ(line, 5);
    EXPECT_EQ(text,
              u("Der Werttyp hex(2) wird nicht unterstützt. Möglich sind Texte, dword-Werte und "
                "Binärwerte (hex)."));
}

TEST(RegFileWriter, WritesWhatTheReaderReadsBackAndRefusesNamesWithLineBreaks)
{
    RegFileKey key{HKEY_CURRENT_USER, u("Software\\Q \"x\""), false, {}, 0};
    key.values = {
        {SettingsValue::text(QString(), u("C:\\Pfad \"mit\" Anführung")), false, 0},
        {SettingsValue::dword(u("N"), 0xfffffffeu), false, 0},
        {SettingsValue::binary(u("Long"), QByteArray(100, '\x7f')), false, 0},
        {SettingsValue::text(u("Multi"), u("eins\r\nzwei")), false, 0},
        {SettingsValue::text(u("Nul"), u("a") + QChar(u'\0') + u("b")), false, 0},
        {SettingsValue::text(u("Gone"), QString()), true, 0},
    };
    const QList<RegFileKey> keys{key, {HKEY_CLASSES_ROOT, QString(), false, {}, 0}};
    for (RegFileFormat format : {RegFileFormat::Version5, RegFileFormat::Regedit4}) {
        const QString text = written(keys, format);
        for (const QString& line : text.split(QLatin1Char('\n')))
            EXPECT_LE(line.size(), 80) << line.toStdString();
        const RegFileDocument doc =
            parsed(format == RegFileFormat::Version5 ? RegFileWriter::utf16LeWithBom(text)
                                                     : text.toUtf8());
        EXPECT_EQ(doc.format, format);
        ASSERT_EQ(doc.keys.size(), 2);
        EXPECT_EQ(doc.keys[0].path, key.path);
        EXPECT_EQ(doc.keys[1].root, HKEY_CLASSES_ROOT);
        EXPECT_TRUE(doc.keys[1].path.isEmpty());
        ASSERT_EQ(doc.keys[0].values.size(), key.values.size());
        for (int i = 0; i < key.values.size(); ++i) {
            const RegFileValue& back = doc.keys[0].values[i];
            EXPECT_EQ(back.remove, key.values[i].remove);
            EXPECT_EQ(back.value.name, key.values[i].value.name);
            if (!back.remove) {
                EXPECT_EQ(back.value.type, key.values[i].value.type) << i;
                EXPECT_EQ(back.value.data, key.values[i].value.data) << i;
            }
        }
    }

    QString error;
    const RegFileValue broken{SettingsValue::text(u("x\ny"), u("v")), false, 0};
    EXPECT_FALSE(RegFileWriter(RegFileFormat::Version5)
                     .text({{HKEY_CURRENT_USER, u("A"), false, {broken}, 0}}, u("\r\n"), error));
    EXPECT_TRUE(error.contains(u("Zeilenumbruch")));
    EXPECT_FALSE(RegFileWriter(RegFileFormat::Version5)
                     .text({{HKEY_CURRENT_USER, u("A\rB"), false, {}, 0}}, u("\r\n"), error));
}
