// SPDX-License-Identifier: GPL-3.0-or-later
#include "CnfTesting.h"
#include "support/TempDir.h"

namespace {
void Fill(CNFFile& doc)
{
    doc.Header = u("Kopf\nZweite Zeile");
    CNFSection& a = doc.Sections().Add(u("Allgemein"));
    a.Keys().Add(u("Name"), u("Grüße an alle"));
    a.Keys().Add(u("Text"), u("eins\nzwei\r\ndrei"));
    a.Keys().Add(QString(), u("frei"));
    a.Keys().Add(u("leer"), QString());
    doc.Sections().Add(u("[Leer]"));
}
} // namespace

TEST(CNFWriting, GetTextForm)
{
    CNFFile doc;
    EXPECT_EQ(doc.GetText(), QString());
    doc.Header = u("H");
    EXPECT_EQ(doc.GetText(), u("H"));
    doc.Sections().Add(u("S")).Keys().Add(u("k"), u("v"));
    EXPECT_EQ(doc.GetText(), u("H\r\n[S]\r\nk=v"));
    doc.Header.clear();
    EXPECT_EQ(doc.GetText(), u("[S]\r\nk=v"));

    // Brackets in a section name stay part of it.
    CNFSection& odd = doc.Sections().Add(u("B"));
    odd.SetName(u("[[B"));
    EXPECT_EQ(odd.Name(), u("[B"));
    odd.Keys().Add(u("k"), u("2"));
    EXPECT_EQ(doc.GetText(), u("[S]\r\nk=v\r\n[[B]\r\nk=2"));
    EXPECT_EQ(CNFFile().BufferRead(doc.GetText()).Count(), 2);

    CNFFile full;
    Fill(full);
    full.OnSaveInsertCR = true; // only for files
    EXPECT_EQ(full.GetText(), u("Kopf\r\nZweite Zeile\r\n[Allgemein]\r\nName=Grüße an alle\r\n"
                                "Text=eins||zwei||drei\r\n003=frei\r\nleer=\r\n[Leer]"));
    full.CarriageReturnChar.clear();
    EXPECT_TRUE(full.GetText().contains(u("Text=eins\r\nzwei\r\ndrei\r\n")));
}

TEST(CNFWriting, BlankLinesBeforeSectionsAndAfterTheHeader)
{
    TempDir dir;
    CNFFile doc;
    doc.Header = u("H");
    doc.Sections().Add(u("A")).Keys().Add(u("a"), u("1"));
    doc.Sections().Add(u("B")).Keys().Add(u("b"), u("2"));
    doc.OnSaveInsertCR = true;
    doc.Filename = dir.filePath(u("x.cnf"));
    EXPECT_TRUE(doc.FileWrite());
    EXPECT_EQ(TempDir::contents(doc.Filename), QByteArray("H\r\n\r\n[A]\r\na=1\r\n\r\n[B]\r\nb=2"));
}

TEST(CNFWriting, WriteReadWriteGivesTheSameBytes)
{
    TempDir dir;
    for (const QString& password : {QString(), u("Kennwort ÄÖÜ")}) {
        CNFFile doc;
        Fill(doc);
        doc.CrypPassword = password;
        doc.Filename = dir.filePath(u("eins.cnf"));
        ASSERT_TRUE(doc.FileWrite());
        EXPECT_FALSE(doc.Dirty());

        CNFFile again;
        again.CrypPassword = password;
        again.FileRead(doc.Filename);
        EXPECT_EQ(again.Header, doc.Header);
        EXPECT_EQ(again.Sections().Item(u"allgemein").Keys().Item(u"TEXT").Value(),
                  u("eins\nzwei\ndrei"));
        again.Filename = dir.filePath(u("zwei.cnf"));
        ASSERT_TRUE(again.FileWrite());
        EXPECT_EQ(TempDir::contents(again.Filename), TempDir::contents(doc.Filename))
            << password.toStdString();
    }
}

TEST(CNFWriting, FailedWritesRaiseAndTouchNothing)
{
    TempDir dir;
    CNFFile doc;
    doc.Sections().Add(u("S"));
    doc.Filename = dir.makeDir(u("ordner"));
    AppErrorRecord e = Raised([&] { doc.FileWrite(); });
    EXPECT_EQ(e.Number, CNFMessages::FileAccess);
    EXPECT_TRUE(e.Source.endsWith(u("CNFFile: FilePut | CNFFile: FileWrite")));
    EXPECT_TRUE(doc.Dirty());
    doc.Filename.clear();
    EXPECT_EQ(Raised([&] { doc.FileWrite(); }).Number, CNFMessages::BadFileName);

    const QString path = dir.writeFile(u("alt.cnf"), "[Alt]");
    doc.Header = u("****qxcnf**** ist kein Kopf");
    doc.Filename = path;
    e = Raised([&] { doc.FileWrite(); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::MarkerInPlainText));
    EXPECT_EQ(e.Description, u("Ausnahmefehler: Die Datei kann nicht gespeichert werden. Die erste "
                               "Zeile darf nicht die Zeichenfolge '****QXCNF****' enthalten."));
    EXPECT_EQ(TempDir::contents(path), QByteArray("[Alt]"));
    EXPECT_TRUE(doc.Dirty());

    // Sealed, the same text is fine, and it reads back.
    doc.CrypPassword = u("k");
    EXPECT_TRUE(doc.FileWrite());
    CNFFile back;
    back.CrypPassword = u("k");
    back.FileRead(path);
    EXPECT_EQ(back.Header, doc.Header);
}
