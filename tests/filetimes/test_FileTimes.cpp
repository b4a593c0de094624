// SPDX-License-Identifier: GPL-3.0-or-later
// Setting file times: typed dates as the local wall clock of their own day,
// resets to midnight, and which files are left alone. Times are read back
// with statx.
#include "TimeZone.h"
#include "filetimes/DateInput.h"
#include "filetimes/pDateTime.h"
#include "platform/FileNameCodec.h"
#include "platform/FileTimes.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>

#include <gtest/gtest.h>

#include <unistd.h>

namespace {
constexpr FileTimes::Stamp kAccess{1600000000, 123456789};

qint64 modified(const QString& path)
{
    return FileTimes::read(path, FileTimes::Modification)
        .value_or(FileTimes::Stamp{-1, -1})
        .seconds;
}

// Sets the last write time of a fresh file from a typed text; the seconds
// stored, or -1 when the text was refused or nothing changed.
qint64 setFromText(const TempDir& dir, const QString& text, const QLocale& locale)
{
    const QString file = dir.writeFile(u("f.txt"), "x");
    FileTimes::write(file, FileTimes::Access, kAccess);
    const auto date = DateInput::Parse(text, locale);
    if (!date)
        return -1;
    pDateTime times;
    times.SetAction(pDateTime::SetDate);
    times.SetMode(pDateTime::LastWrite);
    times.Files() << file;
    if (times.Run(*date) != 1)
        return -1;
    // The time not asked for keeps its nanoseconds.
    EXPECT_EQ(FileTimes::read(file, FileTimes::Access), kAccess);
    EXPECT_EQ(FileTimes::read(file, FileTimes::Modification)->nanoseconds, 0);
    return modified(file);
}

qint64 resetFrom(const TempDir& dir, qint64 seconds)
{
    const QString file = dir.writeFile(u("r.txt"), "x");
    FileTimes::write(file, FileTimes::Modification, {seconds, 5});
    pDateTime times;
    times.SetAction(pDateTime::ResetTime);
    times.Files() << file;
    EXPECT_EQ(times.Run(QDateTime()), 1);
    return modified(file);
}

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
} // namespace

TEST(FileTimesSetting, EachDateTakesTheOffsetOfItsOwnDay)
{
    const struct {
        const char* zone;
        QLocale locale;
        const char* text;
        qint64 utc;
    } cases[] = {
        {"Europe/Berlin", kGerman, "15.07.2024 12:00", 1721037600},
        {"Europe/Berlin", kGerman, "15.01.2024 12:00", 1705316400},
        {"Europe/Berlin", kEnglish, "7/15/2024 12:00", 1721037600},
        {"Europe/Berlin", kEnglish, "1/15/2024 12:00:00", 1705316400},
        {"America/Sao_Paulo", kGerman, "15.07.2018 12:00", 1531666800},
        {"America/Sao_Paulo", kGerman, "15.01.2018 12:00", 1516024800},
        {"America/Sao_Paulo", kEnglish, "7/15/2018 12:00", 1531666800},
        {"America/Sao_Paulo", kEnglish, "1/15/2018 12:00", 1516024800},
        // The clock jumps from 02:00 to 03:00: as if it had not, 03:30 summer time.
        {"Europe/Berlin", kGerman, "26.03.2023 02:30", 1679794200},
        // 02:30 happens twice: the first time, still summer time.
        {"Europe/Berlin", kGerman, "29.10.2023 02:30", 1698539400},
        {"Europe/Berlin", kGerman, "01.01.1965 12:00", -157726800},
    };
    TempDir dir;
    for (const auto& c : cases) {
        const ScopedTimeZone zone(c.zone);
        EXPECT_EQ(setFromText(dir, u(c.text), c.locale), c.utc) << c.zone << " " << c.text;
    }
}

TEST(FileTimesSetting, ResetGivesTheFirstMomentOfTheSameLocalDay)
{
    TempDir dir;
    {
        const ScopedTimeZone zone("Europe/Berlin");
        // 15.07.2024 23:59:59 summer time.
        EXPECT_EQ(resetFrom(dir, 1721080799), 1720994400);
    }
    const ScopedTimeZone zone("America/Sao_Paulo");
    // 04.11.2018 15:00: that day's clock went from 23:59:59 straight to 01:00.
    EXPECT_EQ(resetFrom(dir, 1541350800), 1541300400);
}

TEST(FileTimesSetting, AllSetsBothTimesInOneCallAndTheBirthTimeStays)
{
    const ScopedTimeZone zone("Europe/Berlin");
    TempDir dir;
    const QString file = dir.writeFile(u("a.txt"), "x");
    const auto birth = FileTimes::read(file, FileTimes::Birth);
    FileTimes::write(file, FileTimes::Access, {1640626215, 7});       // 27.12.2021 18:30:15
    FileTimes::write(file, FileTimes::Modification, {1640367015, 9}); // 24.12.2021 18:30:15

    pDateTime times;
    times.SetAction(pDateTime::ResetTime);
    times.SetMode(pDateTime::All);
    times.Files() << file;
    ASSERT_EQ(times.Run(QDateTime()), 1);
    EXPECT_EQ(FileTimes::read(file, FileTimes::Access), (FileTimes::Stamp{1640559600, 0}));
    EXPECT_EQ(FileTimes::read(file, FileTimes::Modification), (FileTimes::Stamp{1640300400, 0}));

    times.SetAction(pDateTime::SetDate);
    times.SetMode(7); // any value above 2
    ASSERT_EQ(times.Run(QDateTime(QDate(2024, 7, 15), QTime(12, 0), Qt::LocalTime)), 1);
    EXPECT_EQ(modified(file), 1721037600);
    EXPECT_EQ(FileTimes::read(file, FileTimes::Access)->seconds, 1721037600);
    EXPECT_EQ(FileTimes::read(file, FileTimes::Birth), birth);

    // The birth time alone: nothing changes, nothing counts.
    times.SetMode(pDateTime::Creation);
    EXPECT_EQ(times.Run(QDateTime(QDate(2001, 1, 1), QTime(1, 0), Qt::LocalTime)), 0);
    EXPECT_EQ(modified(file), 1721037600);
    EXPECT_EQ(FileTimes::read(file, FileTimes::Birth), birth);
    ASSERT_EQ(times.Unchanged().size(), 1);
    EXPECT_EQ(times.Unchanged().first().reason, pDateTime::BirthTimeNotSettable());
}

