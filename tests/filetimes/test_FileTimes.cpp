// SPDX-License-Identifier: GPL-3.0-or-later
#include "filetimes/DateInput.h"
#include "filetimes/frmDatePicker.h"
#include "filetimes/pDateTime.h"
#include "platform/FileTimes.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardItemModel>
#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr FileTimes::Stamp kAccess{1600000000, 123456789};
const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);

void useZone(const QByteArray& zone)
{
    qputenv("TZ", zone);
    tzset();
}

struct ScopedTimeZone {
    explicit ScopedTimeZone(const char* zone) { useZone(zone); }
    ~ScopedTimeZone() { useZone(previous); }
    QByteArray previous = qgetenv("TZ");
};
} // namespace

TEST(FileTimesSetting, EachDateTakesTheOffsetOfItsOwnDay)
{
    const struct {
        const char* zone;
        QLocale locale;
        const char* text; // empty: reset the time `before`
        qint64 before;
        qint64 utc;
    } cases[] = {
        {"Europe/Berlin", kGerman, "15.07.2024 12:00", 0, 1721037600},
        {"Europe/Berlin", kEnglish, "1/15/2024 12:00:00", 0, 1705316400},
        {"America/Sao_Paulo", kGerman, "15.01.2018 12:00", 0, 1516024800},
        {"America/Sao_Paulo", kEnglish, "7/15/2018 12:00", 0, 1531666800},
        // The clock jumps from 02:00 to 03:00: as if it had not, 03:30 summer time.
        {"Europe/Berlin", kGerman, "26.03.2023 02:30", 0, 1679794200},
        // 02:30 happens twice: the first time, still summer time.
        {"Europe/Berlin", kGerman, "29.10.2023 02:30", 0, 1698539400},
        {"Europe/Berlin", kGerman, "01.01.1965 12:00", 0, -157726800},
        // 15.07.2024 23:59:59 summer time back to that day's midnight.
        {"Europe/Berlin", kGerman, "", 1721080799, 1720994400},
        // 04.11.2018 15:00: that day's clock went from 23:59:59 straight to 01:00.
        {"America/Sao_Paulo", kGerman, "", 1541350800, 1541300400},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const ScopedTimeZone zone(c.zone);
        const QString file = dir.writeFile(u("f.txt"), "x");
        FileTimes::write(file, kAccess, FileTimes::Stamp{c.before, 5});
        pDateTime times;
        times.SetAction(*c.text ? pDateTime::SetDate : pDateTime::ResetTime);
        times.Files() << file;
        const auto date = DateInput::Parse(u(c.text), c.locale);
        ASSERT_EQ(times.Run(date.value_or(QDateTime())), 1) << c.text;
        EXPECT_EQ(FileTimes::read(file, FileTimes::Modification), (FileTimes::Stamp{c.utc, 0}))
            << c.text;
        // The time not asked for keeps its nanoseconds.
        EXPECT_EQ(FileTimes::read(file, FileTimes::Access), kAccess) << c.text;
    }
}

TEST(FileTimesSetting, AllSetsBothTimesInOneCallAndTheBirthTimeStays)
{
    const ScopedTimeZone zone("Europe/Berlin");
    TempDir dir;
    const QString file = dir.writeFile(u("a.txt"), "x");
    const auto birth = FileTimes::read(file, FileTimes::Birth);
    // 27.12.2021 and 24.12.2021, 18:30:15 each.
    FileTimes::write(file, FileTimes::Stamp{1640626215, 7}, FileTimes::Stamp{1640367015, 9});
    pDateTime times;
    times.SetAction(pDateTime::ResetTime);
    times.SetMode(7); // any value above 2
    times.Files() << file;
    ASSERT_EQ(times.Run(QDateTime()), 1);
    EXPECT_EQ(FileTimes::read(file, FileTimes::Access), (FileTimes::Stamp{1640559600, 0}));
    EXPECT_EQ(FileTimes::read(file, FileTimes::Modification), (FileTimes::Stamp{1640300400, 0}));
    EXPECT_EQ(FileTimes::read(file, FileTimes::Birth), birth);

    times.SetAction(pDateTime::SetDate);
    times.SetMode(pDateTime::Creation);
    times.Files() << dir.makeDir(u("ordner"));
    EXPECT_EQ(times.Run(QDateTime(QDate(2001, 1, 1), QTime(1, 0))), 0);
    EXPECT_EQ(FileTimes::read(file, FileTimes::Modification), (FileTimes::Stamp{1640300400, 0}));
    ASSERT_EQ(times.Unchanged().size(), 2);
    EXPECT_EQ(times.Unchanged().first().reason, pDateTime::BirthTimeNotSettable());

    times.SetMode(pDateTime::LastWrite); // a folder is the folder command's
    EXPECT_EQ(times.Run(QDateTime(QDate(2001, 1, 1), QTime(1, 0))), 1);
    EXPECT_EQ(times.Unchanged().first().reason, u("Ist ein Ordner."));
}

