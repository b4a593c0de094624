// SPDX-License-Identifier: GPL-3.0-or-later
#include "CnfTesting.h"
#include "support/TempDir.h"

#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "platform/SystemError.h"

#include <QFile>
#include <QSignalSpy>

#include <sys/stat.h>

TEST(CNFReading, HeaderWithoutSectionsFailsWithItsFileName)
{
    TempDir dir;
    const QString path = dir.writeFile(QStringLiteral("kopf.cnf"), Crlf("Nur ein Kopf\nund mehr"));
    CNFFile doc;
    const AppErrorRecord e = Raised([&] { doc.FileRead(path); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::NoSections));
    EXPECT_EQ(e.Description, QStringLiteral("Die Datei '%1' enthält keine Sektionen.").arg(path));
    EXPECT_EQ(e.Source, QStringLiteral("CNFFile: ParseHeader | CNFFile: FileRead"));

    // One line that is no section line is no document either.
    EXPECT_EQ(Raised([&] { doc.BufferRead(QStringLiteral("k=v")); }).Number,
              CnfError(CNFMessages::NoSections));
}

TEST(CNFReading, EmptyMissingAndQuotedFiles)
{
    TempDir dir;
    CNFFile doc;
    const AppErrorRecord blank = Raised([&] { doc.BufferRead(QByteArray("   ")); });
    EXPECT_EQ(blank.Number, CnfError(CNFMessages::NoEntries));

    const QString missing = dir.filePath(QStringLiteral("fehlt.cnf"));
    const AppErrorRecord e = Raised([&] { doc.FileRead(missing); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::FileMissing));
    EXPECT_EQ(e.Description, QStringLiteral("Die Datei '%1' ist nicht vorhanden.").arg(missing));
    EXPECT_EQ(e.Source, QStringLiteral("CNFFile: FileRead"));
    EXPECT_EQ(Raised([&] { doc.FileRead(dir.path()); }).Number, CnfError(CNFMessages::FileMissing));

    const QString path = dir.writeFile(QStringLiteral("mit blank.cnf"), "[S]\r\nk=v");
    EXPECT_EQ(doc.FileRead(QLatin1Char('"') + path + QLatin1Char('"')).Count(), 1);
    EXPECT_EQ(doc.Filename, QLatin1Char('"') + path + QLatin1Char('"'));
}

TEST(CNFReading, HeaderLinesAreTrimmedAndLeadingEmptyOnesDropped)
{
    CNFFile doc;
    doc.BufferRead(Crlf("\n  \n  Kopf 1  \n;Kopf 2\n\n[S]"));
    EXPECT_EQ(doc.Header, QStringLiteral("Kopf 1\n;Kopf 2\n"));

    doc.BufferRead(QByteArray("  [Nur]  "));
    EXPECT_EQ(doc.Header, QString());
    ASSERT_EQ(doc.Sections().Count(), 1);
    EXPECT_EQ(doc.Sections().Item(1).Name(), QStringLiteral("Nur"));
}

TEST(CNFReading, AutomaticNamesCountPerSectionAndOnlyWhenUsed)
{
    CNFFile doc;
    CNFSections& sections = doc.BufferRead(Crlf("[S]\na\nb\nx=1\n = c \n[T]\ny=2\nd"));
    EXPECT_EQ(KeyLines(sections.Item(1)), QStringList({"001=a", "002=b", "x=1", "003=c"}));
    EXPECT_EQ(KeyLines(sections.Item(2)), QStringList({"y=2", "001=d"}));
    EXPECT_EQ(sections.Item(1).Keys().Item(4).Index(), 4);
    EXPECT_EQ(sections.Item(2).Index(), 2);
}

TEST(CNFReading, SectionNameIsTheTextInsideTheFirstBrackets)
{
    CNFFile doc;
    CNFSections& sections = doc.BufferRead(Crlf("[ Name ] Rest ] x\nk=1\n  [Zwei]\n[Drei"));
    ASSERT_EQ(sections.Count(), 2);
    EXPECT_EQ(sections.Item(1).Name(), QStringLiteral("Name"));
    EXPECT_EQ(sections.Item(2).Name(), QStringLiteral("Zwei"));
    // A line with "[" but no "]" is no section line.
    EXPECT_EQ(KeyLines(sections.Item(2)), QStringList({"001=[Drei"}));
}

TEST(CNFReading, CommentsAreCutOrKept)
{
    const QByteArray text =
        Crlf("[S]\nk=Text ; Bemerkung\n; ganze Zeile\n  ;eingerückt\nv=;nichts");
    CNFFile doc;
    EXPECT_EQ(KeyLines(doc.BufferRead(text).Item(1)), QStringList({"k=Text", "v="}));

    doc.RemoveComments = false;
    EXPECT_EQ(KeyLines(doc.BufferRead(text).Item(1)),
              QStringList({"k=Text ; Bemerkung", "v=;nichts"}));

    // Comment lines are found ignoring case, the cut inside a value is exact.
    CNFFile rem;
    rem.CommentChar = QStringLiteral("REM");
    EXPECT_EQ(KeyLines(rem.BufferRead(Crlf("[S]\nrem x\na=1 REM z\nb=1 rem z")).Item(1)),
              QStringList({"a=1", "b=1 rem z"}));
}

