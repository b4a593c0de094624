// SPDX-License-Identifier: GPL-3.0-or-later
#include "CnfTesting.h"
#include "support/TempDir.h"

#include <QStringEncoder>

namespace {
// "name=value" of every key of every section, sections as "[name]".
QStringList Model(CNFFile& doc)
{
    QStringList lines;
    for (const CNFSection& section : doc.Sections()) {
        lines.append(QLatin1Char('[') + section.Name() + QLatin1Char(']'));
        lines += KeyLines(section);
    }
    return lines;
}

QStringList WholeLines(const QByteArray& bytes, const QString& commentChar = {})
{
    CNFFile doc;
    doc.WholeKeyLines = true;
    doc.CommentChar = commentChar;
    doc.BufferRead(bytes);
    return Model(doc);
}
} // namespace

TEST(CNFWholeKeyLines, KeyLinesStayWholeUnderAutomaticNames)
{
    const QByteArray text = Crlf("REGEDIT4\n[HKEY\\a]b]  123\n  \"a=b\"=\"x ; y||z\"\t\n"
                                 "\"a=c\"=1\n\nfrei\n[[klammer]]\n[S]\nx\n[T]\n[s]\ny");
    EXPECT_EQ(WholeLines(text),
              QStringList({"[HKEY\\a]b]", "001=\"a=b\"=\"x ; y||z\"\t", "002=\"a=c\"=1", "003=frei",
                           "[[klammer]]", "[S]", "001=x", "002=y", "[T]"}));
    // Comment lines are still the document's to skip.
    EXPECT_EQ(WholeLines(Crlf("[S]\n;weg\n a;b \n"), QStringLiteral(";")),
              QStringList({"[S]", "001=a;b"}));

    // Off, the same text is name=value lines as it always was.
    CNFFile doc;
    EXPECT_EQ(Raised([&] { doc.BufferRead(Crlf("[S]\n\"a=1\"=x\n\"a=2\"=y")); }).Number,
              CNFMessages::DuplicateName);
}

TEST(CNFKeptText, KeysMadeWhenFirstLookedAtAreTheKeysRead)
{
    // Enough sections and keys for the name indexes, names of every kind:
    // ASCII in any case, umlauts, a name as long as several hash pieces.
    QByteArray text = "[Ärger]\r\nk=1\r\n";
    const QByteArray longName(700, 'L');
    for (int i = 0; i < 40; ++i)
        text += "[Abschnitt " + QByteArray::number(i) + "]\r\n";
    text += "[" + longName + "]\r\n";
    for (int i = 0; i < 40; ++i)
        text += "Schlüssel" + QByteArray::number(i) + "=Wert " + QByteArray::number(i) + "||x\r\n";
    for (const bool utf16 : {false, true}) {
        QStringEncoder encoder(QStringEncoder::Utf16LE);
        const QByteArray bytes =
            utf16 ? "\xFF\xFE" + QByteArray(encoder.encode(QString::fromUtf8(text))) : text;
        CNFFile doc;
        CNFSections& sections = doc.BufferRead(bytes);
        EXPECT_EQ(sections.Count(), 42);
        EXPECT_EQ(sections.Find(u"äRGER"), &sections.Item(1));
        EXPECT_EQ(sections.Find(u"abschnitt 39"), &sections.Item(41));
        CNFKeys& keys = sections.Item(QString::fromLatin1(longName.toLower())).Keys();
        EXPECT_EQ(keys.Count(), 40);
        EXPECT_EQ(keys.Item(u"SCHLÜSSEL39").Value(), QStringLiteral("Wert 39\nx"));
        keys.Remove(1);
        EXPECT_EQ(keys.Item(1).Name(), QStringLiteral("Schlüssel1"));
        EXPECT_EQ(keys.Item(1).Index(), 2);
        EXPECT_TRUE(doc.Dirty());
    }
    // A name met again among many fails as among few.
    EXPECT_EQ(Raised([&] { CNFFile().BufferRead(text + "schlüssel7=neu\r\n"); }).Number,
              CNFMessages::DuplicateName);
}

TEST(CNFKeptText, Utf16AcrossReadChunksReadsAsUtf8)
{
    // Every read chunk of UTF-16 text ends inside a character, a pair of
    // surrogates among them now and then.
    QString text = QStringLiteral("[S]\n");
    for (int i = 0; text.size() < (5 << 20) / 2; ++i)
        text += QStringLiteral("k%1=Grüße \U0001F600 %1\n").arg(i);
    TempDir dir;
    QStringEncoder encoder(QStringEncoder::Utf16LE);
    const QString wide =
        dir.writeFile(QStringLiteral("w.cnf"), "\xFF\xFE" + QByteArray(encoder.encode(text)));
    const QString narrow = dir.writeFile(QStringLiteral("n.cnf"), text.toUtf8());
    CNFFile a;
    a.FileRead(wide);
    CNFFile b;
    b.FileRead(narrow);
    EXPECT_EQ(Model(a), Model(b));
    EXPECT_EQ(a.Sections().Item(1).Keys().Item(7).Value(), QStringLiteral("Grüße \U0001F600 6"));
}