TEST(DateInput, TheLocalesDateWithOptionalTimeAndNothingElse)
{
    const struct {
        QLocale locale;
        const char* text;
        std::optional<QDateTime> expected; // none: refused; an invalid one: now
    } cases[] = {
        {kGerman, " 6.12.26 ", QDateTime(QDate(2026, 12, 6), QTime(0, 0))},
        {kGerman, "1.1.30 7:05", QDateTime(QDate(1930, 1, 1), QTime(7, 5))},
        {kGerman, "31.12.29 23:59:59", QDateTime(QDate(2029, 12, 31), QTime(23, 59, 59))},
        {kGerman, "00:00:00", QDateTime()},
        {kGerman, "31.02.2024", {}},
        {kGerman, "12:30", {}},
        {kGerman, "06.12.2026 24:00", {}},
        {kGerman, "06.12.126", {}},
        {kEnglish, "06.12.2026", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DateInput::Parse(u(c.text), c.locale), c.expected) << c.text;
    // The text the field starts with names that day, not one in 1926.
    for (const QLocale& locale : {kGerman, kEnglish}) {
        const QString text = DateInput::Midnight(QDate(2026, 12, 6), locale);
        EXPECT_EQ(DateInput::Parse(text, locale)->date(), QDate(2026, 12, 6)) << text.toStdString();
    }
    EXPECT_EQ(DateInput::Midnight(QDate(2026, 12, 6), kGerman), u("06.12.2026 00:00:00"));
}

TEST(DatePicker, TheOptionsSwitchTheFieldOkRefusesWhatIsNoDateCancelSetsChkCancel)
{
    const ScriptedMessageBox boxes;
    frmDatePicker picker;
    picker.show();
    const auto background = [&] { return picker.txtDate->palette().color(QPalette::Base); };
    EXPECT_EQ(picker.cmbEditMode->currentText(), u("Änderungsdatum"));
    EXPECT_FALSE(picker.optAction[0]->isChecked() || picker.optAction[1]->isChecked());
    QTest::mouseClick(picker.optAction[1], Qt::LeftButton);
    EXPECT_FALSE(picker.txtDate->isEnabled());
    EXPECT_EQ(picker.txtDate->text(), QString());
    EXPECT_EQ(background(), picker.palette().color(QPalette::Window));
    QTest::mouseClick(picker.optAction[0], Qt::LeftButton);
    EXPECT_TRUE(picker.txtDate->isEnabled());
    EXPECT_EQ(picker.txtDate->text(), DateInput::Midnight(QDate::currentDate(), QLocale()));
    EXPECT_EQ(background(), QColor(Qt::white));

    const auto* birth = qobject_cast<QStandardItemModel*>(picker.cmbEditMode->model())->item(0);
    EXPECT_EQ(birth->toolTip(), pDateTime::BirthTimeNotSettable());
    picker.cmbEditMode->setCurrentIndex(1);
    QTest::keyClick(picker.cmbEditMode, Qt::Key_Up);
    picker.cmbEditMode->setCurrentIndex(0);
    EXPECT_EQ(picker.cmbEditMode->currentIndex(), 1);
    picker.cmbEditMode->setCurrentIndex(3);
    EXPECT_EQ(picker.findChild<QLabel*>(u("lblBirthNote"))->text(),
              u("Das Erstellungsdatum bleibt unverändert."));

    picker.txtDate->setText(u("31.02.2024"));
    QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
    EXPECT_EQ(boxes.lastText(), u("'31.02.2024' ist kein gültiges Datum."));
    EXPECT_TRUE(picker.isVisible());
    picker.txtDate->setText(u("24.12.2021 18:30"));
    QTest::mouseClick(picker.cmdOK, Qt::LeftButton);
    EXPECT_EQ(picker.chkCancel, 0);
    picker.show();
    QTest::mouseClick(picker.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(picker.chkCancel, 1);
    EXPECT_FALSE(picker.isVisible());
}
