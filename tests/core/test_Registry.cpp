// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
const QString K = QStringLiteral("Software\\Test");
const QChar NUL(u'\0');

class RegistryTest : public ::testing::Test {
protected:
    Registry reg;
};
} // namespace

TEST_F(RegistryTest, StringReadsCutAtNulAndFallBackToTheDefault)
{
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("v"), u("def")), u("def")); // no key
    ASSERT_TRUE(reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("text"), u("  a b  ")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("text")), u("  a b  ")); // exact
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("none"), u("def")), u("def"));
    ASSERT_TRUE(reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, u("num"), 7));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("num"), u("def")), u("def"));
    ASSERT_TRUE(
        reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("nul"), u("abc") + NUL + u("garbage")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("nul"), u("def")), u("abc"));
    ASSERT_TRUE(reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("umlaut"), u("Größe €")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("UMLAUT")), u("Größe €"));
}

TEST_F(RegistryTest, LongReadsGiveMinusOneForMissingValues)
{
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, u("n"), 0), -1); // no key
    reg.RegKeyCreate(HKEY_CURRENT_USER, K);
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, u("n"), 0), -1); // no value
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("t"), u("12"));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, u("t"), 5), 5); // wrong type
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, u("n"), -123456);
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, u("N"), 0), -123456);
}

TEST_F(RegistryTest, BooleanReadsIgnoreTheDefault)
{
    auto flag = [&](const char* name) {
        return reg.RegGetSettingBoolean(HKEY_CURRENT_USER, K, u(name), true);
    };
    EXPECT_FALSE(flag("missing"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("zero"), u(" 0 "));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("minus"), u("-1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("word"), u("abc"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("blank"), u("   "));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("cut"), u("0") + NUL + u("7"));
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, u("bytes0"), QByteArray(3, '\0'));
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, u("bytes1"), QByteArray("\0\x80", 2));
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, u("dword0"), 0);
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, u("dword9"), 9);
    EXPECT_FALSE(flag("zero"));
    EXPECT_TRUE(flag("minus"));
    EXPECT_TRUE(flag("word"));
    EXPECT_FALSE(flag("blank"));
    EXPECT_FALSE(flag("cut"));
    EXPECT_FALSE(flag("bytes0"));
    EXPECT_TRUE(flag("bytes1"));
    EXPECT_FALSE(flag("dword0"));
    EXPECT_TRUE(flag("dword9"));
}

TEST_F(RegistryTest, ByteAndAnyTypeReads)
{
    const QByteArray dflt("\x05", 1);
    EXPECT_FALSE(reg.RegGetSettingByte(HKEY_CURRENT_USER, K, u("b")).has_value());
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, u("b"), dflt), dflt);
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, u("empty"), QByteArray());
    EXPECT_EQ(reg.RegValueType(HKEY_CURRENT_USER, K, u("empty")), REG_BINARY);
    EXPECT_FALSE(reg.RegGetSettingByte(HKEY_CURRENT_USER, K, u("empty")).has_value());
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, u("b"), QByteArray("\x01\xab\x00", 3));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, u("b")), QByteArray("\x01\xab\x00", 3));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("t"), u("x"));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, u("t"), dflt), dflt);

    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, u("b")), u("1 171 0"));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, u("missing")), QString());
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, u("d"), -2);
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, u("d")), u("-2"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("words"), u("  ab c ") + NUL + u("zz"));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, u("words")), u("ab c"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("number"), u(" 12 "));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, u("number")), u(" 12 "));
}

TEST_F(RegistryTest, ListingWithValuesUnderAGermanLocale)
{
    EXPECT_EQ(reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, false), nullptr); // no key
    reg.RegKeyCreate(HKEY_CURRENT_USER, K);
    EXPECT_EQ(reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, false), nullptr); // no values
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, u("Ten"), 10);
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, u("All"), -1);
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, u("Bin"), QByteArray("\x01\xab\x00", 3));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, QString(), u("default"));

    const auto text = reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, false);
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

    const auto numbers = reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, true);
    EXPECT_EQ(numbers->Item(u("Ten"))->Value(), QVariant(qint32(10)));
    EXPECT_EQ(numbers->Item(u("All"))->Value(), QVariant(qint32(-1)));
}

