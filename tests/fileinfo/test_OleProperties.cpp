// SPDX-License-Identifier: GPL-3.0-or-later
// OLE2 documents: their property sets, and the reader of a document's file.
#include "support/DocFixtures.h"
#include "support/Raised.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include "core/cuAppError.h"
#include "fileinfo/OfficeDocProperties.h"
#include "fileinfo/OfficeDocReader.h"
#include "fileinfo/OleCompoundFile.h"
#include "fileinfo/OlePropertySet.h"

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

// Every property of the summary set, but no company and no category.
QByteArray nineValueDocument()
{
    const QDateTime when = utc(2022, 3, 4, 5, 6, 7);
    return oleFile({{SummaryName, summary({{2, vtLpstr("Titel")},
                                           {3, vtLpstr("Thema")},
                                           {4, vtLpstr("Autor")},
                                           {5, vtLpstr("Schlagwort")},
                                           {6, vtLpstr("Kommentar")},
                                           {8, vtLpstr("Bearbeiter")},
                                           {12, vtFiletime(when)},
                                           {13, vtFiletime(when)},
                                           {18, vtLpstr("Anwendung")}})}});
}
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
        {"invalid utf-8", {{1, vtI2(65001)}}, QByteArray("a\xFF", 2) + 'b', u("a\uFFFDb")},
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
    // A zero file time means "never"; it is no date to show.
    DocPropertyValues expected;
    expected[DocCreated] = u("01.01.2000 00:59:59");
    EXPECT_EQ(readBytes(bytes), expected);
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

class OfficeDocPropertiesTest : public ::testing::Test {
protected:
    TempDir dir;
    OfficeDocProperties props;
    QStringList values;
};

TEST_F(OfficeDocPropertiesTest, ReadsTheFileWhateverTheCaseOfItsExtension)
{
    props.setFilename(dir.writeFile(u("report.DOC"), nineValueDocument()));
    EXPECT_EQ(props.GetProperties(values), 9);
    ASSERT_EQ(values.size(), 11);
    EXPECT_EQ(values[10], u("Titel"));
    EXPECT_EQ(values[0], u("Anwendung"));
    EXPECT_EQ(values[5], u("04.03.2022 06:06:07"));
    EXPECT_TRUE(values[2].isEmpty());
    EXPECT_TRUE(values[4].isEmpty());
}

TEST_F(OfficeDocPropertiesTest, QuotedNamesAndContentOverExtension)
{
    // A package saved under an old extension is still read by what it holds.
    const QString path = dir.writeFile(
        u("alt name.xls"), zipFile({{"meta.xml", "<d><m><title>Tabelle</title></m></d>"}}));
    props.setFilename(u("  \"") + path + u("\" "));
    EXPECT_EQ(props.GetProperties(values), 1);
    EXPECT_EQ(values[10], u("Tabelle"));
}

TEST_F(OfficeDocPropertiesTest, UnsupportedAndDamagedFilesGiveNothing)
{
    for (const auto& [name, bytes] : {std::pair{"notiz.txt", nineValueDocument()},
                                      std::pair{"kaputt.docx", QByteArray("PK\3\4 gar nichts")},
                                      std::pair{"leer.ppt", QByteArray()},
                                      std::pair{"halb.doc", nineValueDocument().left(700)}}) {
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
