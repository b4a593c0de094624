// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocFixtures.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include "core/cuAppError.h"
#include "fileinfo/DocMetaXml.h"
#include "fileinfo/OfficeDocProperties.h"
#include "fileinfo/OfficeDocReader.h"
#include "fileinfo/OleCompoundFile.h"
#include "fileinfo/OlePropertySet.h"
#include "fileinfo/ZipArchive.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace Fixture;

namespace {
QDateTime utc(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s), QTimeZone::utc());
}

const QString SummaryName = u("\x05") + u("SummaryInformation");
const QString DocumentName = u("\x05") + u("DocumentSummaryInformation");

DocPropertyValues readBytes(const QByteArray& bytes)
{
    return OfficeDocReader::read(ByteReader(bytes));
}

QByteArray summary(const QList<Property>& properties)
{
    return propertySet(OlePropertySet::SummaryInformation(), properties);
}

// A document with a title in the summary and a company in the second set.
QByteArray simpleDocument(OleLayout* layout = nullptr, quint16 shift = 9)
{
    return oleFile({{SummaryName, summary({{2, vtLpstr("Jahresbericht")}, {4, vtLpstr("Erika")}})},
                    {DocumentName, propertySet(OlePropertySet::DocumentSummaryInformation(),
                                               {{15, vtLpstr("Beispiel GmbH")}})}},
                   layout, shift);
}

// A title, an author and a creation time; a zero time means "never" and is no
// date to show.
QByteArray datedDocument()
{
    const QDateTime never = QDateTime::fromSecsSinceEpoch(-11644473600LL, QTimeZone::utc());
    return oleFile({{SummaryName, summary({{2, vtLpstr("Titel")},
                                           {4, vtLpstr("Autor")},
                                           {12, vtFiletime(utc(1999, 12, 31, 23, 59, 59))},
                                           {13, vtFiletime(never)}})}});
}

const QByteArray CoreXml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<cp:coreProperties
 xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties"
 xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/"
 xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<dc:title>Angebot &amp; Preise</dc:title><dc:subject>Vertrieb</dc:subject
><dc:creator>Jürgen</dc:creator>
<cp:keywords>Preis, Angebot</cp:keywords><dc:description>Zweite Fassung</dc:description>
<cp:lastModifiedBy>Anna</cp:lastModifiedBy><cp:category>Verträge</cp:category>
<dcterms:created xsi:type="dcterms:W3CDTF">2020-02-01T10:00:00Z</dcterms:created>
<dcterms:modified xsi:type="dcterms:W3CDTF">2021-07-01T10:30:15Z</dcterms:modified>
</cp:coreProperties>)";

const QByteArray AppXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties">
<Application>Microsoft Office Word</Application><Company>Muster AG</Company
><Pages>3</Pages></Properties>)";

const QByteArray Rels = R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId3" Target="docProps/app.xml"
 Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties"/>
<Relationship Id="rId2" Target="docProps/core.xml"
 Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties"/>
<Relationship Id="rId1" Target="word/document.xml"
 Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"/>
</Relationships>)";

const QByteArray MetaXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-meta xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3">
<office:meta><meta:initial-creator>Erika</meta:initial-creator><dc:creator>Max</dc:creator>
<meta:creation-date>2020-02-01T10:00:00.123456789</meta:creation-date
><dc:date>2021-07-01T10:30:15+02:00</dc:date>
<meta:generator>LibreOffice/7.4.5.1$Linux_X86_64 LibreOffice_project/40</meta:generator>
<dc:title>Protokoll</dc:title><dc:description>Sitzung</dc:description>
<meta:keyword>Sitzung</meta:keyword><meta:keyword>2021</meta:keyword><dc:subject>Verein</dc:subject>
<meta:document-statistic meta:page-count="1"/></office:meta></office:document-meta>)";

QList<ZipMember> ooxmlMembers()
{
    return {
        {"[Content_Types].xml", "<Types/>"},    {"_rels/.rels", Rels},
        {"docProps/core.xml", CoreXml},         {"docProps/app.xml", AppXml},
        {"word/document.xml", "<w:document/>"},
    };
}