TEST_F(RegistryTest, ListingKeysAndValueNames)
{
    QStringList names{u("untouched")};
    EXPECT_EQ(reg.RegArrayKeys(HKEY_CURRENT_USER, K, names), 0);
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, K, names), 0);
    EXPECT_EQ(names, QStringList{u("untouched")});
    reg.RegKeyCreate(HKEY_CURRENT_USER, K + u("\\beta"));
    reg.RegKeyCreate(HKEY_CURRENT_USER, K + u("\\Alpha"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("z"), u("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("a"), u("2"));
    EXPECT_EQ(reg.RegArrayKeys(HKEY_CURRENT_USER, K, names), 2);
    EXPECT_EQ(names, (QStringList{u("Alpha"), u("beta")}));
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, K, names), 2);
    EXPECT_EQ(names, (QStringList{u("z"), u("a")})); // in the order written
    reg.RegKeyCreate(HKEY_CURRENT_USER, u("Empty"));
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, u("Empty"), names), 0);
    EXPECT_TRUE(names.isEmpty());
    qint32 keys = 0, values = 0;
    EXPECT_TRUE(reg.RegKeyInfo(HKEY_CURRENT_USER, K, keys, values));
    EXPECT_EQ(keys, 2);
    EXPECT_EQ(values, 2);
    EXPECT_FALSE(reg.RegKeyInfo(HKEY_CURRENT_USER, u("Nope"), keys, values));
}

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstCase)
{
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("Software\\Quexel"), u("Width"), u("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("SOFTWARE\\quexel"), u("WIDTH"), u("2"));
    QStringList names;
    reg.RegArrayKeys(HKEY_CURRENT_USER, u("software"), names);
    EXPECT_EQ(names, QStringList{u("Quexel")});
    reg.RegArrayValues(HKEY_CURRENT_USER, u("Software\\Quexel"), names);
    EXPECT_EQ(names, QStringList{u("Width")});
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, u("software\\QUEXEL"), u("width")),
              u("2"));
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, u("Software\\Quexel"), u("wIdTh")));
    EXPECT_TRUE(reg.RegKeyExists(HKEY_CURRENT_USER, u("software\\quexel\\")));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_LOCAL_MACHINE, u("Software\\Quexel"))); // roots are apart
    reg.RegSaveSettingString(HKEY_CURRENT_USER, u("X"), u("ÄRGER"), u("1"));
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, u("x"), u("ärger")));
}

TEST_F(RegistryTest, DeletingKeysAndValues)
{
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K + u("\\Sub"), u("v"), u("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("v"), u("1"));
    EXPECT_FALSE(reg.RegKeyDelete(HKEY_CURRENT_USER, K)); // has a sub-key: refused, kept whole
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, K + u("\\sub"), u("v")));
    EXPECT_TRUE(reg.RegKeyDelete(HKEY_CURRENT_USER, K + u("\\SUB")));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, K + u("\\Sub")));
    EXPECT_TRUE(reg.RegValueDelete(HKEY_CURRENT_USER, K, u("V")));
    EXPECT_FALSE(reg.RegValueDelete(HKEY_CURRENT_USER, K, u("v")));
    EXPECT_TRUE(reg.RegKeyDelete(HKEY_CURRENT_USER, K));
    EXPECT_FALSE(reg.RegKeyDelete(HKEY_CURRENT_USER, K));
    EXPECT_FALSE(reg.RegKeyDelete(HKEY_CURRENT_USER, QString())); // a root stays
    EXPECT_EQ(reg.RegValueType(HKEY_CURRENT_USER, K, u("v")), 0);
}