TEST(FileTimesSetting, NoDateMeansNowInWholeSeconds)
{
    TempDir dir;
    const QString file = dir.writeFile(u("n.txt"), "x");
    FileTimes::write(file, FileTimes::Modification, {1000, 1});
    const auto now = DateInput::Parse(u("00:00:00"), kGerman);
    ASSERT_TRUE(now);
    pDateTime times;
    times.Files() << file;
    const qint64 before = QDateTime::currentSecsSinceEpoch();
    ASSERT_EQ(times.Run(*now), 1);
    EXPECT_GE(modified(file), before);
    EXPECT_LE(modified(file), QDateTime::currentSecsSinceEpoch());
}

TEST(FileTimesSetting, OnlyTheFilesThatCanBeChangedAreChangedAndCounted)
{
    TempDir dir;
    const QString first = dir.writeFile(u("eins.txt"), "1");
    const QString second = dir.writeFile(u("zwei.txt"), "2");
    const QString link = dir.filePath(u("verweis"));
    ASSERT_EQ(::symlink(EncodeFileName(second).constData(), EncodeFileName(link).constData()), 0);
    const QString dangling = dir.filePath(u("ins-leere"));
    ASSERT_EQ(::symlink("fehlt", EncodeFileName(dangling).constData()), 0);
    const QString missing = dir.filePath(u("fehlt.txt"));
    const QString folder = dir.makeDir(u("ordner"));
    const qint64 folderTime = modified(folder);

    pDateTime times;
    times.Files() << missing << first << dangling << folder << link;
    EXPECT_EQ(times.Run(QDateTime(QDate(2020, 5, 6), QTime(7, 8, 9), Qt::LocalTime)), 2);
    const qint64 wanted =
        QDateTime(QDate(2020, 5, 6), QTime(7, 8, 9), Qt::LocalTime).toSecsSinceEpoch();
    EXPECT_EQ(modified(first), wanted);
    EXPECT_EQ(modified(second), wanted); // through the link, as touch does
    EXPECT_EQ(modified(folder), folderTime);
    QStringList skipped;
    for (const pDateTime::Skipped& s : times.Unchanged())
        skipped << s.path.mid(dir.path().size()) + u(": ") + s.reason;
    EXPECT_EQ(skipped, (QStringList{u("fehlt.txt: Datei oder Ordner nicht vorhanden."),
                                    u("ins-leere: Datei oder Ordner nicht vorhanden."),
                                    u("ordner/: Ist ein Ordner.")}));
}

TEST(DateInput, TheLocalesDateWithOptionalTime)
{
    const QDateTime now;
    const struct {
        QLocale locale;
        const char* text;
        std::optional<QDateTime> expected;
    } cases[] = {
        {kGerman, "06.12.2026 00:00:00", QDateTime(QDate(2026, 12, 6), QTime(0, 0))},
        {kGerman, " 6.12.26 ", QDateTime(QDate(2026, 12, 6), QTime(0, 0))},
        {kGerman, "1.1.30 7:05", QDateTime(QDate(1930, 1, 1), QTime(7, 5))},
        {kGerman, "31.12.29 23:59:59", QDateTime(QDate(2029, 12, 31), QTime(23, 59, 59))},
        {kGerman, "29.02.2024 12:30", QDateTime(QDate(2024, 2, 29), QTime(12, 30))},
        {kGerman, "00:00:00", now},
        {kEnglish, "12/6/2026 00:00:00", QDateTime(QDate(2026, 12, 6), QTime(0, 0))},
        {kEnglish, "00:00", now},
        {kGerman, "31.02.2024", std::nullopt},
        {kGerman, "12:30", std::nullopt},
        {kGerman, "", std::nullopt},
        {kGerman, "06.12.2026 24:00", std::nullopt},
        {kGerman, "06.12.2026 12", std::nullopt},
        {kGerman, "06.12.126", std::nullopt},
        {kGerman, "2026-12-06", std::nullopt},
        {kGerman, "heute", std::nullopt},
        {kEnglish, "06.12.2026", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = DateInput::Parse(u(c.text), c.locale);
        ASSERT_EQ(parsed.has_value(), c.expected.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->date(), c.expected->date()) << c.text;
            EXPECT_EQ(parsed->time(), c.expected->time()) << c.text;
        }
    }
}

TEST(DateInput, TheDefaultTextIsThatDayWithAFourDigitYear)
{
    for (const QLocale& locale : {kGerman, kEnglish}) {
        const QString text = DateInput::Midnight(QDate(2026, 12, 6), locale);
        const auto parsed = DateInput::Parse(text, locale);
        ASSERT_TRUE(parsed) << text.toStdString();
        EXPECT_EQ(parsed->date(), QDate(2026, 12, 6));
        EXPECT_EQ(parsed->time(), QTime(0, 0));
    }
    EXPECT_EQ(DateInput::Midnight(QDate(2026, 12, 6), kGerman), u("06.12.2026 00:00:00"));
    EXPECT_EQ(DateInput::Midnight(QDate(2026, 12, 6), kEnglish), u("12/6/2026 00:00:00"));
}
