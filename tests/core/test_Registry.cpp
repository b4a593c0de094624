// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/Registry.h"
#include "platform/FreshSettings.h"
#include "support/TempDir.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
const QString K = QStringLiteral("Software\\Test");
const QChar NUL(u'\0');

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

class RegistryTest : public ::testing::Test {
protected:
    FreshSettings fresh;
    Registry reg;
};
} // namespace

TEST_F(RegistryTest, StringReadsCutAtNulAndFallBackToTheDefault)
{
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("v"), S("def")), S("def")); // no key
    ASSERT_TRUE(reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("text"), S("  a b  ")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("text")), S("  a b  ")); // exact
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("none"), S("def")), S("def"));
    ASSERT_TRUE(reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, S("num"), 7));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("num"), S("def")), S("def"));
    ASSERT_TRUE(
        reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("nul"), S("abc") + NUL + S("garbage")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("nul"), S("def")), S("abc"));
    ASSERT_TRUE(reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("umlaut"), S("Größe €")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("UMLAUT")), S("Größe €"));
}

TEST_F(RegistryTest, LongReadsGiveMinusOneForMissingValues)
{
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, S("n"), 0), -1); // no key
    reg.RegKeyCreate(HKEY_CURRENT_USER, K);
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, S("n"), 0), -1); // no value
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("t"), S("12"));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, S("t"), 5), 5); // wrong type
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, S("n"), -123456);
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, S("N"), 0), -123456);
}

TEST_F(RegistryTest, BooleanReadsIgnoreTheDefault)
{
    auto flag = [&](const char* name) {
        return reg.RegGetSettingBoolean(HKEY_CURRENT_USER, K, S(name), true);
    };
    EXPECT_FALSE(flag("missing"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("zero"), S(" 0 "));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("minus"), S("-1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("word"), S("abc"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("blank"), S("   "));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("cut"), S("0") + NUL + S("7"));
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, S("bytes0"), QByteArray(3, '\0'));
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, S("bytes1"), QByteArray("\0\x80", 2));
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, S("dword0"), 0);
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, S("dword9"), 9);
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
    EXPECT_FALSE(reg.RegGetSettingByte(HKEY_CURRENT_USER, K, S("b")).has_value());
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, S("b"), dflt), dflt);
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, S("empty"), QByteArray());
    EXPECT_EQ(reg.RegValueType(HKEY_CURRENT_USER, K, S("empty")), REG_BINARY);
    EXPECT_FALSE(reg.RegGetSettingByte(HKEY_CURRENT_USER, K, S("empty")).has_value());
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, S("b"), QByteArray("\x01\xab\x00", 3));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, S("b")), QByteArray("\x01\xab\x00", 3));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("t"), S("x"));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, S("t"), dflt), dflt);

    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, S("b")), S("1 171 0"));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, S("missing")), QString());
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, S("d"), -2);
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, S("d")), S("-2"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("words"), S("  ab c ") + NUL + S("zz"));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, S("words")), S("ab c"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("number"), S(" 12 "));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, S("number")), S(" 12 "));
}

TEST_F(RegistryTest, ListingWithValuesUnderAGermanLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, false), nullptr); // no key
    reg.RegKeyCreate(HKEY_CURRENT_USER, K);
    EXPECT_EQ(reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, false), nullptr); // no values
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, S("Ten"), 10);
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, K, S("All"), -1);
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, S("Bin"), QByteArray("\x01\xab\x00", 3));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, QString(), S("default"));

    const auto text = reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, false);
    ASSERT_NE(text, nullptr);
    ASSERT_EQ(text->Count(), 4);
    EXPECT_EQ(text->Item(S("ten"))->Value(), QVariant(S("0000000A (0.000.000.010)")));
    EXPECT_EQ(text->Item(S("ten"))->ValueType(), REG_DWORD);
    EXPECT_EQ(text->Item(S("All"))->Value(), QVariant(S("FFFFFFFF (4.294.967.295)")));
    EXPECT_EQ(text->Item(S("BIN"))->Value(), QVariant(S("1 AB 0")));
    EXPECT_EQ(text->Item(S("Bin"))->ValueType(), REG_BINARY);
    EXPECT_EQ(text->Item(4)->Name(), QString()); // the default value, filed without a key
    EXPECT_EQ(text->Item(4)->Value(), QVariant(S("default")));
    EXPECT_EQ(text->Item(4)->ValueType(), REG_SZ);

    const auto numbers = reg.RegArrayValuesEx(HKEY_CURRENT_USER, K, true);
    EXPECT_EQ(numbers->Item(S("Ten"))->Value(), QVariant(qint32(10)));
    EXPECT_EQ(numbers->Item(S("All"))->Value(), QVariant(qint32(-1)));
    QLocale::setDefault(previous);
}

