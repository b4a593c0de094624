// SPDX-License-Identifier: GPL-3.0-or-later
#include "CnfTesting.h"
#include "support/TempDir.h"

#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "platform/SystemError.h"

#include <QFile>
#include <QSignalSpy>
#include <QStringEncoder>

#include <functional>

#include <sys/stat.h>

namespace {
// U+0D0A is the byte pair 0A 0D in UTF-16LE and U+010A holds 0x0A as well:
// both break a reader that splits the raw bytes at line feeds.
const QString kExport = u("Windows Registry Editor Version 5.00\n"
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

QByteArray utf16(const QString& text)
{
    return encoded(text, QStringEncoder::Utf16LE, "\xFF\xFE");
}

// The whole model as text, to compare two reads: the header, then each
// section as "[name]" followed by its keys.
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

QStringList ModelOfFile(const QString& path)
{
    CNFFile doc;
    doc.FileRead(path);
    return Model(doc);
}

} // namespace

TEST(CNFReading, ReadsThatFailSayWhy)
{
    TempDir dir;
    const QString header = dir.writeFile(u("kopf.cnf"), Crlf("Nur ein Kopf\nund mehr"));
    const QString missing = dir.filePath(u("fehlt.cnf"));
    const QString fifo = dir.filePath(u("pipe.cnf"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const auto notRegular = [](const QString& path, unsigned kind) {
        return AppErr().MsgLoad(Msg::NotRegularFile, path, FileKindText(kind));
    };
    CNFFile doc;
    const struct {
        std::function<void()> read;
        qint32 number;
        QString description = {}; // empty: not checked
        QString source = {};
    } cases[] = {
        {[&] { doc.FileRead(header); }, CnfError(CNFMessages::NoSections),
         u("Die Datei '%1' enthält keine Sektionen.").arg(header),
         u("CNFFile: ParseHeader | CNFFile: FileRead")},
        // One line that is no section line is no document either.
        {[&] { doc.BufferRead(u("k=v")); }, CnfError(CNFMessages::NoSections)},
        {[&] { doc.BufferRead(QByteArray("   ")); }, CnfError(CNFMessages::NoEntries)},
        {[&] { doc.FileRead(missing); }, CnfError(CNFMessages::FileMissing),
         u("Die Datei '%1' ist nicht vorhanden.").arg(missing), u("CNFFile: FileRead")},
        {[&] { doc.FileRead(dir.path()); }, CnfError(CNFMessages::FileMissing)},
        // A FIFO blocked the read for ever, a device fed it without end.
        {[&] { doc.FileRead(fifo); }, CNFMessages::FileAccess, notRegular(fifo, S_IFIFO)},
        {[&] { doc.FileRead(u("/dev/zero")); }, CNFMessages::FileAccess,
         notRegular(u("/dev/zero"), S_IFCHR)},
        {[&] { doc.BufferRead(Crlf("[S]\nName=1\nname=2")); }, CNFMessages::DuplicateName,
         u("Der Schlüssel 'name' ist in der Sektion 'S' bereits vorhanden.")},
        // An automatic name meets a written one of the same name.
        {[&] { doc.BufferRead(Crlf("[S]\n001=x\nfrei")); }, CNFMessages::DuplicateName},
        {[&] { doc.BufferRead(Crlf("[Daten]\nk=1\n[DATEN]")); }, CNFMessages::DuplicateName,
         u("Die Sektion 'DATEN' ist bereits vorhanden."),
         u("CNFSections: Add | CNFFile: BufferRead")},
    };
    for (const auto& c : cases) {
        const AppErrorRecord e = Raised(c.read);
        EXPECT_EQ(e.Number, c.number) << e.Description.toStdString();
        if (!c.description.isEmpty()) {
            EXPECT_EQ(e.Description, c.description);
        }
        if (!c.source.isEmpty()) {
            EXPECT_EQ(e.Source, c.source);
        }
    }
    // The partly filled model stays for the caller to look at.
    EXPECT_EQ(doc.Sections().Count(), 1);

    const QString quoted = dir.writeFile(u("mit blank.cnf"), "[S]\r\nk=v");
    EXPECT_EQ(doc.FileRead(QLatin1Char('"') + quoted + QLatin1Char('"')).Count(), 1);
    EXPECT_EQ(doc.Filename, QLatin1Char('"') + quoted + QLatin1Char('"'));
}

TEST(CNFReading, TextsAndTheModelsTheyGive)
{
    const QByteArray comments =
        Crlf("[S]\nk=Text ; Bemerkung\n; ganze Zeile\n  ;eingerückt\nv=;nichts");
    const QByteArray values =
        Crlf("[S]\na=eins||zwei|| drei\nb=Wert\t\t\nc=\tvorn\nd=x<BR>y<br>z\ne=  Wert ; c\t");
    const QByteArray empties = Crlf("[A]\nk=1\n\n   \n[B]\nm=2");
    const struct {
        const char* name;
        QByteArray text;
        QStringList model;
        std::function<void(CNFFile&)> options = {};
    } cases[] = {
        {"header lines trimmed, leading empty ones dropped",
         Crlf("\n  \n  Kopf 1  \n;Kopf 2\n\n[S]"),
         {"Kopf 1\n;Kopf 2\n", "[S]"}},
        {"no header", "  [Nur]  ", {"", "[Nur]"}},
        {"automatic names count per section and only when used",
         Crlf("[S]\na\nb\nx=1\n = c \n[T]\ny=2\nd"),
         {"", "[S]", "001=a", "002=b", "x=1", "003=c", "[T]", "y=2", "001=d"}},
        // A line with "[" but no "]" is no section line.
        {"section names are the text inside the first brackets",
         Crlf("[ Name ] Rest ] x\nk=1\n  [Zwei]\n[Drei"),
         {"", "[Name]", "k=1", "[Zwei]", "001=[Drei"}},
        {"comments cut", comments, {"", "[S]", "k=Text", "v="}},
        {"comments kept",
         comments,
         {"", "[S]", "k=Text ; Bemerkung", "v=;nichts"},
         [](CNFFile& doc) { doc.RemoveComments = false; }},
        // Comment lines are found ignoring case, the cut inside a value is exact.
        {"comment word",
         Crlf("[S]\nrem x\na=1 REM z\nb=1 rem z"),
         {"", "[S]", "a=1", "b=1 rem z"},
         [](CNFFile& doc) { doc.CommentChar = u("REM"); }},
        {"empty lines are keys", empties, {"", "[A]", "k=1", "001=", "002=", "[B]", "m=2"}},
        {"unless there is no comment character",
         empties,
         {"", "[A]", "k=1", "[B]", "m=2"},
         [](CNFFile& doc) { doc.CommentChar.clear(); }},
        {"values cleaned up",
         values,
         {"", "[S]", "a=eins\nzwei\n drei", "b=Wert", "c=\tvorn", "d=x<BR>y<br>z", "e=Wert"}},
        {"tabs kept, another line break mark",
         values,
         {"", "[S]", "a=eins||zwei|| drei", "b=Wert\t\t", "c=\tvorn", "d=x\ny\nz", "e=Wert"},
         [](CNFFile& doc) {
             doc.RemoveTrailingTabs = false;
             doc.CarriageReturnChar = u("<br>");
         }},
        // 8-bit text is UTF-8 where valid, else Windows-1252.
        {"utf-8", "[S]\r\nk=Grüße", {"", "[S]", "k=Grüße"}},
        {"windows-1252",
         QByteArray("[S]\r\nk=Gr\xfc\xdf") + "e \x80\x81\x9f",
         {"", "[S]", u("k=Grüße \u20AC\u0081\u0178")}},
        {"utf-8 mark", "\xEF\xBB\xBFKopf\r\n[S]", {"Kopf", "[S]"}},
        {"odd byte at the end of utf-16", QByteArray("\xFF\xFE[\0S\0]\0x", 9), {"", "[S]"}},
        {"any line break", "[S]\ra=1\nb=2\r\nc=3", {"", "[S]", "a=1", "b=2", "c=3"}},
        {"a final break opens no line", "[S]\nk=1\n", {"", "[S]", "k=1"}},
        {"two final breaks", "[S]\nk=1\n\n", {"", "[S]", "k=1", "001="}},
        {"CR LF twice", "[S]\r\n\r\n", {"", "[S]", "001="}},
        {"CR CR LF", "[S]\r\r\nk=1", {"", "[S]", "001=", "k=1"}},
        {"whole key lines under automatic names",
         Crlf("REGEDIT4\n[HKEY\\a]b]  123\n  \"a=b\"=\"x ; y||z\"\t\n\"a=c\"=1\n\nfrei\n"
              "[[klammer]]\n[S]\nx\n[T]\n[s]\ny"),
         {"REGEDIT4", "[HKEY\\a]b]", "001=\"a=b\"=\"x ; y||z\"\t", "002=\"a=c\"=1", "003=frei",
          "[[klammer]]", "[S]", "001=x", "002=y", "[T]"},
         [](CNFFile& doc) {
             doc.WholeKeyLines = true;
             doc.CommentChar.clear();
         }},
        // Comment lines are still the document's to skip.
        {"whole key lines and comments",
         Crlf("[S]\n;weg\n a;b \n"),
         {"", "[S]", "001=a;b"},
         [](CNFFile& doc) {
             doc.WholeKeyLines = true;
             doc.CommentChar = u(";");
         }},
    };
    for (const auto& c : cases) {
        CNFFile doc;
        if (c.options)
            c.options(doc);
        doc.BufferRead(c.text);
        EXPECT_EQ(Model(doc), c.model) << c.name;
    }
    // Not whole, such lines are name=value lines as they always were.
    EXPECT_EQ(Raised([] { CNFFile().BufferRead(Crlf("[S]\n\"a=1\"=x\n\"a=2\"=y")); }).Number,
              CNFMessages::DuplicateName);

    CNFFile doc;
    CNFSections& sections = doc.BufferRead(Crlf("[S]\na\nb\nx=1\n = c \n[T]"));
    EXPECT_EQ(sections.Item(1).Keys().Item(4).Index(), 4);
    EXPECT_EQ(sections.Item(2).Index(), 2);
    // What a read gives counts as unchanged, as a new document does; a tag is no change.
    EXPECT_FALSE(CNFFile().Dirty());
    EXPECT_FALSE(doc.Dirty());
    CNFKey& key = sections.Item(1).Keys().Item(1);
    key.SetTag(u("frei"));
    EXPECT_FALSE(doc.Dirty());
    key.SetValue(u("2"));
    EXPECT_TRUE(key.Dirty());
    EXPECT_TRUE(doc.Dirty());
    doc.BufferRead(Crlf("[S]\nk=1"));
    EXPECT_FALSE(doc.Dirty());
    doc.Sections().Item(1).SetIndex(5);
    EXPECT_TRUE(doc.Dirty());
}

TEST(CNFReading, StatusReportsEachStepAndProgressAndNoReadStartsInside)
{
    TempDir dir;
    QByteArray text = "Kopf\r\n[S]";
    for (int i = 0; i < 398; ++i)
        text += "\r\nk" + QByteArray::number(i) + "=v";
    const QString path = dir.writeFile(u("s.cnf"), text);
    CNFFile doc;
    QSignalSpy spy(&doc, &CNFFile::Status);
    QString nested;
    QObject::connect(&doc, &CNFFile::Status, [&](const QString& step, qint32) {
        if (step == u("Fertig ..."))
            nested = Raised([&] { doc.BufferRead(u("[X]")); }).Description;
    });
    EXPECT_EQ(doc.FileRead(path).Item(1).Name(), u("S"));
    EXPECT_EQ(nested, u("Der Einlesevorgang muss zuerst beendet werden."));

    QStringList steps;
    QList<qint32> progress;
    for (const QList<QVariant>& args : spy) {
        const QString step = args.at(0).toString();
        if (step == u("Datei wird gelesen ..."))
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
    EXPECT_EQ(e.Description, u("Abbruch durch Anwender."));
    EXPECT_EQ(doc.Sections().Item(1).Keys().Count(), 299);
    EXPECT_EQ(pumped, 4); // lines 0, 100, 200, 300

    // The next read starts afresh.
    QObject::disconnect(&doc, &CNFFile::Status, nullptr, nullptr);
    pumped = 0;
    EXPECT_EQ(doc.BufferRead(text).Item(1).Keys().Count(), 1000);
    EXPECT_EQ(pumped, 11);
}

TEST(CNFEncoding, RegistryExportInUtf16AndUtf8GivesTheSameModel)
{
    TempDir dir;
    QString crlf = kExport;
    crlf.replace(QLatin1String("\n"), QLatin1String("\r\n"));
    const QStringList model = ModelOfFile(dir.writeFile(u("w.reg"), utf16(crlf)));
    EXPECT_EQ(model, ModelOfFile(dir.writeFile(u("l.reg"), kExport.toUtf8())));
    EXPECT_EQ(model, QStringList({"Windows Registry Editor Version 5.00\n",
                                  "[HKEY_CURRENT_USER\\Software\\Tolvane]",
                                  "\"Pfad\"=\"C:\\\\Programme\\\\Grüße\"", "\"Binär\"=hex:0a,0d,\\",
                                  "001=00,ff", u("@=\"\u0D0A\u010A\""),
                                  "002=", "[HKEY_CURRENT_USER\\Software\\Tolvane\\Unter]",
                                  "\"Zahl\"=dword:0000000a", "001="}));

    // Big-endian with its mark, and little-endian without one when asked to.
    EXPECT_EQ(ModelOf(encoded(crlf, QStringEncoder::Utf16BE, "\xFE\xFF")), model);
    EXPECT_EQ(ModelOf(encoded(crlf, QStringEncoder::Utf16LE, ""), true), model);
    // A mark wins over the flag.
    EXPECT_EQ(ModelOf(encoded(crlf, QStringEncoder::Utf8, "\xEF\xBB\xBF"), true), model);
}

TEST(CNFEncoding, FilesLongerThanAReadChunkReadAsTheirBytes)
{
    // Files are read in chunks of about 4 MiB: a CR LF pair sits on the
    // first boundary, a line runs over the next ones, a lone CR follows, a
    // name longer than the hash's pieces, and a Windows-1252 byte deep in
    // the file turns the UTF-8 text before it into 8-bit text too.
    constexpr qsizetype block = 4 << 20;
    QByteArray data = "Kopf\r\n[S]\r\n";
    for (int i = 0; data.size() < block - 200; ++i)
        data += "k" + QByteArray::number(i) + "=Grüße ; c\r\n";
    data += "f=" + QByteArray(block - 1 - data.size() - 2, 'x') + "\r\n";
    ASSERT_EQ(data.at(block - 1), '\r');
    const QByteArray name = QByteArray(700, 'N') + "\xc3\xa4";
    data += "[T]\r\ng=" + QByteArray(block + 17, 'y') + "\rh=1\r" + name + "=2\rh2=\xfc\n\n";

    TempDir dir;
    const QString path = dir.writeFile(u("gross.cnf"), data);
    CNFFile fromFile;
    fromFile.FileRead(path);
    EXPECT_EQ(Model(fromFile), ModelOf(data));
    EXPECT_EQ(fromFile.Sections().Item(u"T").Keys().Count(), 5);
    EXPECT_EQ(fromFile.Sections().Item(u"T").Keys().Item(1).Value().size(), block + 17);
    EXPECT_EQ(fromFile.Sections().Item(u"T").Keys().Item(u"h2").Value(), u("ü"));
    EXPECT_EQ(fromFile.Sections().Item(u"S").Keys().Item(u"k0").Value(),
              u("Gr\u00C3\u00BC\u00C3\u0178e"));

    // Valid UTF-8 throughout stays UTF-8.
    data.replace("h2=\xfc", "h2=\xc3\xbc");
    dir.writeFile(u("gross.cnf"), data);
    fromFile.FileRead(path);
    EXPECT_EQ(fromFile.Sections().Item(u"S").Keys().Item(u"k0").Value(), u("Grüße"));
    EXPECT_EQ(
        fromFile.Sections().Item(u"T").Keys().Find(QString::fromUtf8(name).toLower())->Value(),
        u("2"));
    EXPECT_EQ(Model(fromFile), ModelOf(data));
}

TEST(CNFEncoding, Utf16AcrossReadChunksReadsAsUtf8)
{
    // Every read chunk of UTF-16 text ends inside a character, a pair of
    // surrogates among them now and then.
    QString text = u("[S]\n");
    for (int i = 0; text.size() < (5 << 20) / 2; ++i)
        text += u("k%1=Grüße \U0001F600 %1\n").arg(i);
    TempDir dir;
    const QStringList model = ModelOfFile(dir.writeFile(u("w.cnf"), utf16(text)));
    EXPECT_EQ(model, ModelOfFile(dir.writeFile(u("n.cnf"), text.toUtf8())));
    EXPECT_EQ(model.at(8), u("k6=Grüße \U0001F600 6"));
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
    for (const QByteArray& bytes : {text, utf16(QString::fromUtf8(text))}) {
        CNFFile doc;
        CNFSections& sections = doc.BufferRead(bytes);
        EXPECT_EQ(sections.Count(), 42);
        EXPECT_EQ(sections.Find(u"äRGER"), &sections.Item(1));
        EXPECT_EQ(sections.Find(u"abschnitt 39"), &sections.Item(41));
        CNFKeys& keys = sections.Item(QString::fromLatin1(longName.toLower())).Keys();
        EXPECT_EQ(keys.Count(), 40);
        EXPECT_EQ(keys.Item(u"SCHLÜSSEL39").Value(), u("Wert 39\nx"));
        keys.Remove(1);
        EXPECT_EQ(keys.Item(1).Name(), u("Schlüssel1"));
        EXPECT_EQ(keys.Item(1).Index(), 2);
        EXPECT_TRUE(doc.Dirty());
    }
    // A name met again among many fails as among few.
    EXPECT_EQ(Raised([&] { CNFFile().BufferRead(text + "schlüssel7=neu\r\n"); }).Number,
              CNFMessages::DuplicateName);
}
