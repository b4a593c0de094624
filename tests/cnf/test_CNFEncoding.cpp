// SPDX-License-Identifier: GPL-3.0-or-later
#include "CnfTesting.h"
#include "cnf/CNFLineSource.h"
#include "support/TempDir.h"

#include <QStringEncoder>

namespace {
// U+0D0A is the byte pair 0A 0D in UTF-16LE and U+010A holds 0x0A as well:
// both break a reader that splits the raw bytes at line feeds.
const QString kExport = QStringLiteral("Windows Registry Editor Version 5.00\n"
                                       "\n"
                                       "[HKEY_CURRENT_USER\\Software\\Tolvane]\n"
                                       "\"Pfad\"=\"C:\\\\Programme\\\\Grüße\"\n"
                                       "\"Binär\"=hex:0a,0d,\\\n"
                                       "  00,ff\n"
                                       "@=\"\u0D0A\u010A\"\n"
                                       "\n"
                                       "[HKEY_CURRENT_USER\\Software\\Tolvane\\Unter]\n"
                                       "\"Zahl\"=dword:0000000a\n"
                                       "\n");

QByteArray encoded(const QString& text, QStringEncoder::Encoding encoding, const char* bom)
{
    QStringEncoder encoder(encoding);
    return QByteArray(bom) + QByteArray(encoder.encode(text));
}

// The whole model as text, to compare two reads.
QStringList Model(CNFFile& doc)
{
    QStringList lines{doc.Header};
    for (const CNFSection& section : doc.Sections()) {
        lines.append(QLatin1Char('[') + section.Name() + QLatin1Char(']'));
        lines += KeyLines(section);
    }
    return lines;
}

QStringList ModelOf(const QByteArray& bytes, bool unicode = false)
{
    CNFFile doc;
    doc.Unicode = unicode;
    doc.BufferRead(bytes);
    return Model(doc);
}
} // namespace

TEST(CNFEncoding, RegistryExportInUtf16AndUtf8GivesTheSameModel)
{
    TempDir dir;
    QString crlf = kExport;
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    const QString utf16 =
        dir.writeFile(QStringLiteral("w.reg"), encoded(crlf, QStringEncoder::Utf16LE, "\xFF\xFE"));
    const QString utf8 =
        dir.writeFile(QStringLiteral("l.reg"), encoded(kExport, QStringEncoder::Utf8, ""));

    CNFFile windows;
    windows.FileRead(utf16);
    CNFFile linux;
    linux.FileRead(utf8);
    const QStringList model = Model(windows);
    EXPECT_EQ(model, Model(linux));
    EXPECT_EQ(model, QStringList({"Windows Registry Editor Version 5.00\n",
                                  "[HKEY_CURRENT_USER\\Software\\Tolvane]",
                                  "\"Pfad\"=\"C:\\\\Programme\\\\Grüße\"", "\"Binär\"=hex:0a,0d,\\",
                                  "001=00,ff", QStringLiteral("@=\"\u0D0A\u010A\""),
                                  "002=", "[HKEY_CURRENT_USER\\Software\\Tolvane\\Unter]",
                                  "\"Zahl\"=dword:0000000a", "001="}));

    // Big-endian with its mark, and little-endian without one when asked to.
    EXPECT_EQ(ModelOf(encoded(crlf, QStringEncoder::Utf16BE, "\xFE\xFF")), model);
    EXPECT_EQ(ModelOf(encoded(crlf, QStringEncoder::Utf16LE, ""), true), model);
    // A mark wins over the flag.
    EXPECT_EQ(ModelOf(encoded(crlf, QStringEncoder::Utf8, "\xEF\xBB\xBF"), true), model);
}

TEST(CNFEncoding, EightBitTextIsUtf8WhenValidElseWindows1252)
{
    EXPECT_EQ(ModelOf("[S]\r\nk=Gr\xc3\xbc\xc3\x9f"
                      "e"),
              QStringList({"", "[S]", "k=Grüße"}));
    EXPECT_EQ(ModelOf("[S]\r\nk=Gr\xfc\xdf"
                      "e \x80\x81\x9f"),
              QStringList({"", "[S]", QStringLiteral("k=Grüße \u20AC\u0081\u0178")}));
    EXPECT_EQ(ModelOf("\xEF\xBB\xBFKopf\r\n[S]"), QStringList({"Kopf", "[S]"}));
    // A stray odd byte at the end of UTF-16 is no character.
    EXPECT_EQ(ModelOf(QByteArray("\xFF\xFE[\0S\0]\0x", 9)), QStringList({"", "[S]"}));
}

TEST(CNFEncoding, LinesEndAtAnyBreakAndAFinalBreakOpensNoLine)
{
    EXPECT_EQ(ModelOf("[S]\ra=1\nb=2\r\nc=3"), QStringList({"", "[S]", "a=1", "b=2", "c=3"}));
    EXPECT_EQ(ModelOf("[S]\nk=1\n"), QStringList({"", "[S]", "k=1"}));
    EXPECT_EQ(ModelOf("[S]\nk=1\n\n"), QStringList({"", "[S]", "k=1", "001="}));
    EXPECT_EQ(ModelOf("[S]\r\n\r\n"), QStringList({"", "[S]", "001="}));
    EXPECT_EQ(ModelOf("[S]\r\r\nk=1"), QStringList({"", "[S]", "001=", "k=1"}));
}

TEST(CNFEncoding, FilesLongerThanAReadChunkReadAsTheirBytes)
{
    // Files are read in chunks of about 4 MiB: a CR LF pair sits on the
    // first boundary, a line runs over the next ones, a lone CR follows, and
    // a Windows-1252 byte deep in the file turns the UTF-8 text before it
    // into 8-bit text too.
    constexpr qsizetype block = 4 << 20;
    QByteArray data = "Kopf\r\n[S]\r\n";
    for (int i = 0; data.size() < block - 200; ++i)
        data += "k" + QByteArray::number(i) +
                "=Gr\xc3\xbc\xc3\x9f"
                "e ; c\r\n";
    data += "f=" + QByteArray(block - 1 - data.size() - 2, 'x') + "\r\n";
    ASSERT_EQ(data.at(block - 1), '\r');
    data += "[T]\r\ng=" + QByteArray(block + 17, 'y') + "\rh=1\rh2=\xfc\n\n";

    TempDir dir;
    const QString path = dir.writeFile(QStringLiteral("gross.cnf"), data);
    CNFFile fromFile;
    fromFile.FileRead(path);
    const QStringList model = Model(fromFile);
    EXPECT_EQ(model, ModelOf(data));
    EXPECT_EQ(fromFile.Sections().Item(u"T").Keys().Count(), 4);
    EXPECT_EQ(fromFile.Sections().Item(u"T").Keys().Item(u"h2").Value(), QStringLiteral("ü"));
    EXPECT_EQ(fromFile.Sections().Item(u"S").Keys().Item(u"k0").Value(),
              QStringLiteral("Gr\u00C3\u00BC\u00C3\u0178e"));

    // Valid UTF-8 throughout stays UTF-8.
    data.replace("h2=\xfc", "h2=\xc3\xbc");
    dir.writeFile(QStringLiteral("gross.cnf"), data);
    fromFile.FileRead(path);
    EXPECT_EQ(fromFile.Sections().Item(u"S").Keys().Item(u"k0").Value(), QStringLiteral("Grüße"));
    EXPECT_EQ(Model(fromFile), ModelOf(data));
}