TEST_F(RegistryTest, ListingKeysAndValueNames)
{
    QStringList names{S("untouched")};
    EXPECT_EQ(reg.RegArrayKeys(HKEY_CURRENT_USER, K, names), 0);
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, K, names), 0);
    EXPECT_EQ(names, QStringList{S("untouched")});
    reg.RegKeyCreate(HKEY_CURRENT_USER, K + S("\\beta"));
    reg.RegKeyCreate(HKEY_CURRENT_USER, K + S("\\Alpha"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("z"), S("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("a"), S("2"));
    EXPECT_EQ(reg.RegArrayKeys(HKEY_CURRENT_USER, K, names), 2);
    EXPECT_EQ(names, (QStringList{S("Alpha"), S("beta")}));
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, K, names), 2);
    EXPECT_EQ(names, (QStringList{S("z"), S("a")})); // in the order written
    reg.RegKeyCreate(HKEY_CURRENT_USER, S("Empty"));
    EXPECT_EQ(reg.RegArrayValues(HKEY_CURRENT_USER, S("Empty"), names), 0);
    EXPECT_TRUE(names.isEmpty());
    qint32 keys = 0, values = 0;
    EXPECT_TRUE(reg.RegKeyInfo(HKEY_CURRENT_USER, K, keys, values));
    EXPECT_EQ(keys, 2);
    EXPECT_EQ(values, 2);
    EXPECT_FALSE(reg.RegKeyInfo(HKEY_CURRENT_USER, S("Nope"), keys, values));
}

TEST_F(RegistryTest, NamesIgnoreCaseAndKeepTheirFirstCase)
{
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("Software\\Quexel"), S("Width"), S("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("SOFTWARE\\quexel"), S("WIDTH"), S("2"));
    QStringList names;
    reg.RegArrayKeys(HKEY_CURRENT_USER, S("software"), names);
    EXPECT_EQ(names, QStringList{S("Quexel")});
    reg.RegArrayValues(HKEY_CURRENT_USER, S("Software\\Quexel"), names);
    EXPECT_EQ(names, QStringList{S("Width")});
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, S("software\\QUEXEL"), S("width")),
              S("2"));
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, S("Software\\Quexel"), S("wIdTh")));
    EXPECT_TRUE(reg.RegKeyExists(HKEY_CURRENT_USER, S("software\\quexel\\")));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_LOCAL_MACHINE, S("Software\\Quexel"))); // roots are apart
    reg.RegSaveSettingString(HKEY_CURRENT_USER, S("X"), S("ÄRGER"), S("1"));
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, S("x"), S("ärger")));
}

TEST_F(RegistryTest, DeletingKeysAndValues)
{
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K + S("\\Sub"), S("v"), S("1"));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("v"), S("1"));
    EXPECT_FALSE(reg.RegKeyDelete(HKEY_CURRENT_USER, K)); // has a sub-key: refused, kept whole
    EXPECT_TRUE(reg.RegValueExists(HKEY_CURRENT_USER, K + S("\\sub"), S("v")));
    EXPECT_TRUE(reg.RegKeyDelete(HKEY_CURRENT_USER, K + S("\\SUB")));
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, K + S("\\Sub")));
    EXPECT_TRUE(reg.RegValueDelete(HKEY_CURRENT_USER, K, S("V")));
    EXPECT_FALSE(reg.RegValueDelete(HKEY_CURRENT_USER, K, S("v")));
    EXPECT_TRUE(reg.RegKeyDelete(HKEY_CURRENT_USER, K));
    EXPECT_FALSE(reg.RegKeyDelete(HKEY_CURRENT_USER, K));
    EXPECT_FALSE(reg.RegKeyDelete(HKEY_CURRENT_USER, QString())); // a root stays
    EXPECT_EQ(reg.RegValueType(HKEY_CURRENT_USER, K, S("v")), 0);
}

