// SPDX-License-Identifier: GPL-3.0-or-later
// Zip-based documents: Office Open XML packages and OpenDocument files.
#include "support/DocFixtures.h"

#include "fileinfo/DocMetaXml.h"
#include "fileinfo/OfficeDocReader.h"
#include "fileinfo/ZipArchive.h"

using namespace Fixture;

#include <QTimeZone>

#include <gtest/gtest.h>

namespace {
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
<Relationship Id="rId3"
 Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties"
 Target="docProps/app.xml"/>
<Relationship Id="rId2"
 Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties"
 Target="docProps/core.xml"/>
<Relationship Id="rId1"
 Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument"
 Target="word/document.xml"/>
</Relationships>)";

const QByteArray MetaXml = R"(<?xml version="1.0" encoding="UTF-8"?>
<office:document-meta xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:meta="urn:oasis:names:tc:opendocument:xmlns:meta:1.0"
 xmlns:dc="http://purl.org/dc/elements/1.1/" office:version="1.3">
<office:meta><meta:initial-creator>Erika</meta:initial-creator><dc:creator>Max</dc:creator>
<meta:creation-date>2020-02-01T10:00:00.123456789</meta:creation-date
><dc:date>2021-07-01T10:30:15+02:00</dc:date>
<meta:generator>LibreOffice/7.4.5.1$Linux_X86_64 LibreOffice_project/40</meta:generator>
<dc:title>Protokoll</dc:title><dc:description>Sitzung</dc:description
><dc:subject>Verein</dc:subject>
<meta:keyword>Sitzung</meta:keyword><meta:keyword>2021</meta:keyword>
<meta:document-statistic meta:page-count="1"/></office:meta></office:document-meta>)";

DocPropertyValues readBytes(const QByteArray& bytes)
{
    return OfficeDocReader::read(ByteReader(bytes));
}

QList<ZipMember> ooxmlMembers()
{
    return {{"[Content_Types].xml", "<Types/>"},
            {"_rels/.rels", Rels},
            {"docProps/core.xml", CoreXml},
            {"docProps/app.xml", AppXml},
            {"word/document.xml", "<w:document/>"}};
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

TEST(ZipDocuments, OfficeOpenXmlPackages)
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
}

TEST(ZipDocuments, RelationshipsNameThePropertyParts)
{
    QByteArray rels = Rels;
    rels.replace("Target=\"docProps/core.xml\"", "Target=\"/meta/Kern.xml\"");
    const DocPropertyValues v =
        readBytes(zipFile({{"_rels/.rels", rels},
                           {"META/kern.XML", CoreXml},
                           {"docProps/core.xml", "<x><title>falsch</title></x>"}}));
    EXPECT_EQ(v[DocTitle], QStringLiteral("Angebot & Preise"));
    // Without relationships the usual places are read.
    EXPECT_EQ(readBytes(zipFile({{"docProps/core.xml", CoreXml}}))[DocTitle],
              QStringLiteral("Angebot & Preise"));
}

TEST(ZipDocuments, OpenDocumentMeta)
{
    const DocPropertyValues v = readBytes(zipFile(
        {{"mimetype", "application/vnd.oasis.opendocument.text", false}, {"meta.xml", MetaXml}}));
    EXPECT_EQ(v, kOdfValues);
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
        EXPECT_EQ(v[DocCompany], QStringLiteral("Muster AG"));
    }
    DocPropertyValues values;
    EXPECT_FALSE(DocMetaXml::readOoxmlCore(QByteArray("<a><title>x</title>"), values));
    EXPECT_TRUE(values[DocTitle].isEmpty()) << "a part that is cut short adds nothing";
}

