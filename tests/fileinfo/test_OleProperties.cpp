// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocFixtures.h"
#include "support/TestText.h"

#include "fileinfo/OfficeDocReader.h"
#include "fileinfo/OleCompoundFile.h"
#include "fileinfo/OlePropertySet.h"

using namespace Fixture;

#include <QTimeZone>

#include <gtest/gtest.h>

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

int filled(const DocPropertyValues& values)
{
    return int(
        std::count_if(values.begin(), values.end(), [](const QString& v) { return !v.isEmpty(); }));
}
} // namespace

TEST(OleProperties, ReadsWhatAnOutsideWriterWrote)
{
    GsfFixture::Meta meta;
    meta.title = u("Quartalszahlen");
    meta.subject = u("Umsatz");
    meta.author = u("Jürgen Groß");
    meta.keywords = u("Zahlen; Bericht");
    meta.comments = u("Entwurf");
    meta.lastAuthor = u("Anna");
    meta.application = u("Textverarbeitung 9");
    meta.category = u("Finanzen");
    meta.company = u("Muster AG");
    meta.created = utc(2020, 2, 1, 10, 0, 0);
    meta.modified = utc(2021, 7, 1, 10, 30, 15);
    const DocPropertyValues v = readBytes(GsfFixture::oleDocument(meta));
    EXPECT_EQ(v[DocTitle], meta.title);
    EXPECT_EQ(v[DocSubject], meta.subject);
    EXPECT_EQ(v[DocAuthor], meta.author);
    EXPECT_EQ(v[DocKeywords], meta.keywords);
    EXPECT_EQ(v[DocComments], meta.comments);
    EXPECT_EQ(v[DocLastAuthor], meta.lastAuthor);
    EXPECT_EQ(v[DocApplication], meta.application);
    EXPECT_EQ(v[DocCategory], meta.category);
    EXPECT_EQ(v[DocCompany], meta.company);
    // Shown in local time: winter and summer time.
    EXPECT_EQ(v[DocCreated], u("01.02.2020 11:00:00"));
    EXPECT_EQ(v[DocLastSaved], u("01.07.2021 12:30:15"));
}

TEST(OleProperties, StringsAreDecodedInTheSectionsCodePage)
{
    struct Case {
        const char* name;
        QList<Property> extra;
        QByteArray stored;
        QString expected;
    };
    const Case cases[] = {
        {"default is 1252", {}, QByteArray("\xC4rger \x80 5"), u("Ärger € 5")},
        // 65001 is stored as a signed 16-bit value and arrives as -535.
        {"utf-8 above 32767", {{1, vtI2(65001)}}, QByteArray("Grüße"), u("Grüße")},
        {"cyrillic 1251", {{1, vtI2(1251)}}, QByteArray("\xCF\xF0\xE8\xE2\xE5\xF2"), u("Привет")},
        {"utf-16 1200", {{1, vtI2(1200)}}, QByteArray("H\0i\0", 4), u("Hi")},
        {"invalid utf-8",
         {{1, vtI2(65001)}},
         QByteArray("a\xFF"
                    "b"),
         QStringLiteral("a\uFFFD"
                        "b")},
    };
    for (const Case& c : cases) {
        QList<Property> props = c.extra;
        props.append({2, vtLpstr(c.stored)});
        const DocPropertyValues v = readBytes(oleFile({{SummaryName, summary(props)}}));
        EXPECT_EQ(v[DocTitle], c.expected) << c.name;
    }
    const DocPropertyValues wide =
        readBytes(oleFile({{SummaryName, summary({{2, vtLpwstr(u("Größe"))}})}}));
    EXPECT_EQ(wide[DocTitle], u("Größe"));
}

TEST(OleProperties, StreamsInRegularSectorsAndVersionFourFiles)
{
    // A summary stream of 4096 bytes or more lives in the file's own sectors.
    QByteArray big = summary({{2, vtLpstr("Gro\xDF")}, {6, vtLpstr(QByteArray(5000, 'k'))}});
    const DocPropertyValues v = readBytes(oleFile({{SummaryName, big}}));
    EXPECT_EQ(v[DocTitle], u("Groß"));
    EXPECT_EQ(v[DocComments].size(), 5000);

    const DocPropertyValues v4 = readBytes(simpleDocument(nullptr, 12));
    EXPECT_EQ(v4[DocTitle], u("Jahresbericht"));
    EXPECT_EQ(v4[DocCompany], u("Beispiel GmbH"));
}