// Values in the order of DocProperty, joined by "|".
DocPropertyValues values(const char* joined)
{
    const QStringList parts = QString::fromUtf8(joined).split(QLatin1Char('|'));
    DocPropertyValues v;
    for (qsizetype i = 0; i < parts.size() && i < qsizetype(v.size()); ++i)
        v[i] = parts[i];
    return v;
}

const DocPropertyValues kOoxmlValues =
    values("Microsoft Office Word|Jürgen|Verträge|Zweite Fassung|Muster AG|01.02.2020 11:00:00|"
           "Preis, Angebot|Anna|01.07.2021 12:30:15|Vertrieb|Angebot & Preise");
// No zone: already local time. An offset: converted to local time.
const DocPropertyValues kOdfValues =
    values("LibreOffice/7.4.5.1|Erika||Sitzung||01.02.2020 10:00:00|Sitzung, 2021|Max|"
           "01.07.2021 10:30:15|Verein|Protokoll");
} // namespace

TEST(OleProperties, ReadsWhatAnOutsideWriterWrote)
{
    const GsfFixture::Meta meta{.title = u("Quartalszahlen"),
                                .subject = u("Umsatz"),
                                .author = u("Jürgen Groß"),
                                .keywords = u("Zahlen; Bericht"),
                                .comments = u("Entwurf"),
                                .lastAuthor = u("Anna"),
                                .application = u("Textverarbeitung 9"),
                                .category = u("Finanzen"),
                                .company = u("Muster AG"),
                                .created = utc(2020, 2, 1, 10, 0, 0),
                                .modified = utc(2021, 7, 1, 10, 30, 15)};
    // Dates shown in local time: winter and summer time.
    const DocPropertyValues expected = {meta.application, meta.author,     meta.category,
                                        meta.comments,    meta.company,    u("01.02.2020 11:00:00"),
                                        meta.keywords,    meta.lastAuthor, u("01.07.2021 12:30:15"),
                                        meta.subject,     meta.title};
    EXPECT_EQ(readBytes(GsfFixture::oleDocument(meta)), expected);
}