TEST(ZipDocuments, MembersThatLieAreNotRead)
{
    struct Case {
        const char* name;
        ZipMember core;
    };
    const Case cases[] = {
        {"local name differs", {"docProps/core.xml", CoreXml, true, "docProps/other.xml"}},
        {"declared size too small", {"docProps/core.xml", CoreXml, true, {}, 100}},
        {"declared size too large", {"docProps/core.xml", CoreXml, true, {}, CoreXml.size() + 10}},
        {"stored size differs", {"docProps/core.xml", CoreXml, false, {}, 100}},
        {"checksum wrong", {"docProps/core.xml", CoreXml, true, {}, -1, 0, true}},
        {"encrypted", {"docProps/core.xml", CoreXml, true, {}, -1, 1}},
    };
    for (const Case& c : cases) {
        const DocPropertyValues v = readBytes(zipFile({c.core, {"docProps/app.xml", AppXml}}));
        EXPECT_TRUE(v[DocTitle].isEmpty()) << c.name;
        EXPECT_EQ(v[DocCompany], QStringLiteral("Muster AG")) << c.name;
    }
}

TEST(ZipDocuments, InflateStopsAtTheCap)
{
    // 16 MB of zeros packs into some 16 KB; the directory says 1 KB.
    const QByteArray zeros(16 * 1024 * 1024, '\0');
    const QByteArray bomb = zipFile({{"meta.xml", zeros, true, {}, 1024}});
    ZipArchive zip;
    ASSERT_TRUE(zip.open(ByteReader(bomb)));
    EXPECT_FALSE(zip.read(QStringLiteral("meta.xml"), 1 << 20).has_value());

    // Declared honestly, it is larger than the caller allows and is not unpacked.
    const QByteArray honest = zipFile({{"meta.xml", zeros}});
    ASSERT_TRUE(zip.open(ByteReader(honest)));
    EXPECT_FALSE(zip.read(QStringLiteral("meta.xml"), 1 << 20).has_value());
    EXPECT_EQ(zip.read(QStringLiteral("meta.xml"), zeros.size())->size(), zeros.size());
}

TEST(ZipDocuments, DamagedDirectories)
{
    const QByteArray good = zipFile(ooxmlMembers());
    ZipArchive zip;
    ASSERT_TRUE(zip.open(ByteReader(good)));
    EXPECT_EQ(zip.entryCount(), 5);
    const qsizetype end = good.size() - 22;

    struct Case {
        const char* name;
        std::function<void(QByteArray&)> damage;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        QByteArray bytes = good;
        c.damage(bytes);
        const DocPropertyValues v = readBytes(bytes);
        EXPECT_TRUE(std::all_of(v.begin(), v.end(), [](const QString& s) { return s.isEmpty(); }))
            << c.name;
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
    EXPECT_EQ(DocMetaXml::parseDateTime(QStringLiteral("2020-02-01T10:00:00")), local);
    EXPECT_EQ(DocMetaXml::parseDateTime(QStringLiteral("2020-02-01T10:00")), local);
    EXPECT_EQ(DocMetaXml::parseDateTime(QStringLiteral(" 2020-02-01T10:00:00,5 ")), local);
    EXPECT_EQ(DocMetaXml::parseDateTime(QStringLiteral("2020-02-01")),
              QDateTime(QDate(2020, 2, 1), QTime(0, 0)));
    EXPECT_EQ(DocMetaXml::parseDateTime(QStringLiteral("2020-02-01T10:00:00Z")).toUTC(),
              QDateTime(QDate(2020, 2, 1), QTime(10, 0), QTimeZone::utc()));
    EXPECT_EQ(DocMetaXml::parseDateTime(QStringLiteral("2020-02-01T10:00:00-0130")).toUTC(),
              QDateTime(QDate(2020, 2, 1), QTime(11, 30), QTimeZone::utc()));
    for (const char* bad :
         {"", "gestern", "2020-13-01T00:00:00", "2020-02-30", "2020-02-01T25:00:00"})
        EXPECT_FALSE(DocMetaXml::parseDateTime(QString::fromLatin1(bad)).isValid()) << bad;
}
