// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppSettings.h"
#include "core/Registry.h"
#include "core/RegistryValues.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <gtest/gtest.h>

namespace {
const QString K = QStringLiteral("Software\\Test");
const QChar NUL(u'\0');
constexpr HKEY CU = HKEY_CURRENT_USER;

class RegistryTest : public ::testing::Test {
protected:
    Registry reg;
};
} // namespace

TEST_F(RegistryTest, StringReadsCutAtNulLongReadsGiveMinusOneWhenMissing)
{
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("v"), u("def")), u("def")); // no key
    EXPECT_EQ(reg.RegGetSettingLong(CU, K, u("n"), 0), -1);
    ASSERT_TRUE(reg.RegSaveSettingString(CU, K, u("text"), u("  a b  ")));
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("text")), u("  a b  ")); // exact
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("none"), u("def")), u("def"));
    ASSERT_TRUE(reg.RegSaveSettingLong(CU, K, u("num"), 7));
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("num"), u("def")), u("def"));
    ASSERT_TRUE(reg.RegSaveSettingString(CU, K, u("nul"), u("abc") + NUL + u("garbage")));
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("nul"), u("def")), u("abc"));
    ASSERT_TRUE(reg.RegSaveSettingString(CU, K, u("umlaut"), u("Größe €")));
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("UMLAUT")), u("Größe €"));

    EXPECT_EQ(reg.RegGetSettingLong(CU, K, u("n"), 0), -1); // no value
    reg.RegSaveSettingString(CU, K, u("t"), u("12"));
    EXPECT_EQ(reg.RegGetSettingLong(CU, K, u("t"), 5), 5); // wrong type
    reg.RegSaveSettingLong(CU, K, u("n"), -123456);
    EXPECT_EQ(reg.RegGetSettingLong(CU, K, u("N"), 0), -123456);
}

TEST_F(RegistryTest, BooleanReadsIgnoreTheDefault)
{
    EXPECT_FALSE(reg.RegGetSettingBoolean(CU, K, u("missing"), true));
    reg.RegSaveSettingString(CU, K, u("zero"), u(" 0 "));
    reg.RegSaveSettingString(CU, K, u("minus"), u("-1"));
    reg.RegSaveSettingString(CU, K, u("word"), u("abc"));
    reg.RegSaveSettingString(CU, K, u("blank"), u("   "));
    reg.RegSaveSettingString(CU, K, u("cut"), u("0") + NUL + u("7"));
    reg.RegSaveSettingByte(CU, K, u("bytes0"), QByteArray(3, '\0'));
    reg.RegSaveSettingByte(CU, K, u("bytes1"), QByteArray("\0\x80", 2));
    reg.RegSaveSettingLong(CU, K, u("dword0"), 0);
    reg.RegSaveSettingLong(CU, K, u("dword9"), 9);
    const std::pair<const char*, bool> flags[] = {
        {"zero", false},   {"minus", true},  {"word", true},    {"blank", false}, {"cut", false},
        {"bytes0", false}, {"bytes1", true}, {"dword0", false}, {"dword9", true}};
    for (const auto& [name, expected] : flags)
        EXPECT_EQ(reg.RegGetSettingBoolean(CU, K, u(name), true), expected) << name;
}

