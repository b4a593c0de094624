// SPDX-License-Identifier: GPL-3.0-or-later
#include "CnfTesting.h"
#include "support/TempDir.h"

namespace {
void Fill(CNFFile& doc)
{
    doc.Header = QStringLiteral("Kopf\nZweite Zeile");
    CNFSection& a = doc.Sections().Add(QStringLiteral("Allgemein"));
    a.Keys().Add(QStringLiteral("Name"), QStringLiteral("Grüße an alle"));
    a.Keys().Add(QStringLiteral("Text"), QStringLiteral("eins\nzwei\r\ndrei"));
    a.Keys().Add(QString(), QStringLiteral("frei"));
    a.Keys().Add(QStringLiteral("leer"), QString());
    doc.Sections().Add(QStringLiteral("[Leer]"));
}
} // namespace

TEST(CNFWriting, GetTextForm)
{
    CNFFile doc;
    EXPECT_EQ(doc.GetText(), QString());
    doc.Header = QStringLiteral("H");
    EXPECT_EQ(doc.GetText(), QStringLiteral("H"));
    doc.Sections().Add(QStringLiteral("S")).Keys().Add(QStringLiteral("k"), QStringLiteral("v"));
    EXPECT_EQ(doc.GetText(), QStringLiteral("H\r\n[S]\r\nk=v"));
    doc.Header.clear();
    EXPECT_EQ(doc.GetText(), QStringLiteral("[S]\r\nk=v"));

    CNFFile full;
    Fill(full);
    full.OnSaveInsertCR = true; // only for files
    EXPECT_EQ(full.GetText(), QStringLiteral("Kopf\r\nZweite Zeile\r\n[Allgemein]\r\n"
                                             "Name=Grüße an alle\r\nText=eins||zwei||drei\r\n"
                                             "003=frei\r\nleer=\r\n[Leer]"));
    full.CarriageReturnChar.clear();
    EXPECT_TRUE(full.GetText().contains(QStringLiteral("Text=eins\r\nzwei\r\ndrei\r\n")));
}

TEST(CNFWriting, BlankLinesBeforeSectionsAndAfterTheHeader)
{
    TempDir dir;
    CNFFile doc;
    doc.Header = QStringLiteral("H");
    doc.Sections().Add(QStringLiteral("A")).Keys().Add(QStringLiteral("a"), QStringLiteral("1"));
    doc.Sections().Add(QStringLiteral("B")).Keys().Add(QStringLiteral("b"), QStringLiteral("2"));
    doc.OnSaveInsertCR = true;
    doc.Filename = dir.filePath(QStringLiteral("x.cnf"));
    EXPECT_TRUE(doc.FileWrite());
    EXPECT_EQ(TempDir::contents(doc.Filename), QByteArray("H\r\n\r\n[A]\r\na=1\r\n\r\n[B]\r\nb=2"));
}

TEST(CNFWriting, WriteReadWriteGivesTheSameBytes)
{
    TempDir dir;
    for (const QString& password : {QString(), QStringLiteral("Kennwort ÄÖÜ")}) {
        CNFFile doc;
        Fill(doc);
        doc.CrypPassword = password;
        doc.Filename = dir.filePath(QStringLiteral("eins.cnf"));
        ASSERT_TRUE(doc.FileWrite());
        EXPECT_FALSE(doc.Dirty());

        CNFFile again;
        again.CrypPassword = password;
        again.FileRead(doc.Filename);
        EXPECT_EQ(again.Header, doc.Header);
        EXPECT_EQ(again.Sections().Item(u"allgemein").Keys().Item(u"TEXT").Value(),
                  QStringLiteral("eins\nzwei\ndrei"));
        again.Filename = dir.filePath(QStringLiteral("zwei.cnf"));
        ASSERT_TRUE(again.FileWrite());
        EXPECT_EQ(TempDir::contents(again.Filename), TempDir::contents(doc.Filename))
            << password.toStdString();
    }
}

TEST(CNFWriting, MarkerAtTheStartOfAPlainTextIsRefused)
{
    TempDir dir;
    const QString path = dir.writeFile(QStringLiteral("alt.cnf"), "[Alt]");
    CNFFile doc;
    doc.Header = QStringLiteral("****qxcnf**** ist kein Kopf");
    doc.Sections().Add(QStringLiteral("S"));
    doc.Filename = path;
    const AppErrorRecord e = Raised([&] { doc.FileWrite(); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::MarkerInPlainText));
    EXPECT_EQ(e.Description, QStringLiteral("Ausnahmefehler: Die Datei kann nicht gespeichert "
                                            "werden. Die erste Zeile darf nicht die Zeichenfolge "
                                            "'****QXCNF****' enthalten."));
    EXPECT_EQ(TempDir::contents(path), QByteArray("[Alt]"));
    EXPECT_TRUE(doc.Dirty());

    // Sealed, the same text is fine, and it reads back.
    doc.CrypPassword = QStringLiteral("k");
    EXPECT_TRUE(doc.FileWrite());
    CNFFile back;
    back.CrypPassword = QStringLiteral("k");
    back.FileRead(path);
    EXPECT_EQ(back.Header, doc.Header);
}

TEST(CNFWriting, FailedWriteRaisesAndTouchesNothing)
{
    TempDir dir;
    CNFFile doc;
    doc.Sections().Add(QStringLiteral("S"));
    doc.Filename = dir.makeDir(QStringLiteral("ordner"));
    const AppErrorRecord e = Raised([&] { doc.FileWrite(); });
    EXPECT_EQ(e.Number, CNFMessages::FileAccess);
    EXPECT_TRUE(e.Source.endsWith(QStringLiteral("CNFFile: FilePut | CNFFile: FileWrite")));
    EXPECT_TRUE(doc.Dirty());

    doc.Filename.clear();
    EXPECT_EQ(Raised([&] { doc.FileWrite(); }).Number, CNFMessages::BadFileName);
}

TEST(CNFWriting, SectionNamesWithBracketsStaySections)
{
    TempDir dir;
    CNFFile doc;
    CNFSection& first = doc.Sections().Add(QStringLiteral("A"));
    first.Keys().Add(QStringLiteral("k"), QStringLiteral("1"));
    CNFSection& odd = doc.Sections().Add(QStringLiteral("B"));
    odd.SetName(QStringLiteral("[[B"));
    EXPECT_EQ(odd.Name(), QStringLiteral("[B"));
    odd.Keys().Add(QStringLiteral("k"), QStringLiteral("2"));
    EXPECT_EQ(doc.GetText(), QStringLiteral("[A]\r\nk=1\r\n[[B]\r\nk=2"));
    CNFFile back;
    EXPECT_EQ(back.BufferRead(doc.GetText()).Count(), 2);
}
