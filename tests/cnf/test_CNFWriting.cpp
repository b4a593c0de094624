// SPDX-License-Identifier: GPL-3.0-or-later
// Writing CNF files, plain and sealed with a password.
#include "CnfTesting.h"
#include "cnf/CNFSeal.h"
#include "support/TempDir.h"

#include <QFile>

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

TEST(CNFWriting, TextFormAndTheBlankLinesOfFiles)
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

    // Files get a blank line after the header and before each further section.
    TempDir dir;
    doc.Header = u("H");
    doc.OnSaveInsertCR = true;
    doc.Filename = dir.filePath(u("x.cnf"));
    EXPECT_TRUE(doc.FileWrite());
    EXPECT_EQ(TempDir::contents(doc.Filename),
              QByteArray("H\r\n\r\n[S]\r\nk=v\r\n\r\n[[B]\r\nk=2"));

    CNFFile full;
    Fill(full);
    full.OnSaveInsertCR = true; // only for files
    EXPECT_EQ(full.GetText(), u("Kopf\r\nZweite Zeile\r\n[Allgemein]\r\nName=Grüße an alle\r\n"
                                "Text=eins||zwei||drei\r\n003=frei\r\nleer=\r\n[Leer]"));
    full.CarriageReturnChar.clear();
    EXPECT_TRUE(full.GetText().contains(u("Text=eins\r\nzwei\r\ndrei\r\n")));
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

TEST(CNFSeal, CheckTextIsSixtySixKeysOfAGermanKeyboard)
{
    const QString check = QString::fromUtf8(CNFSeal::CheckText());
    EXPECT_EQ(check.size(), 66);
    const QString keys = u("0123456789abcdefghijklmnopqrstuvwxyzöä");
    for (QChar c : keys) {
        EXPECT_TRUE(check.contains(c)) << int(c.unicode());
        EXPECT_TRUE(check.contains(c.toUpper())) << int(c.unicode());
    }
}

TEST(CNFSeal, TransformIsItsOwnInverseAndKeepsBlanksOut)
{
    QByteArray all;
    for (int i = 0; i < 512; ++i)
        all.append(char(i & 0xFF));
    const QByteArray password = QByteArray(" \xFF\xDF") + "abc";
    const QByteArray sealed = CNFSeal::Transform(all, password);
    EXPECT_FALSE(sealed.contains(' '));
    EXPECT_EQ(CNFSeal::Transform(sealed, password), all);

    // One character: every byte meets the same code.
    EXPECT_EQ(CNFSeal::Transform("abc", "\x01"), QByteArray("`cb"));
    EXPECT_EQ(CNFSeal::Transform(" \xFF", "\x01"), QByteArray("\xFE!"));
    EXPECT_EQ(CNFSeal::Transform("abc", ""), QByteArray("abc"));
}

TEST(CNFSeal, SealAndOpenReturnTheBytesWithBlanksAndByte255)
{
    const QByteArray text = QByteArrayLiteral("  [S]\r\nk= \xFF \xFF  ");
    const QByteArray sealed = CNFSeal::Seal(text, "Geheim");
    EXPECT_TRUE(sealed.startsWith("****QXCNF****"));
    EXPECT_FALSE(sealed.mid(13).contains(' '));
    QByteArray opened;
    ASSERT_EQ(CNFSeal::Open(sealed, "Geheim", opened), CNFSeal::OpenResult::Opened);
    EXPECT_EQ(opened, text);
    EXPECT_EQ(CNFSeal::Open("[S]", "Geheim", opened), CNFSeal::OpenResult::NotSealed);
    EXPECT_EQ(CNFSeal::Open(CNFSeal::Marker(), "Geheim", opened),
              CNFSeal::OpenResult::WrongPassword);

    // The wrong password flips the case of letters only where it differs; here
    // those places of the check text hold letters alone, so comparing the
    // check text ignoring case would open the file with one byte flipped.
    opened.clear();
    EXPECT_EQ(CNFSeal::Open(CNFSeal::Seal(QByteArray(26, 'x'), "abcdefghijklmnopqrst"),
                            "abcdefghijklmnopqrsT", opened),
              CNFSeal::OpenResult::WrongPassword);
    EXPECT_TRUE(opened.isEmpty());
}

TEST(CNFSeal, DocumentMessages)
{
    TempDir dir;
    CNFFile writer;
    writer.Sections().Add(u("S")).Keys().Add(u("k"), u("a  b"));
    writer.CrypPassword = u("Geheim");
    writer.Filename = dir.filePath(u("s.cnf"));
    writer.FileWrite();

    CNFFile reader;
    reader.CrypPassword = u("geheim");
    AppErrorRecord e = Raised([&] { reader.FileRead(writer.Filename); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::ChecksumMismatch));
    EXPECT_TRUE(e.Description.startsWith(u("Checksummenprüffehler.")));
    EXPECT_EQ(e.Source, u("CNFFile: X_FileRead | CNFFile: FileRead"));

    reader.CrypPassword.clear();
    e = Raised([&] { reader.FileRead(writer.Filename); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::SealedWithoutPassword));
    EXPECT_EQ(e.Description,
              u("Die Datei ist verschlüsselt und es wurde kein Kennwort angegeben."));

    reader.CrypPassword = u("Geheim");
    e = Raised([&] { reader.BufferRead(QByteArray("[S]\r\nk=v")); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::NotSealed));
    EXPECT_TRUE(e.Description.startsWith(u("Die Datei ist fehlerhaft")));

    // A text handed over as characters, one per byte of the sealed form.
    QFile file(writer.Filename);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(reader.BufferRead(QString::fromLatin1(file.readAll())).Count(), 1);
    reader.CrypPassword.clear();
    EXPECT_EQ(Raised([&] { reader.BufferRead(u("****QxCnF****")); }).Number,
              CnfError(CNFMessages::SealedWithoutPassword));
}

// Opening checks only the password bytes that meet the check text: a longer
// password opened its file with a wrong key, as garbage.
TEST(CNFSeal, SealingRefusesAPasswordLongerThanCanBeChecked)
{
    TempDir dir;
    CNFFile doc;
    doc.Sections().Add(u("S"));
    doc.Filename = dir.filePath(u("s.cnf"));
    for (const QString& password :
         {QString(67, QLatin1Char('k')), QString(34, QChar(u'ä')), QString(23, QChar(u'€'))}) {
        doc.CrypPassword = password;
        const AppErrorRecord e = Raised([&] { doc.FileWrite(); });
        EXPECT_EQ(e.Number, CnfError(CNFMessages::PasswordTooLong));
        EXPECT_TRUE(e.Description.startsWith(u("Das Kennwort ist zu lang")));
        EXPECT_FALSE(QFile::exists(doc.Filename));
    }
    doc.CrypPassword = QString(66, QLatin1Char('k'));
    EXPECT_TRUE(doc.FileWrite());
    // A file sealed elsewhere with a long password still opens with it.
    const QByteArray longKey(80, 'x');
    QByteArray opened;
    EXPECT_EQ(CNFSeal::Open(CNFSeal::Seal("[S]", longKey), longKey, opened),
              CNFSeal::OpenResult::Opened);
    EXPECT_EQ(opened, QByteArray("[S]"));
}