TEST_F(RegistryTest, ByteAndAnyTypeReads)
{
    const QByteArray dflt("\x05", 1);
    EXPECT_FALSE(reg.RegGetSettingByte(CU, K, u("b")).has_value());
    EXPECT_EQ(*reg.RegGetSettingByte(CU, K, u("b"), dflt), dflt);
    reg.RegSaveSettingByte(CU, K, u("empty"), QByteArray());
    EXPECT_EQ(reg.RegValueType(CU, K, u("empty")), REG_BINARY);
    EXPECT_FALSE(reg.RegGetSettingByte(CU, K, u("empty")).has_value());
    reg.RegSaveSettingByte(CU, K, u("b"), QByteArray("\x01\xab\x00", 3));
    EXPECT_EQ(*reg.RegGetSettingByte(CU, K, u("b")), QByteArray("\x01\xab\x00", 3));
    reg.RegSaveSettingString(CU, K, u("t"), u("x"));
    EXPECT_EQ(*reg.RegGetSettingByte(CU, K, u("t"), dflt), dflt);

    EXPECT_EQ(reg.RegGetSettingEx(CU, K, u("b")), u("1 171 0"));
    EXPECT_EQ(reg.RegGetSettingEx(CU, K, u("missing")), QString());
    reg.RegSaveSettingLong(CU, K, u("d"), -2);
    EXPECT_EQ(reg.RegGetSettingEx(CU, K, u("d")), u("-2"));
    reg.RegSaveSettingString(CU, K, u("words"), u("  ab c ") + NUL + u("zz"));
    EXPECT_EQ(reg.RegGetSettingEx(CU, K, u("words")), u("ab c"));
    reg.RegSaveSettingString(CU, K, u("number"), u(" 12 "));
    EXPECT_EQ(reg.RegGetSettingEx(CU, K, u("number")), u(" 12 "));
}

TEST_F(RegistryTest, ListingWithValuesUnderAGermanLocale)
{
    EXPECT_EQ(reg.RegArrayValuesEx(CU, K, false), nullptr); // no key
    reg.RegKeyCreate(CU, K);
    EXPECT_EQ(reg.RegArrayValuesEx(CU, K, false), nullptr); // no values
    reg.RegSaveSettingLong(CU, K, u("Ten"), 10);
    reg.RegSaveSettingLong(CU, K, u("All"), -1);
    reg.RegSaveSettingByte(CU, K, u("Bin"), QByteArray("\x01\xab\x00", 3));
    reg.RegSaveSettingString(CU, K, QString(), u("default"));

    const auto text = reg.RegArrayValuesEx(CU, K, false);
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->Count(), 4);
    EXPECT_EQ(text->Item(u("ten"))->Value(), QVariant(u("0000000A (0.000.000.010)")));
    EXPECT_EQ(text->Item(u("ten"))->ValueType(), REG_DWORD);
    EXPECT_EQ(text->Item(u("All"))->Value(), QVariant(u("FFFFFFFF (4.294.967.295)")));
    EXPECT_EQ(text->Item(u("BIN"))->Value(), QVariant(u("1 AB 0")));
    EXPECT_EQ(text->Item(u("Bin"))->ValueType(), REG_BINARY);
    EXPECT_EQ(text->Item(4)->Name(), QString()); // the default value, filed without a key
    EXPECT_EQ(text->Item(4)->Value(), QVariant(u("default")));
    EXPECT_EQ(text->Item(4)->ValueType(), REG_SZ);

    const auto numbers = reg.RegArrayValuesEx(CU, K, true);
    EXPECT_EQ(numbers->Item(u("Ten"))->Value(), QVariant(qint32(10)));
    EXPECT_EQ(numbers->Item(u("All"))->Value(), QVariant(qint32(-1)));
}

