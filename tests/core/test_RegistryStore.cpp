// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppSettings.h"
#include "core/Registry.h"
#include "core/RegistryValues.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

TEST(RegistryValues, CollectionByIndexAndKey)
{
    RegistryValues values;
    values.Add(REG_SZ, u("1"), u("One"), u("One"));
    values.Add(REG_SZ, u("2"), QString(), QString());
    values.Add(REG_SZ, u("3"), u("one"),
               u("ONE")); // key taken
    EXPECT_EQ(values.Count(), 3);
    EXPECT_EQ(values.Item(u("oNe"))->Value(), QVariant(u("1")));
    EXPECT_EQ(values.Item(2)->Value(), QVariant(u("2")));
    EXPECT_EQ(values.Item(0), nullptr);
    EXPECT_EQ(values.Item(4), nullptr);
    EXPECT_EQ(values.Item(QString()), nullptr);
    EXPECT_TRUE(values.Remove(u("ONE")));
    EXPECT_FALSE(values.Remove(u("one")));
    EXPECT_EQ(values.Item(1)->Value(), QVariant(u("2")));
    QStringList order;
    for (const RegistryValue& value : values)
        order << value.Value().toString();
    EXPECT_EQ(order, (QStringList{u("2"), u("3")}));
    EXPECT_FALSE(values.Remove(3));
    EXPECT_TRUE(values.Remove(2));
    EXPECT_EQ(values.Count(), 1);
}

TEST(AppSettingsOnTheStore, SavingWritesOnlyChanges)
{
    EXPECT_FALSE(AppKeyExists(akOptions));
    EXPECT_TRUE(AppSaveSetting(akOptions, u("Sample"), u("Abc")));
    EXPECT_TRUE(AppKeyExists(akOptions));
    EXPECT_TRUE(
        Registry().RegKeyExists(HKEY_CURRENT_USER, u("Software\\Quexel\\Tolvane\\Options")));
    EXPECT_FALSE(AppSaveSetting(akOptions, u("Sample"), u("Abc")));
    EXPECT_FALSE(AppSaveSetting(akOptions, u("SAMPLE"), u("Abc")));
    EXPECT_TRUE(AppSaveSetting(akOptions, u("Sample"), u("abc")));
    EXPECT_EQ(AppGetSetting(akOptions, u("sample")), u("abc"));
    // A number stored under the name is replaced by text.
    Registry().RegSaveSettingLong(HKEY_CURRENT_USER, AppKeyPath(akOptions), u("N"), 8);
    EXPECT_TRUE(AppSaveSetting(akOptions, u("N"), u("8")));
    EXPECT_EQ(Registry().RegValueType(HKEY_CURRENT_USER, AppKeyPath(akOptions), u("N")), REG_SZ);

    EXPECT_EQ(AppGetSettingDefault(akPicViewer, u("Pattern"), u("bmp;jpg")), u("bmp;jpg"));
    EXPECT_TRUE(AppValueExists(akPicViewer, u("pattern")));
    EXPECT_FALSE(AppSaveSetting(13, u("x"), u("y")));
    EXPECT_FALSE(AppValueExists(akPicViewer, QString()));
}