TEST(OleProperties, DamagedTablesGiveNoValuesAndNoHang)
{
    OleLayout layout;
    const QByteArray good = simpleDocument(&layout);
    ASSERT_EQ(readBytes(good)[DocTitle], u("Jahresbericht"));
    const quint32 summaryMini = layout.streamStart[0];

    struct Case {
        const char* name;
        std::function<void(QByteArray&)> damage;
    };
    const Case cases[] = {
        {"directory chain loops",
         [&](QByteArray& b) {
             patch32(b, layout.fatEntryOffset(layout.directorySector), layout.directorySector);
         }},
        {"mini chain loops",
         [&](QByteArray& b) { patch32(b, layout.miniFatEntryOffset(summaryMini), summaryMini); }},
        {"mini chain leaves table",
         [&](QByteArray& b) { patch32(b, layout.miniFatEntryOffset(summaryMini), 0x00FFFFFF); }},
        {"siblings loop",
         [&](QByteArray& b) {
             patch32(b, layout.entryOffset(1) + 0x48, 1);
             patch32(b, layout.entryOffset(1) + 0x44, 1);
             patch32(b, layout.entryOffset(1), 0x58);
         }},
        {"directory start past end", [&](QByteArray& b) { patch32(b, 0x30, 0x7FFFFFF0); }},
        {"fat sector past end", [&](QByteArray& b) { patch32(b, 0x4C, 0x10000); }},
        {"fat count of gigabytes", [&](QByteArray& b) { patch32(b, 0x2C, 0xFFFFFFF0); }},
        {"stream larger than its chain",
         [&](QByteArray& b) { patch32(b, layout.entryOffset(1) + 0x78, 3000); }},
        {"stream size of gigabytes",
         [&](QByteArray& b) { patch32(b, layout.entryOffset(1) + 0x78, 0xFFFFFFF0); }},
        {"cut in half", [&](QByteArray& b) { b.truncate(b.size() / 2); }},
        {"header only", [&](QByteArray& b) { b.truncate(512); }},
        {"signature only", [&](QByteArray& b) { b.truncate(8); }},
        {"bad sector shift", [&](QByteArray& b) { b[0x1E] = 30; }},
    };
    for (const Case& c : cases) {
        QByteArray bytes = good;
        c.damage(bytes);
        const DocPropertyValues v = readBytes(bytes);
        // The title sits in the stream each case damages (or in no readable file at all).
        EXPECT_TRUE(v[DocTitle].isEmpty()) << c.name;
    }
}

TEST(OleProperties, DamageInOneStreamLeavesTheOtherReadable)
{
    OleLayout layout;
    QByteArray bytes = simpleDocument(&layout);
    patch32(bytes, layout.miniFatEntryOffset(layout.streamStart[0]), layout.streamStart[0]);
    const DocPropertyValues v = readBytes(bytes);
    EXPECT_TRUE(v[DocTitle].isEmpty());
    EXPECT_EQ(v[DocCompany], u("Beispiel GmbH"));
}

TEST(OleProperties, DamagedPropertySections)
{
    const QByteArray good = summary({{2, vtLpstr("Titel")}, {4, vtLpstr("Autor")}});
    OlePropertySet set;
    ASSERT_TRUE(set.read(ByteReader(good), OlePropertySet::SummaryInformation()));
    EXPECT_EQ(set.value(2).toString(), u("Titel"));
    EXPECT_FALSE(set.read(ByteReader(good), OlePropertySet::DocumentSummaryInformation()));

    // The section starts at 48; its index at 56 (title) and 64 (author).
    struct Case {
        const char* name;
        quint64 offset;
        quint32 value;
        bool titleSurvives;
    };
    const Case cases[] = {
        {"section offset past end", 44, 0xFFFFFF00, false},
        {"property count of billions", 52, 0xFFFFFFFF, true},
        {"title offset past section", 60, 0x7FFFFFFF, false},
        {"title length past section", 48 + 24 + 4, 0xFFFFFFF0, false},
        {"section size past stream", 48, 0xFFFFFFFF, true},
    };
    for (const Case& c : cases) {
        QByteArray bytes = good;
        patch32(bytes, c.offset, c.value);
        OlePropertySet damaged;
        damaged.read(ByteReader(bytes), OlePropertySet::SummaryInformation());
        EXPECT_EQ(damaged.value(2).toString() == u("Titel"), c.titleSurvives) << c.name;
    }
    EXPECT_FALSE(set.read(ByteReader(good.left(30)), OlePropertySet::SummaryInformation()));
}

TEST(OleProperties, FileTimesAndMissingValues)
{
    const QByteArray bytes =
        oleFile({{SummaryName, summary({{12, vtFiletime(utc(1999, 12, 31, 23, 59, 59))},
                                        {13, vtFiletime(QDateTime::fromSecsSinceEpoch(
                                                 -11644473600LL, QTimeZone::utc()))}})}});
    const DocPropertyValues v = readBytes(bytes);
    EXPECT_EQ(v[DocCreated], u("01.01.2000 00:59:59"));
    // A zero file time means "never"; it is no date to show.
    EXPECT_TRUE(v[DocLastSaved].isEmpty());
    EXPECT_EQ(filled(v), 1);
}

TEST(OleProperties, StreamsOnlyDirectlyBelowTheRoot)
{
    OleCompoundFile file;
    const QByteArray bytes = simpleDocument();
    ASSERT_TRUE(file.open(ByteReader(bytes)));
    EXPECT_TRUE(file.rootStream(SummaryName.toLower(), 1 << 20).has_value());
    EXPECT_FALSE(file.rootStream(u("Root Entry"), 1 << 20).has_value());
    EXPECT_FALSE(file.rootStream(SummaryName, 10).has_value()) << "larger than allowed";
    EXPECT_FALSE(file.open(ByteReader(QByteArray("PK\3\4not ole"))));
}