TEST_F(RegistryTest, ListingKeysAndValueNames)
{
    QStringList names{u("untouched")};
    EXPECT_EQ(reg.RegArrayKeys(CU, K, names), 0);
    EXPECT_EQ(reg.RegArrayValues(CU, K, names), 0);
    EXPECT_EQ(names, QStringList{u("untouched")});
    reg.RegKeyCreate(CU, K + u("\\beta"));
    reg.RegKeyCreate(CU, K + u("\\Alpha"));
    reg.RegSaveSettingString(CU, K, u("z"), u("1"));
    reg.RegSaveSettingString(CU, K, u("a"), u("2"));
    EXPECT_EQ(reg.RegArrayKeys(CU, K, names), 2);
    EXPECT_EQ(names, (QStringList{u("Alpha"), u("beta")}));
    EXPECT_EQ(reg.RegArrayValues(CU, K, names), 2);
    EXPECT_EQ(names, (QStringList{u("z"), u("a")})); // in the order written
    reg.RegKeyCreate(CU, u("Empty"));
    EXPECT_EQ(reg.RegArrayValues(CU, u("Empty"), names), 0);
    EXPECT_TRUE(names.isEmpty());
    qint32 keys = 0, values = 0;
    EXPECT_TRUE(reg.RegKeyInfo(CU, K, keys, values));
    EXPECT_EQ(keys, 2);
    EXPECT_EQ(values, 2);
    EXPECT_FALSE(reg.RegKeyInfo(CU, u("Nope"), keys, values));
}

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstCase)
{
    reg.RegSaveSettingString(CU, u("Software\\Quexel"), u("Width"), u("1"));
    reg.RegSaveSettingString(CU, u("SOFTWARE\\quexel"), u("WIDTH"), u("2"));
    QStringList names;
    reg.RegArrayKeys(CU, u("software"), names);
    EXPECT_EQ(names, QStringList{u("Quexel")});
    reg.RegArrayValues(CU, u("Software\\Quexel"), names);
    EXPECT_EQ(names, QStringList{u("Width")});
    EXPECT_EQ(reg.RegGetSettingString(CU, u("software\\QUEXEL"), u("width")), u("2"));
    EXPECT_TRUE(reg.RegValueExists(CU, u("Software\\Quexel"), u("wIdTh")));
    EXPECT_TRUE(reg.RegKeyExists(CU, u("software\\quexel\\")));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_LOCAL_MACHINE, u("Software\\Quexel"))); // roots are apart
    reg.RegSaveSettingString(CU, u("X"), u("ÄRGER"), u("1"));
    EXPECT_TRUE(reg.RegValueExists(CU, u("x"), u("ärger")));
}

TEST_F(RegistryTest, DeletingAndRenamingKeysAndValues)
{
    reg.RegSaveSettingString(CU, K + u("\\Sub"), u("v"), u("1"));
    reg.RegSaveSettingString(CU, K, u("v"), u("1"));
    EXPECT_FALSE(reg.RegKeyDelete(CU, K)); // has a sub-key: refused, kept whole
    EXPECT_TRUE(reg.RegValueExists(CU, K + u("\\sub"), u("v")));
    EXPECT_TRUE(reg.RegKeyDelete(CU, K + u("\\SUB")));
    EXPECT_FALSE(reg.RegKeyExists(CU, K + u("\\Sub")));
    EXPECT_TRUE(reg.RegValueDelete(CU, K, u("V")));
    EXPECT_FALSE(reg.RegValueDelete(CU, K, u("v")));
    EXPECT_TRUE(reg.RegKeyDelete(CU, K));
    EXPECT_FALSE(reg.RegKeyDelete(CU, K));
    EXPECT_FALSE(reg.RegKeyDelete(CU, QString())); // a root stays
    EXPECT_EQ(reg.RegValueType(CU, K, u("v")), 0);

    // Renaming: with the key gone there is nothing to rename.
    EXPECT_FALSE(reg.RegValueRename(CU, K, u("a"), u("b")));
    reg.RegSaveSettingByte(CU, K, u("Old"), QByteArray("\x07", 1));
    reg.RegSaveSettingString(CU, K, u("Other"), u("x"));
    EXPECT_FALSE(reg.RegValueRename(CU, K, u("missing"), u("Other")));
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("Other")), u("x")); // untouched

    EXPECT_TRUE(reg.RegValueRename(CU, K, u("old"), u("New")));
    EXPECT_FALSE(reg.RegValueExists(CU, K, u("Old")));
    EXPECT_EQ(*reg.RegGetSettingByte(CU, K, u("New")), QByteArray("\x07", 1));
    // Only the case changes: the value must survive.
    EXPECT_TRUE(reg.RegValueRename(CU, K, u("New"), u("NEW")));
    QStringList names;
    reg.RegArrayValues(CU, K, names);
    EXPECT_EQ(names, (QStringList{u("NEW"), u("Other")}));
    EXPECT_TRUE(reg.RegValueRename(CU, K, u("NEW"), u("other"))); // replaces
    reg.RegArrayValues(CU, K, names);
    EXPECT_EQ(names, QStringList{u("other")});
    EXPECT_EQ(reg.RegValueType(CU, K, u("Other")), REG_BINARY);
}

