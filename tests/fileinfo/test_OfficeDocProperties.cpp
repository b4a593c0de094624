// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/DocFixtures.h"
#include "support/TestText.h"

#include "core/cuAppError.h"
#include "fileinfo/OfficeDocProperties.h"
#include "fileinfo/OlePropertySet.h"
#include "support/Raised.h"
#include "support/TempDir.h"

#include <QTimeZone>

#include <gtest/gtest.h>

using namespace Fixture;

namespace {
const QString SummaryName = u("\x05") + u("SummaryInformation");

// Every property of the summary set, but no company and no category.
QByteArray nineValueDocument()
{
    const QDateTime when(QDate(2022, 3, 4), QTime(5, 6, 7), QTimeZone::utc());
    return oleFile({{SummaryName, propertySet(OlePropertySet::SummaryInformation(),
                                              {{2, vtLpstr("Titel")},
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

    const QString missing = dir.filePath(u("fehlt.doc"));
    props.setFilename(missing);
    const AppErrorRecord noFile = Raised([&] { props.GetProperties(values); });
    EXPECT_EQ(noFile.Number, cuAppError::ErrorBase - OfficeDocProperties::FileMissing);
    EXPECT_EQ(noFile.Description, u("Die Datei '%1' ist nicht vorhanden.").arg(missing));

    // A folder is no document, even with a document's name.
    props.setFilename(dir.makeDir(u("ordner.doc")));
    EXPECT_EQ(Raised([&] { props.GetProperties(values); }).Number,
              cuAppError::ErrorBase - OfficeDocProperties::FileMissing);
}

TEST_F(OfficeDocPropertiesTest, NamesAndTheirIndexes)
{
    EXPECT_EQ(props.Translate(0, true), u("Anwendung"));
    EXPECT_EQ(props.Translate(8, true), u("Bearbeitet"));
    EXPECT_EQ(props.Translate(5, false), u("Creation date"));
    EXPECT_EQ(props.Translate(10, false), u("Title"));
    for (const qint32 index : {11, -1}) {
        const AppErrorRecord e = Raised([&] { props.Translate(index, true); });
        EXPECT_EQ(e.Number, cuAppError::ErrorBase - OfficeDocProperties::NoSuchIndex);
        EXPECT_EQ(e.Description,
                  u("Es gibt keine Eigenschaft mit dem Aufzählungsindex '%1'.").arg(index));
        EXPECT_EQ(e.Source, u("OfficeDocProperties: Translate"));
    }
}

TEST_F(OfficeDocPropertiesTest, ExtensionTable)
{
    EXPECT_EQ(OfficeDocProperties::SupportedExtensions().mid(0, 5),
              (QStringList{"doc", "dot", "xls", "ppt", "pot"}));
    EXPECT_TRUE(OfficeDocProperties::SupportedExtensions().contains(u("odp")));
    EXPECT_EQ(OfficeDocProperties::ApplicationFor(u("a.b.PPTX")),
              OfficeDocProperties::AppPowerPoint);
    EXPECT_EQ(OfficeDocProperties::ApplicationFor(u("doc")), OfficeDocProperties::AppNone);
    EXPECT_EQ(OfficeDocProperties::ApplicationFor(u("x.docm")), OfficeDocProperties::AppNone);
    EXPECT_TRUE(props.AppIsAvailable(OfficeDocProperties::AppExcel));
    EXPECT_FALSE(props.AppIsAvailable(4));
}