TEST_F(RegistryTest, WritesWithTypesAndConversions)
{
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("x"), S("1"), REG_SZ)); // no key
    EXPECT_FALSE(reg.RegKeyExists(HKEY_CURRENT_USER, K));
    reg.RegKeyCreate(HKEY_CURRENT_USER, K);
    EXPECT_TRUE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("t"), 42, REG_SZ));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("t")), S("42"));
    EXPECT_TRUE(
        reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("b"), QVariantList{1, 171, 0}, REG_BINARY));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, S("b")), QByteArray("\x01\xab\x00", 3));
    EXPECT_FALSE(
        reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("b"), QVariantList{1, 256}, REG_BINARY));
    EXPECT_TRUE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("d"), S(" 2.5 "), REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, S("d"), 0), 2); // half to even
    EXPECT_TRUE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("d"), 3.5, REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, S("d"), 0), 4);
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("d"), S("abc"), REG_DWORD));
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("d"), 4294967295.0, REG_DWORD));
    EXPECT_FALSE(reg.RegSaveSettingEx(HKEY_CURRENT_USER, K, S("m"), S("x"), 7));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_CURRENT_USER, K, S("d"), 0),
              4); // failures changed nothing

    EXPECT_TRUE(reg.RegSaveSettingBinary(HKEY_CURRENT_USER, K, S("bin"), S("Aÿ")));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, S("bin")), S("65 255"));
    EXPECT_FALSE(reg.RegSaveSettingBinary(HKEY_CURRENT_USER, K, S("bin"), S("€")));
    EXPECT_EQ(reg.RegGetSettingEx(HKEY_CURRENT_USER, K, S("bin")), S("65 255"));
    EXPECT_FALSE(reg.RegSaveSettingString(0x80000007u, K, S("x"), S("y")));
    EXPECT_FALSE(reg.RegSaveSettingString(HKEY_CURRENT_USER, S("a\\\\b"), S("x"), S("y")));
}

TEST_F(RegistryTest, SimplePathsTakeTheirRootFromThePrefix)
{
    reg.RegSaveSettingLong(HKEY_CURRENT_USER, S("Software\\X"), S("Width"), 640);
    reg.RegSaveSettingString(HKEY_LOCAL_MACHINE, S("Software\\X"), QString(), S("machine"));
    EXPECT_EQ(reg.RegGetSettingSimple(S("HKCU\\Software\\X\\Width")), QVariant(qint32(640)));
    EXPECT_EQ(reg.RegGetSettingSimple(S("hkcu\\Software\\X\\Width")), QVariant(qint32(640)));
    EXPECT_EQ(reg.RegGetSettingSimple(S("Software\\X\\")), QVariant(S("machine")));
    EXPECT_EQ(reg.RegGetSettingSimple(S("HKLM\\Software\\X\\")), QVariant(S("machine")));
    EXPECT_EQ(reg.RegGetSettingSimple(S("Software\\X\\Width"), HKEY_CURRENT_USER),
              QVariant(qint32(640)));
    EXPECT_FALSE(reg.RegGetSettingSimple(S("HKCU\\Software\\X\\Missing")).isValid());
    EXPECT_FALSE(reg.RegGetSettingSimple(S("HKEY_CURRENT_USER\\Software\\X\\Width")).isValid());

    EXPECT_TRUE(reg.RegSaveSettingSimple(S("HKU\\S\\Name"), S("text")));
    EXPECT_EQ(reg.RegValueType(HKEY_USERS, S("S"), S("Name")), REG_SZ);
    EXPECT_TRUE(reg.RegSaveSettingSimple(S("HKU\\S\\Count"), 12));
    EXPECT_EQ(reg.RegValueType(HKEY_USERS, S("S"), S("Count")), REG_DWORD);
    EXPECT_TRUE(reg.RegSaveSettingSimple(S("HKU\\S\\Count"), S("13"))); // keeps the stored type
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_USERS, S("S"), S("Count"), 0), 13);
    EXPECT_FALSE(reg.RegSaveSettingSimple(S("HKU\\S\\Count"), S("many")));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_USERS, S("S"), S("Count"), 0), 13);
    EXPECT_TRUE(reg.RegSaveSettingSimple(S("HKU\\S\\Name"), S("   ")));
    EXPECT_FALSE(reg.RegGetSettingSimple(S("HKU\\S\\Name")).isValid()); // blank text is Null
    EXPECT_TRUE(reg.RegSaveSettingSimple(S("HKU\\S\\"), 5, -1, REG_DWORD));
    EXPECT_EQ(reg.RegGetSettingLong(HKEY_USERS, S("S"), QString(), 0), 5);
    EXPECT_EQ(Registry::RegHKeyFromAbbr(S("hkcr")), HKEY_CLASSES_ROOT);
    EXPECT_EQ(Registry::RegHKeyFromAbbr(S("HKEY_CURRENT_USER")), 0u);
}