TEST_F(RegistryTest, WritesWithTypesAndConversions)
{
    EXPECT_FALSE(reg.RegSaveSettingEx(CU, K, u("x"), u("1"), REG_SZ)); // no key
    EXPECT_FALSE(reg.RegKeyExists(CU, K));
    reg.RegKeyCreate(CU, K);
    EXPECT_TRUE(reg.RegSaveSettingEx(CU, K, u("t"), 42, REG_SZ));
    EXPECT_EQ(reg.RegGetSettingString(CU, K, u("t")), u("42"));
    EXPECT_TRUE(reg.RegSaveSettingEx(CU, K, u("b"), QVariantList{1, 171, 0}, REG_BINARY));
    EXPECT_EQ(*reg.RegGetSettingByte(CU, K, u("b")), QByteArray("\x01\xab\x00", 3));
    EXPECT_FALSE(reg.RegSaveSettingEx(CU, K, u("b"), QVariantList{1, 256}, REG_BINARY));
    EXPECT_TRUE(reg.RegSaveSettingEx(CU, K, u("d"), u(" 2.5 "), REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(CU, K, u("d"), 0), 2); // half to even
    EXPECT_TRUE(reg.RegSaveSettingEx(CU, K, u("d"), 3.5, REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(CU, K, u("d"), 0), 4);
    EXPECT_FALSE(reg.RegSaveSettingEx(CU, K, u("d"), u("abc"), REG_DWORD));
    EXPECT_FALSE(reg.RegSaveSettingEx(CU, K, u("d"), 4294967295.0, REG_DWORD));
    EXPECT_FALSE(reg.RegSaveSettingEx(CU, K, u("m"), u("x"), 7));
    EXPECT_EQ(reg.RegGetSettingLong(CU, K, u("d"), 0), 4); // failures changed nothing

    EXPECT_TRUE(reg.RegSaveSettingBinary(CU, K, u("bin"), u("Aÿ")));
    EXPECT_EQ(reg.RegGetSettingEx(CU, K, u("bin")), u("65 255"));
    EXPECT_FALSE(reg.RegSaveSettingBinary(CU, K, u("bin"), u("€")));
    EXPECT_EQ(reg.RegGetSettingEx(CU, K, u("bin")), u("65 255"));
    EXPECT_FALSE(reg.RegSaveSettingString(0x80000007u, K, u("x"), u("y")));
}

TEST_F(RegistryTest, SimplePathsTakeTheirRootFromThePrefix)
{
    reg.RegSaveSettingLong(CU, u("Software\\X"), u("Width"), 640);
    reg.RegSaveSettingString(HKEY_LOCAL_MACHINE, u("Software\\X"), QString(), u("machine"));
    EXPECT_EQ(reg.RegGetSettingSimple(u("HKCU\\Software\\X\\Width")), QVariant(qint32(640)));
    EXPECT_EQ(reg.RegGetSettingSimple(u("hkcu\\Software\\X\\Width")), QVariant(qint32(640)));
    EXPECT_EQ(reg.RegGetSettingSimple(u("Software\\X\\")), QVariant(u("machine")));
    EXPECT_EQ(reg.RegGetSettingSimple(u("HKLM\\Software\\X\\")), QVariant(u("machine")));
    EXPECT_EQ(reg.RegGetSettingSimple(u("Software\\X\\Width"), CU), QVariant(qint32(640)));
    EXPECT_FALSE(reg.RegGetSettingSimple(u("HKCU\\Software\\X\\Missing")).isValid());
    EXPECT_FALSE(reg.RegGetSettingSimple(u("HKEY_CURRENT_USER\\Software\\X\\Width")).isValid());

    EXPECT_TRUE(reg.RegSaveSettingSimple(u("HKU\\S\\Name"), u("text")));
    EXPECT_EQ(reg.RegValueType(HKEY_USERS, u("S"), u("Name")), REG_SZ);
    EXPECT_TRUE(reg.RegSaveSettingSimple(u("HKU\\S\\Count"), 12));
    EXPECT_EQ(reg.RegValueType(HKEY_USERS, u("S"), u("Count")), REG_DWORD);
    EXPECT_TRUE(reg.RegSaveSettingSimple(u("HKU\\S\\Count"), u("13"))); // keeps the stored type
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_USERS, u("S"), u("Count"), 0), 13);
    EXPECT_FALSE(reg.RegSaveSettingSimple(u("HKU\\S\\Count"), u("many")));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_USERS, u("S"), u("Count"), 0), 13);
    EXPECT_TRUE(reg.RegSaveSettingSimple(u("HKU\\S\\Name"), u("   ")));
    EXPECT_FALSE(reg.RegGetSettingSimple(u("HKU\\S\\Name")).isValid()); // blank text is Null
    EXPECT_TRUE(reg.RegSaveSettingSimple(u("HKU\\S\\"), 5, -1, REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_USERS, u("S"), QString(), 0), 5);
    EXPECT_EQ(Registry::RegHKeyFromAbbr(u("hkcr")), HKEY_CLASSES_ROOT);
}