TEST(CNFReading, EmptyLinesAreKeysUnlessThereIsNoCommentCharacter)
{
    const QByteArray text = Crlf("[A]\nk=1\n\n   \n[B]\nm=2");
    CNFFile doc;
    CNFSections& sections = doc.BufferRead(text);
    EXPECT_EQ(KeyLines(sections.Item(1)), QStringList({"k=1", "001=", "002="}));
    EXPECT_EQ(KeyLines(sections.Item(2)), QStringList({"m=2"}));

    doc.CommentChar.clear();
    EXPECT_EQ(KeyLines(doc.BufferRead(text).Item(1)), QStringList({"k=1"}));
}

TEST(CNFReading, ValueCleanUp)
{
    CNFFile doc;
    const QByteArray text = Crlf("[S]\na=eins||zwei|| drei\nb=Wert\t\t\nc=\tvorn\nd=x<BR>y<br>z\n"
                                 "e=  Wert ; c\t");
    CNFSection& s = doc.BufferRead(text).Item(1);
    EXPECT_EQ(s.Keys().Item(u"a").Value(), QStringLiteral("eins\nzwei\n drei"));
    EXPECT_EQ(s.Keys().Item(u"b").Value(), QStringLiteral("Wert"));
    EXPECT_EQ(s.Keys().Item(u"c").Value(), QStringLiteral("\tvorn"));
    EXPECT_EQ(s.Keys().Item(u"e").Value(), QStringLiteral("Wert"));

    doc.RemoveTrailingTabs = false;
    doc.CarriageReturnChar = QStringLiteral("<br>");
    CNFSection& t = doc.BufferRead(text).Item(1);
    EXPECT_EQ(t.Keys().Item(u"a").Value(), QStringLiteral("eins||zwei|| drei"));
    EXPECT_EQ(t.Keys().Item(u"b").Value(), QStringLiteral("Wert\t\t"));
    EXPECT_EQ(t.Keys().Item(u"d").Value(), QStringLiteral("x\ny\nz"));
}

TEST(CNFReading, DuplicateNamesFailTheRead)
{
    CNFFile doc;
    const AppErrorRecord sections = Raised([&] { doc.BufferRead(Crlf("[Daten]\nk=1\n[DATEN]")); });
    EXPECT_EQ(sections.Number, CNFMessages::DuplicateName);
    EXPECT_EQ(sections.Description, QStringLiteral("Die Sektion 'DATEN' ist bereits vorhanden."));
    EXPECT_EQ(sections.Source, QStringLiteral("CNFSections: Add | CNFFile: BufferRead"));
    // The partly filled model stays for the caller to look at.
    EXPECT_EQ(doc.Sections().Count(), 1);

    const AppErrorRecord keys = Raised([&] { doc.BufferRead(Crlf("[S]\nName=1\nname=2")); });
    EXPECT_EQ(keys.Number, CNFMessages::DuplicateName);
    EXPECT_EQ(keys.Description,
              QStringLiteral("Der Schlüssel 'name' ist in der Sektion 'S' bereits vorhanden."));

    // An automatic name meets a written one of the same name.
    EXPECT_EQ(Raised([&] { doc.BufferRead(Crlf("[S]\n001=x\nfrei")); }).Number,
              CNFMessages::DuplicateName);
}

TEST(CNFReading, ReadClearsChangedFlags)
{
    CNFFile doc;
    EXPECT_FALSE(doc.Dirty());
    CNFSections& sections = doc.BufferRead(Crlf("[S]\nk=1"));
    EXPECT_FALSE(doc.Dirty());
    CNFKey& key = sections.Item(1).Keys().Item(1);
    key.SetTag(QStringLiteral("frei"));
    EXPECT_FALSE(doc.Dirty());
    key.SetValue(QStringLiteral("2"));
    EXPECT_TRUE(key.Dirty());
    EXPECT_TRUE(doc.Dirty());

    doc.BufferRead(Crlf("[S]\nk=1"));
    EXPECT_FALSE(doc.Dirty());
    doc.Sections().Item(1).SetIndex(5);
    EXPECT_TRUE(doc.Dirty());
    doc.BufferRead(Crlf("[S]\nk=1"));
    doc.Sections().Item(1).Keys().Remove(1);
    EXPECT_TRUE(doc.Dirty());
}

