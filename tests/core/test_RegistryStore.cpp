// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppSettings.h"
#include "core/Registry.h"
#include "core/RegistryValues.h"

#include <gtest/gtest.h>

TEST(RegistryValues, CollectionByIndexAndKey)
{
    RegistryValues values;
    values.Add(REG_SZ, QStringLiteral("1"), QStringLiteral("One"), QStringLiteral("One"));
    values.Add(REG_SZ, QStringLiteral("2"), QString(), QString());
    values.Add(REG_SZ, QStringLiteral("3"), QStringLiteral("one"),
               QStringLiteral("ONE")); // key taken
    EXPECT_EQ(values.Count(), 3);
    EXPECT_EQ(values.Item(QStringLiteral("oNe"))->Value(), QVariant(QStringLiteral("1")));
    EXPECT_EQ(values.Item(2)->Value(), QVariant(QStringLiteral("2")));
    EXPECT_EQ(values.Item(0), nullptr);
    EXPECT_EQ(values.Item(4), nullptr);
    EXPECT_EQ(values.Item(QString()), nullptr);
    EXPECT_TRUE(values.Remove(QStringLiteral("ONE")));
    EXPECT_FALSE(values.Remove(QStringLiteral("one")));
    EXPECT_EQ(values.Item(1)->Value(), QVariant(QStringLiteral("2")));
    QStringList order;
    for (const RegistryValue& value : values)
        order << value.Value().toString();
    EXPECT_EQ(order, (QStringList{QStringLiteral("2"), QStringLiteral("3")}));
    EXPECT_FALSE(values.Remove(3));
    EXPECT_TRUE(values.Remove(2));
    EXPECT_EQ(values.Count(), 1);
}

TEST(AppSettingsOnTheStore, SavingWritesOnlyChanges)
{
    EXPECT_FALSE(AppKeyExists(akOptions));
    EXPECT_TRUE(AppSaveSetting(akOptions, QStringLiteral("Sample"), QStringLiteral("Abc")));
    EXPECT_TRUE(AppKeyExists(akOptions));
    EXPECT_TRUE(Registry().RegKeyExists(HKEY_CURRENT_USER,
                                        QStringLiteral("Software\\Quexel\\Tolvane\\Options")));
    EXPECT_FALSE(AppSaveSetting(akOptions, QStringLiteral("Sample"), QStringLiteral("Abc")));
    EXPECT_FALSE(AppSaveSetting(akOptions, QStringLiteral("SAMPLE"), QStringLiteral("Abc")));
    EXPECT_TRUE(AppSaveSetting(akOptions, QStringLiteral("Sample"), QStringLiteral("abc")));
    EXPECT_EQ(AppGetSetting(akOptions, QStringLiteral("sample")), QStringLiteral("abc"));
    // A number stored under the name is replaced by text.
    Registry().RegSaveSettingLong(HKEY_CURRENT_USER, AppKeyPath(akOptions), QStringLiteral("N"), 8);
    EXPECT_TRUE(AppSaveSetting(akOptions, QStringLiteral("N"), QStringLiteral("8")));
    EXPECT_EQ(
        Registry().RegValueType(HKEY_CURRENT_USER, AppKeyPath(akOptions), QStringLiteral("N")),
        REG_SZ);

    EXPECT_EQ(
        AppGetSettingDefault(akPicViewer, QStringLiteral("Pattern"), QStringLiteral("bmp;jpg")),
        QStringLiteral("bmp;jpg"));
    EXPECT_TRUE(AppValueExists(akPicViewer, QStringLiteral("pattern")));
    EXPECT_FALSE(AppSaveSetting(13, QStringLiteral("x"), QStringLiteral("y")));
    EXPECT_FALSE(AppValueExists(akPicViewer, QString()));
}