TEST_F(RegistryTest, ClassEntriesAndServerPaths)
{
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, u(".txt"), QString(), u("txtfile") + NUL + u("x"));
    EXPECT_EQ(reg.RegFindClassEntry(u("txt")), u("txtfile"));
    EXPECT_EQ(reg.RegFindClassEntry(u(".TXT")), u("txtfile"));
    EXPECT_EQ(reg.RegFindClassEntry(u("doc")), QString());
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, u(".a\\b"), QString(), u("nested"));
    EXPECT_EQ(reg.RegFindClassEntry(u("a\\b")), QString());

    TempDir dir;
    const QString server = dir.writeFile(u("server.exe"), "MZ");
    const QString clsid = u("{12345678-1234-1234-1234-123456789ABC}");
    reg.RegSaveSettingString(HKEY_LOCAL_MACHINE, u("Software\\Classes\\Demo.App\\CLSID"), QString(),
                             clsid);
    EXPECT_EQ(reg.RegGetServerPath(u("Demo.App"), false), QString()); // no server key yet
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, u("CLSID\\") + clsid + u("\\InprocServer32"),
                             QString(), dir.filePath(u("inproc.dll")));
    EXPECT_EQ(reg.RegGetServerPath(u("Demo.App"), false), dir.filePath(u("inproc.dll")));
    EXPECT_EQ(reg.RegGetServerPath(u("Demo.App"), true), QString()); // no such file
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, u("CLSID\\") + clsid + u("\\LocalServer32"),
                             QString(), server + u(" -Automation"));
    EXPECT_EQ(reg.RegGetServerPath(u("Demo.App"), true), server);
    EXPECT_EQ(reg.RegGetServerPath(u("Other.App"), false), QString());
}

TEST(RegistryValues, CollectionByIndexAndKey)
{
    RegistryValues values;
    values.Add(REG_SZ, u("1"), u("One"), u("One"));
    values.Add(REG_SZ, u("2"), QString(), QString());
    values.Add(REG_SZ, u("3"), u("one"), u("ONE")); // key taken
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