TEST(OleProperties, StringsAreDecodedInTheSectionsCodePage)
{
    // Property 1 is the code page, 2 the title.
    const struct {
        const char* name;
        QList<Property> properties;
        QString title;
    } cases[] = {
        {"default is 1252", {{2, vtLpstr("\xC4rger \x80 5")}}, u("Ärger € 5")},
        // 65001 is stored as a signed 16-bit value and arrives as -535.
        {"utf-8 above 32767", {{1, vtI2(65001)}, {2, vtLpstr("Grüße")}}, u("Grüße")},
        {"cyrillic 1251", {{1, vtI2(1251)}, {2, vtLpstr("\xCF\xF0\xE8\xE2\xE5\xF2")}}, u("Привет")},
        {"utf-16 1200", {{1, vtI2(1200)}, {2, vtLpstr(QByteArray("H\0i\0", 4))}}, u("Hi")},
        {"bad utf-8",
         {{1, vtI2(65001)}, {2, vtLpstr(QByteArray("a\xFF", 2) + 'b')}},
         u("a\uFFFDb")},
        {"wide text", {{2, vtLpwstr(u("Größe"))}}, u("Größe")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(readBytes(oleFile({{SummaryName, summary(c.properties)}}))[DocTitle], c.title)
            << c.name;
}

TEST(OleProperties, StreamsInRegularSectorsAndVersionFourFilesOnlyDirectlyBelowTheRoot)
{
    // A summary stream of 4096 bytes or more lives in the file's own sectors.
    QByteArray big = summary({{2, vtLpstr("Gro\xDF")}, {6, vtLpstr(QByteArray(5000, 'k'))}});
    const DocPropertyValues v = readBytes(oleFile({{SummaryName, big}}));
    EXPECT_EQ(v[DocTitle], u("Groß"));
    EXPECT_EQ(v[DocComments].size(), 5000);

    const QByteArray v4 = simpleDocument(nullptr, 12);
    EXPECT_EQ(readBytes(v4)[DocTitle], u("Jahresbericht"));
    EXPECT_EQ(readBytes(v4)[DocCompany], u("Beispiel GmbH"));
    OleCompoundFile file;
    ASSERT_TRUE(file.open(ByteReader(v4)));
    EXPECT_TRUE(file.rootStream(SummaryName.toLower(), 1 << 20).has_value());
    EXPECT_FALSE(file.rootStream(u("Root Entry"), 1 << 20).has_value());
    EXPECT_FALSE(file.rootStream(SummaryName, 10).has_value()) << "larger than allowed";
    EXPECT_FALSE(file.open(ByteReader(QByteArray("PK\3\4not ole"))));
}

TEST(OleProperties, DamagedTablesGiveNoValuesAndNoHang)
{
    OleLayout layout;
    const QByteArray good = simpleDocument(&layout);
    ASSERT_EQ(readBytes(good)[DocTitle], u("Jahresbericht"));
    const quint32 summaryMini = layout.streamStart[0];
    const quint64 summaryEntry = layout.entryOffset(1);

    // The title sits in the stream each case damages (or in no readable file at all).
    const struct {
        const char* name;
        quint64 offset;
        quint32 value;
        bool companyKept = false; // the other stream is untouched and still read
    } patches[] = {
        {"directory chain loops", layout.fatEntryOffset(layout.directorySector),
         layout.directorySector},
        {"mini chain loops", layout.miniFatEntryOffset(summaryMini), summaryMini, true},
        {"mini chain leaves table", layout.miniFatEntryOffset(summaryMini), 0x00FFFFFF, true},
        {"directory start past end", 0x30, 0x7FFFFFF0},
        {"fat sector past end", 0x4C, 0x10000},
        {"fat count of gigabytes", 0x2C, 0xFFFFFFF0},
        {"stream larger than its chain", summaryEntry + 0x78, 3000},
        {"stream size of gigabytes", summaryEntry + 0x78, 0xFFFFFFF0},
        {"sector shift of 30", 0x1C, 0x001EFFFE},
    };
    for (const auto& c : patches) {
        QByteArray bytes = good;
        patch32(bytes, c.offset, c.value);
        const DocPropertyValues v = readBytes(bytes);
        EXPECT_TRUE(v[DocTitle].isEmpty()) << c.name;
        if (c.companyKept) {
            EXPECT_EQ(v[DocCompany], u("Beispiel GmbH")) << c.name;
        }
    }
    for (const qsizetype size : {good.size() / 2, qsizetype(512), qsizetype(8)})
        EXPECT_TRUE(readBytes(good.left(size))[DocTitle].isEmpty()) << size;
    // Both siblings of the first stream are itself.
    QByteArray siblings = good;
    patch32(siblings, summaryEntry + 0x48, 1);
    patch32(siblings, summaryEntry + 0x44, 1);
    patch32(siblings, summaryEntry, 0x58);
    EXPECT_TRUE(readBytes(siblings)[DocTitle].isEmpty());
}

TEST(OleProperties, DamagedPropertySections)
{
    const QByteArray good = summary({{2, vtLpstr("Titel")}, {4, vtLpstr("Autor")}});
    OlePropertySet set;
    ASSERT_TRUE(set.read(ByteReader(good), OlePropertySet::SummaryInformation()));
    EXPECT_EQ(set.value(2).toString(), u("Titel"));
    EXPECT_FALSE(set.read(ByteReader(good), OlePropertySet::DocumentSummaryInformation()));

    // The section starts at 48; its index at 56 (title) and 64 (author).
    const struct {
        const char* name;
        quint64 offset;
        quint32 value;
        bool titleSurvives;
    } cases[] = {
        {"section offset past end", 44, 0xFFFFFF00, false},
        {"property count of billions", 52, 0xFFFFFFFF, true},
        {"title offset past section", 60, 0x7FFFFFFF, false},
        {"title length past section", 48 + 24 + 4, 0xFFFFFFF0, false},
        {"section size past stream", 48, 0xFFFFFFFF, true},
    };
    for (const auto& c : cases) {
        QByteArray bytes = good;
        patch32(bytes, c.offset, c.value);
        OlePropertySet damaged;
        damaged.read(ByteReader(bytes), OlePropertySet::SummaryInformation());
        EXPECT_EQ(damaged.value(2).toString() == u("Titel"), c.titleSurvives) << c.name;
    }
    EXPECT_FALSE(set.read(ByteReader(good.left(30)), OlePropertySet::SummaryInformation()));
}

class OfficeDocPropertiesTest : public ::testing::Test {
protected:
    TempDir dir;
    OfficeDocProperties props;
    QStringList values;
};

TEST_F(OfficeDocPropertiesTest, ReadsTheFileWhateverTheCaseOfItsExtensionOrItsQuotes)
{
    props.setFilename(dir.writeFile(u("report.DOC"), datedDocument()));
    EXPECT_EQ(props.GetProperties(values), 3);
    EXPECT_EQ(values.join(QLatin1Char('|')), u("|Autor||||01.01.2000 00:59:59|||||Titel"));

    // A package saved under an old extension is still read by what it holds.
    const QString path = dir.writeFile(
        u("alt name.xls"), zipFile({{"meta.xml", "<d><m><title>Tabelle</title></m></d>"}}));
    props.setFilename(u("  \"") + path + u("\" "));
    EXPECT_EQ(props.GetProperties(values), 1);
    EXPECT_EQ(values[10], u("Tabelle"));
}

TEST_F(OfficeDocPropertiesTest, UnsupportedAndDamagedFilesGiveNothing)
{
    for (const auto& [name, bytes] :
         {std::pair{"notiz.txt", datedDocument()},
          std::pair{"kaputt.docx", QByteArray("PK\3\4 gar nichts")},
          std::pair{"leer.ppt", QByteArray()}, std::pair{"halb.doc", datedDocument().left(700)}}) {
        props.setFilename(dir.writeFile(QString::fromLatin1(name), bytes));
        values = QStringList{u("alt")};
        EXPECT_EQ(props.GetProperties(values), 0) << name;
        EXPECT_EQ(values, QStringList(11, QString())) << name;
    }
}

TEST_F(OfficeDocPropertiesTest, MissingNamesAndFilesRaiseTheirMessages)
{
    const AppErrorRecord noName = Raised([&] { props.GetProperties(values); });
    EXPECT_EQ(noName.Number, cuAppError::ErrorBase - OfficeDocProperties::NoFileName);
    EXPECT_EQ(noName.Description, u("Es wurde kein Dateiname angegeben."));
    EXPECT_EQ(noName.Source, u("OfficeDocProperties: GetProperties"));

    // A folder is no document, even with a document's name.
    for (const QString& missing : {dir.filePath(u("fehlt.doc")), dir.makeDir(u("ordner.doc"))}) {
        props.setFilename(missing);
        const AppErrorRecord noFile = Raised([&] { props.GetProperties(values); });
        EXPECT_EQ(noFile.Number, cuAppError::ErrorBase - OfficeDocProperties::FileMissing);
        EXPECT_EQ(noFile.Description, u("Die Datei '%1' ist nicht vorhanden.").arg(missing));
    }
}

TEST_F(OfficeDocPropertiesTest, NamesIndexesAndExtensions)
{
    EXPECT_EQ(props.Translate(0, true), u("Anwendung"));
    EXPECT_EQ(props.Translate(10, false), u("Title"));
    for (const qint32 index : {11, -1}) {
        const AppErrorRecord e = Raised([&] { props.Translate(index, true); });
        EXPECT_EQ(e.Number, cuAppError::ErrorBase - OfficeDocProperties::NoSuchIndex);
        EXPECT_EQ(e.Description,
                  u("Es gibt keine Eigenschaft mit dem Aufzählungsindex '%1'.").arg(index));
        EXPECT_EQ(e.Source, u("OfficeDocProperties: Translate"));
    }
    EXPECT_EQ(OfficeDocProperties::ApplicationFor(u("a.b.PPTX")),
              OfficeDocProperties::AppPowerPoint);
    EXPECT_EQ(OfficeDocProperties::ApplicationFor(u("doc")), OfficeDocProperties::AppNone);
    EXPECT_EQ(OfficeDocProperties::ApplicationFor(u("x.docm")), OfficeDocProperties::AppNone);
    EXPECT_TRUE(props.AppIsAvailable(OfficeDocProperties::AppExcel));
    EXPECT_FALSE(props.AppIsAvailable(4));
}

TEST(ZipDocuments, OfficeOpenXmlAndOpenDocumentPackages)
{
    EXPECT_EQ(readBytes(zipFile(ooxmlMembers())), kOoxmlValues);
    // Written by an outside zip writer, deflated, with folder entries.
    EXPECT_EQ(
        readBytes(GsfFixture::zipPackage(
            {{"_rels/.rels", Rels}, {"docProps/core.xml", CoreXml}, {"docProps/app.xml", AppXml}})),
        kOoxmlValues);
    // Stored members and Zip64 records read the same.
    QList<ZipMember> stored = ooxmlMembers();
    for (ZipMember& m : stored)
        m.deflate = false;
    EXPECT_EQ(readBytes(zipFile(stored)), kOoxmlValues);
    EXPECT_EQ(readBytes(zipFile(ooxmlMembers(), true)), kOoxmlValues);

    EXPECT_EQ(readBytes(zipFile({{"mimetype", "application/vnd.oasis.opendocument.text", false},
                                 {"meta.xml", MetaXml}})),
              kOdfValues);
}

TEST(ZipDocuments, RelationshipsNameThePropertyParts)
{
    QByteArray rels = Rels;
    rels.replace("Target=\"docProps/core.xml\"", "Target=\"/meta/Kern.xml\"");
    const DocPropertyValues v =
        readBytes(zipFile({{"_rels/.rels", rels},
                           {"META/kern.XML", CoreXml},
                           {"docProps/core.xml", "<x><title>falsch</title></x>"}}));
    EXPECT_EQ(v[DocTitle], u("Angebot & Preise"));
    // Without relationships the usual places are read.
    EXPECT_EQ(readBytes(zipFile({{"docProps/core.xml", CoreXml}}))[DocTitle],
              u("Angebot & Preise"));
}

TEST(ZipDocuments, XmlWithDtdOrEntitiesIsRefused)
{
    const QByteArray laughs = R"(<?xml version="1.0"?>
<!DOCTYPE lolz [<!ENTITY lol "lol">
<!ENTITY lol2 "&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;">
<!ENTITY lol3 "&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;">]>
<cp:coreProperties xmlns:cp="c" xmlns:dc="d"><dc:title>&lol3;</dc:title
><dc:creator>X</dc:creator></cp:coreProperties>)";
    const QByteArray external =
        R"(<?xml version="1.0"?><!DOCTYPE x SYSTEM "file:///etc/passwd"><x><title>T</title></x>)";
    const QByteArray undeclared = R"(<x xmlns:dc="d"><dc:title>&secret;</dc:title></x>)";
    for (const QByteArray& core : {laughs, external, undeclared}) {
        const DocPropertyValues v =
            readBytes(zipFile({{"docProps/core.xml", core}, {"docProps/app.xml", AppXml}}));
        EXPECT_TRUE(v[DocTitle].isEmpty());
        EXPECT_TRUE(v[DocAuthor].isEmpty());
        // The other part is still read.
        EXPECT_EQ(v[DocCompany], u("Muster AG"));
    }
    DocPropertyValues values;
    EXPECT_FALSE(DocMetaXml::readOoxmlCore(QByteArray("<a><title>x</title>"), values));
    EXPECT_TRUE(values[DocTitle].isEmpty()) << "a part that is cut short adds nothing";
}

TEST(ZipDocuments, MembersThatLieAreNotRead)
{
    const std::pair<const char*, ZipMember> cases[] = {
        {"local name differs", {"docProps/core.xml", CoreXml, true, "docProps/other.xml"}},
        {"declared size too small", {"docProps/core.xml", CoreXml, true, {}, 100}},
        {"declared size too large", {"docProps/core.xml", CoreXml, true, {}, CoreXml.size() + 10}},
        {"stored size differs", {"docProps/core.xml", CoreXml, false, {}, 100}},
        {"checksum wrong", {"docProps/core.xml", CoreXml, true, {}, -1, 0, true}},
        {"encrypted", {"docProps/core.xml", CoreXml, true, {}, -1, 1}},
    };
    for (const auto& [name, core] : cases) {
        const DocPropertyValues v = readBytes(zipFile({core, {"docProps/app.xml", AppXml}}));
        EXPECT_TRUE(v[DocTitle].isEmpty()) << name;
        EXPECT_EQ(v[DocCompany], u("Muster AG")) << name;
    }
}

TEST(ZipDocuments, InflateStopsAtTheCap)
{
    // 16 MB of zeros packs into some 16 KB; the directory says 1 KB.
    const QByteArray zeros(16 * 1024 * 1024, '\0');
    const QByteArray bomb = zipFile({{"meta.xml", zeros, true, {}, 1024}});
    ZipArchive zip;
    ASSERT_TRUE(zip.open(ByteReader(bomb)));
    EXPECT_FALSE(zip.read(u("meta.xml"), 1 << 20).has_value());

    // Declared honestly, it is larger than the caller allows and is not unpacked.
    const QByteArray honest = zipFile({{"meta.xml", zeros}});
    ASSERT_TRUE(zip.open(ByteReader(honest)));
    EXPECT_FALSE(zip.read(u("meta.xml"), 1 << 20).has_value());
    EXPECT_EQ(zip.read(u("meta.xml"), zeros.size())->size(), zeros.size());
}

TEST(ZipDocuments, DamagedDirectories)
{
    const QByteArray good = zipFile(ooxmlMembers());
    ZipArchive zip;
    ASSERT_TRUE(zip.open(ByteReader(good)));
    EXPECT_EQ(zip.entryCount(), 5);
    const qsizetype end = good.size() - 22;

    const std::pair<const char*, std::function<void(QByteArray&)>> cases[] = {
        {"directory offset past end", [&](QByteArray& b) { patch32(b, end + 16, 0x7FFFFFF0); }},
        {"directory size past end", [&](QByteArray& b) { patch32(b, end + 12, 0x7FFFFFF0); }},
        {"more entries than listed", [&](QByteArray& b) { b[end + 10] = 6; }},
        {"end record cut off", [&](QByteArray& b) { b.chop(4); }},
        {"split archive", [&](QByteArray& b) { b[end + 4] = 1; }},
        {"local header offset past end",
         [&](QByteArray& b) {
             const qsizetype central = b.indexOf(QByteArray("PK\1\2"));
             for (qsizetype at = central; at >= 0; at = b.indexOf(QByteArray("PK\1\2"), at + 4))
                 patch32(b, at + 42, 0x7FFFFFF0);
         }},
    };
    for (const auto& [name, damage] : cases) {
        QByteArray bytes = good;
        damage(bytes);
        EXPECT_EQ(readBytes(bytes), DocPropertyValues()) << name;
    }
}

TEST(ZipDocuments, TooManyEntriesAreRefused)
{
    QList<ZipMember> members;
    for (int i = 0; i <= ZipArchive::MaxEntries; ++i)
        members.append({"f" + QByteArray::number(i), QByteArray(), false});
    members.append({"meta.xml", MetaXml});
    ZipArchive zip;
    EXPECT_FALSE(zip.open(ByteReader(zipFile(members, true))));
    members.remove(0, 2);
    EXPECT_TRUE(zip.open(ByteReader(zipFile(members, true))));
}

TEST(DocMetaXmlDates, W3cForms)
{
    const QDateTime local(QDate(2020, 2, 1), QTime(10, 0, 0));
    EXPECT_EQ(DocMetaXml::parseDateTime(u("2020-02-01T10:00:00")), local);
    EXPECT_EQ(DocMetaXml::parseDateTime(u("2020-02-01T10:00")), local);
    EXPECT_EQ(DocMetaXml::parseDateTime(u(" 2020-02-01T10:00:00,5 ")), local);
    EXPECT_EQ(DocMetaXml::parseDateTime(u("2020-02-01")),
              QDateTime(QDate(2020, 2, 1), QTime(0, 0)));
    EXPECT_EQ(DocMetaXml::parseDateTime(u("2020-02-01T10:00:00Z")).toUTC(),
              QDateTime(QDate(2020, 2, 1), QTime(10, 0), QTimeZone::utc()));
    EXPECT_EQ(DocMetaXml::parseDateTime(u("2020-02-01T10:00:00-0130")).toUTC(),
              QDateTime(QDate(2020, 2, 1), QTime(11, 30), QTimeZone::utc()));
    for (const char* bad :
         {"", "gestern", "2020-13-01T00:00:00", "2020-02-30", "2020-02-01T25:00:00"})
        EXPECT_FALSE(DocMetaXml::parseDateTime(QString::fromLatin1(bad)).isValid()) << bad;
}