TEST(CNFReading, StatusReportsEachStepAndEachChangeOfProgress)
{
    TempDir dir;
    QByteArray text = "Kopf\r\n[S]";
    for (int i = 0; i < 398; ++i)
        text += "\r\nk" + QByteArray::number(i) + "=v";
    const QString path = dir.writeFile(QStringLiteral("s.cnf"), text);
    CNFFile doc;
    QSignalSpy spy(&doc, &CNFFile::Status);
    doc.FileRead(path);

    QStringList steps;
    QList<qint32> progress;
    for (const QList<QVariant>& args : spy) {
        const QString step = args.at(0).toString();
        if (step == QStringLiteral("Datei wird gelesen ..."))
            progress.append(args.at(1).toInt());
        else
            steps.append(step + QLatin1Char(' ') + args.at(1).toString());
    }
    EXPECT_EQ(steps, QStringList({"Datei wird geöffnet ... 0", "Puffer wird analysiert ... 0",
                                  "Header wird gelesen ... 0", "Sektionen werden gelesen ... 0",
                                  "Fertig ... 100"}));
    // 400 lines, the section line is line 1 of 0..399: 1/399 rounds to 0.
    ASSERT_EQ(progress.size(), 101);
    for (int p = 0; p <= 100; ++p)
        EXPECT_EQ(progress.at(p), p);
}

TEST(CNFReading, CancelStopsAtTheNextHundredthLine)
{
    QByteArray text = "[S]";
    for (int i = 1; i <= 1000; ++i)
        text += "\r\nk" + QByteArray::number(i) + "=v";
    CNFFile doc;
    int pumped = 0;
    doc.SetEventPump([&] { ++pumped; });
    QObject::connect(&doc, &CNFFile::Status, [&](const QString&, qint32 percent) {
        if (percent == 25) // first seen at line 245 of 0..1000
            doc.FileReadCancel();
    });
    const AppErrorRecord e = Raised([&] { doc.BufferRead(text); });
    EXPECT_EQ(e.Number, CnfError(CNFMessages::Cancelled));
    EXPECT_EQ(e.Description, QStringLiteral("Abbruch durch Anwender."));
    EXPECT_EQ(doc.Sections().Item(1).Keys().Count(), 299);
    EXPECT_EQ(pumped, 4); // lines 0, 100, 200, 300

    // The next read starts afresh.
    QObject::disconnect(&doc, &CNFFile::Status, nullptr, nullptr);
    pumped = 0;
    EXPECT_EQ(doc.BufferRead(text).Item(1).Keys().Count(), 1000);
    EXPECT_EQ(pumped, 11);
}

TEST(CNFReading, AReadCannotStartInsideAnother)
{
    CNFFile doc;
    doc.SetEventPump({});
    QString nested;
    QObject::connect(&doc, &CNFFile::Status, [&](const QString& step, qint32) {
        if (step != QStringLiteral("Fertig ..."))
            return;
        try {
            doc.BufferRead(QStringLiteral("[X]"));
        } catch (const AppErrorRecord& e) {
            nested = e.Description;
        }
    });
    EXPECT_EQ(doc.BufferRead(Crlf("[S]\nk=1")).Item(1).Name(), QStringLiteral("S"));
    EXPECT_EQ(nested, QStringLiteral("Der Einlesevorgang muss zuerst beendet werden."));
}

TEST(CNFReading, LinesLongerThanAReadBlockAndLongNamesReadWhole)
{
    TempDir dir;
    // Longer than the reader's blocks, so a line end is searched for across
    // several of them; the name is longer than the hash's pieces.
    const QByteArray value(9 << 20, 'v');
    const QByteArray name = QByteArray(700, 'N') + "ä";
    const QString path = dir.writeFile(QStringLiteral("lang.cnf"),
                                       "[S]\r\nk=" + value + "\r\n" + name + "=2\r\nlast=3");
    CNFFile doc;
    const CNFKeys& keys = doc.FileRead(path).Item(1).Keys();
    ASSERT_EQ(keys.Count(), 3);
    EXPECT_EQ(keys.Item(1).Value().size(), value.size());
    EXPECT_EQ(keys.Find(QString(QString::fromUtf8(name).toLower()))->Value(), QStringLiteral("2"));
    EXPECT_EQ(keys.Item(u"LAST").Value(), QStringLiteral("3"));
}

// A FIFO blocked the read for ever, a device fed it without end.
TEST(CNFReading, OnlyRegularFilesAreRead)
{
    TempDir dir;
    const QString fifo = dir.filePath(QStringLiteral("pipe.cnf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    CNFFile doc;
    for (const QString& path : {fifo, QStringLiteral("/dev/zero")}) {
        const AppErrorRecord e = Raised([&] { doc.FileRead(path); });
        EXPECT_EQ(e.Number, CNFMessages::FileAccess);
        struct stat st {};
        ::stat(QFile::encodeName(path).constData(), &st);
        EXPECT_EQ(e.Description,
                  AppErr().MsgLoad(Msg::NotRegularFile, path, FileKindText(st.st_mode)));
    }
}