TEST_F(RegistryTest, WritesWithTypesAndConversions)
{
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("x"), u("1"), REG_SZ)); // no key
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, K));
    reg.RegKeyCreate(HKEY_CURRENT_USER, K);
    EXPECT_TRUE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("t"), 42, REG_SZ));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("t")), u("42"));
    EXPECT_TRUE(
        reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("b"), QVariantList{1, 171, 0}, REG_BINARY));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, u("b")), QByteArray("\x01\xab\x00", 3));
    EXPECT_FALSE(
        reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("b"), QVariantList{1, 256}, REG_BINARY));
    EXPECT_TRUE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("d"), u(" 2.5 "), REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, u("d"), 0), 2); // half to even
    EXPECT_TRUE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("d"), 3.5, REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, u("d"), 0), 4);
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("d"), u("abc"), REG_DWORD));
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("d"), 4294967295.0, REG_DWORD));
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, u("m"), u("x"), 7));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, u("d"), 0),
              4); // failures changed nothing

    EXPECT_TRUE(reg.RegSaveSettingBinary(HKEY_CURRENT_USER, K, u("bin"), u("Aÿ")));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, u("bin")), u("65 255"));
    EXPECT_FALSE(reg.RegSaveSettingBinary(HKEY_CURRENT_USER, K, u("bin"), u("€")));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, u("bin")), u("65 255"));
    EXPECT_FALSE(reg.RegSaveSettingString(0x80000007u, K, u("x"), u("y")));
    EXPECT_FALSE(reg.RegSaveSettingString(HKEY_CURRENT_USER, u("a\\\\b"), u("x"), u("y")));
}

TEST_F(RegistryTest, SimplePathsTakeTheirRootFromThePrefix)
{
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, u("Software\\X"), u("Width"), 640);
    reg.RegSaveSettingString(HKEY_LOCAL_MACHINE, u("Software\\X"), QString(), u("machine"));
    EXPECT_EQ(reg.RegGetSettingSimple(u("HKCU\\Software\\X\\Width")), QVariant(qint32(640)));
    EXPECT_EQ(reg.RegGetSettingSimple(u("hkcu\\Software\\X\\Width")), QVariant(qint32(640)));
    EXPECT_EQ(reg.RegGetSettingSimple(u("Software\\X\\")), QVariant(u("machine")));
    EXPECT_EQ(reg.RegGetSettingSimple(u("HKLM\\Software\\X\\")), QVariant(u("machine")));
    EXPECT_EQ(reg.RegGetSettingSimple(u("Software\\X\\Width"), HKEY_CURRENT_USER),
              QVariant(qint32(640)));
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
    EXPECT_EQ(Registry::RegHKeyFromAbbr(u("HKEY_CURRENT_USER")), 0u);
}

TEST_F(RegistryTest, RenamingValues)
{
    EXPECT_FALSE(reg.RegValueRename(HKEY_CURRENT_USER, K, u("a"), u("b")));
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, u("Old"), QByteArray("\x07", 1));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, u("Other"), u("x"));
    EXPECT_FALSE(reg.RegValueRename(HKEY_CURRENT_USER, K, u("missing"), u("Other")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, u("Other")), u("x")); // untouched

    EXPECT_TRUE(reg.RegValueRename(HKEY_CURRENT_USER, K, u("old"), u("New")));
    EXPECT_FALSE(reg.RegValueExists(HKEY_CURRENT_USER, K, u("Old")));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, u("New")), QByteArray("\x07", 1));
    // Only the case changes: the value must survive.
    EXPECT_TRUE(reg.RegValueRename(HKEY_CURRENT_USER, K, u("New"), u("NEW")));
    QStringList names;
    reg.RegArrayValues(HKEY_CURRENT_USER, K, names);
    EXPECT_EQ(names, (QStringList{u("NEW"), u("Other")}));
    EXPECT_TRUE(reg.RegValueRename(HKEY_CURRENT_USER, K, u("NEW"), u("other"))); // replaces
    reg.RegArrayValues(HKEY_CURRENT_USER, K, names);
    EXPECT_EQ(names, QStringList{u("other")});
    EXPECT_EQ(reg.RegValueType(HKEY_CURRENT_USER, K, u("Other")), REG_BINARY);
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