TEST_F(RegistryTest, RenamingValues)
{
    EXPECT_FALSE(reg.RegValueRename(HKEY_CURRENT_USER, K, S("a"), S("b")));
    reg.RegSaveSettingByte(HKEY_CURRENT_USER, K, S("Old"), QByteArray("\x07", 1));
    reg.RegSaveSettingString(HKEY_CURRENT_USER, K, S("Other"), S("x"));
    EXPECT_FALSE(reg.RegValueRename(HKEY_CURRENT_USER, K, S("missing"), S("Other")));
    EXPECT_EQ(reg.RegGetSettingString(HKEY_CURRENT_USER, K, S("Other")), S("x")); // untouched

    EXPECT_TRUE(reg.RegValueRename(HKEY_CURRENT_USER, K, S("old"), S("New")));
    EXPECT_FALSE(reg.RegValueExists(HKEY_CURRENT_USER, K, S("Old")));
    EXPECT_EQ(*reg.RegGetSettingByte(HKEY_CURRENT_USER, K, S("New")), QByteArray("\x07", 1));
    // Only the case changes: the value must survive.
    EXPECT_TRUE(reg.RegValueRename(HKEY_CURRENT_USER, K, S("New"), S("NEW")));
    QStringList names;
    reg.RegArrayValues(HKEY_CURRENT_USER, K, names);
    EXPECT_EQ(names, (QStringList{S("NEW"), S("Other")}));
    EXPECT_TRUE(reg.RegValueRename(HKEY_CURRENT_USER, K, S("NEW"), S("other"))); // replaces
    reg.RegArrayValues(HKEY_CURRENT_USER, K, names);
    EXPECT_EQ(names, QStringList{S("other")});
    EXPECT_EQ(reg.RegValueType(HKEY_CURRENT_USER, K, S("Other")), REG_BINARY);
}

TEST_F(RegistryTest, ClassEntriesAndServerPaths)
{
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, S(".txt"), QString(), S("txtfile") + NUL + S("x"));
    EXPECT_EQ(reg.RegFindClassEntry(S("txt")), S("txtfile"));
    EXPECT_EQ(reg.RegFindClassEntry(S(".TXT")), S("txtfile"));
    EXPECT_EQ(reg.RegFindClassEntry(S("doc")), QString());
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, S(".a\\b"), QString(), S("nested"));
    EXPECT_EQ(reg.RegFindClassEntry(S("a\\b")), QString());

    TempDir dir;
    const QString server = dir.writeFile(S("server.exe"), "MZ");
    const QString clsid = S("{12345678-1234-1234-1234-123456789ABC}");
    reg.RegSaveSettingString(HKEY_LOCAL_MACHINE, S("Software\\Classes\\Demo.App\\CLSID"), QString(),
                             clsid);
    EXPECT_EQ(reg.RegGetServerPath(S("Demo.App"), false), QString()); // no server key yet
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, S("CLSID\\") + clsid + S("\\InprocServer32"),
                             QString(), dir.filePath(S("inproc.dll")));
    EXPECT_EQ(reg.RegGetServerPath(S("Demo.App"), false), dir.filePath(S("inproc.dll")));
    EXPECT_EQ(reg.RegGetServerPath(S("Demo.App"), true), QString()); // no such file
    reg.RegSaveSettingString(HKEY_CLASSES_ROOT, S("CLSID\\") + clsid + S("\\LocalServer32"),
                             QString(), server + S(" -Automation"));
    EXPECT_EQ(reg.RegGetServerPath(S("Demo.App"), true), server);
    EXPECT_EQ(reg.RegGetServerPath(S("Other.App"), false), QString());
}
