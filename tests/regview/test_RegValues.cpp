// SPDX-License-Identifier: GPL-3.0-or-later
#include "RegViewTesting.h"

namespace {
constexpr RegDialect V5 = RegDialect::Version5;
constexpr RegDialect R4 = RegDialect::Regedit4;
} // namespace

TEST(RegValues, EachFormOfValueShowsItsTypeAndData)
{
    const struct {
        const char* line;
        const char* name;
        const char* type;
        const char* shown;
        const char* complete = nullptr; // null: as shown
        RegDialect dialect = V5;
    } cases[] = {
        {R"(@="Standard")", "@", "REG_SZ", "Standard"},
        {R"("Pfad"="C:\\Programme\\a\"b")", "Pfad", "REG_SZ", R"(C:\Programme\a"b)",
         R"(C:\\Programme\\a"b)"},
        {R"("a=b;c]"=dword:0000000a)", "a=b;c]", "REG_DWORD", "0x0000000a (10)"},
        {R"("x\\\"y" = DWORD:ffffffff)", R"(x\"y)", "REG_DWORD", "0xffffffff (4294967295)", nullptr,
         R4},
        {R"("Bin"=hex:01,AB,00)", "Bin", "REG_BINARY", "01 ab 00"},
        {R"("Leer"=hex:)", "Leer", "REG_BINARY", "(leer)"},
        {R"("N"=hex(0):)", "N", "REG_NONE", "(leer)"},
        {R"("S"=hex(1):41,00,e4,00,00,00)", "S", "REG_SZ", "Aä"},
        {R"("S"=hex(1):41,e4,80,00)", "S", "REG_SZ", "Aä€", nullptr, R4},
        {R"("E"=hex(2):25,00,41,00,25,00,00,00)", "E", "REG_EXPAND_SZ", "%A%"},
        {R"("B"=hex(3):ff)", "B", "REG_BINARY", "ff"},
        {R"("D"=hex(4):0a,00,00,00)", "D", "REG_DWORD", "0x0000000a (10)"},
        {R"("D"=hex(4):0a,00,00)", "D", "REG_DWORD", "0a 00 00"},
        {R"("D"=hex(5):00,00,01,00)", "D", "REG_DWORD_BIG_ENDIAN", "0x00000100 (256)"},
        {R"("L"=hex(6):5c,00,78,00)", "L", "REG_LINK", R"(\x)", R"(\\x)"},
        {R"("M"=hex(7):61,00,00,00,62,00,00,00,00,00)", "M", "REG_MULTI_SZ", "a b", R"(a\0b)"},
        {R"("M"=hex(7):61,00,00,62,00,00)", "M", "REG_MULTI_SZ", "a  b", R"(a\0\0b)", R4},
        {R"("R"=hex(8):01)", "R", "REG_RESOURCE_LIST", "01"},
        {R"("Q"=hex(b):0a,00,00,00,00,00,00,01)", "Q", "REG_QWORD",
         "0x010000000000000a (72057594037927946)"},
        {R"("O"=hex(ffff0012):01,02)", "O", "hex(ffff0012)", "01 02"},
        {R"("Weg"=-)", "Weg", "gelöscht", ""},
        // Text that does not decode shows its bytes; control characters show escaped.
        {R"("S"=hex(1):41,00,42)", "S", "REG_SZ", "41 00 42"},
        {R"("S"=hex(1):00,d8,41,00)", "S", "REG_SZ", "00 d8 41 00"},
        {R"("C"=hex(1):41,00,0a,00,09,00,00,00,42,00,00,00)", "C", "REG_SZ", R"(A\n\t\0B)"},
        // Anything else is shown as it stands.
        {R"("offen=1)", "", "fehlerhaft", R"("offen=1)"},
        {R"("z"=dword:xyz)", "", "fehlerhaft", R"("z"=dword:xyz)"},
        {R"("z"=dword:123456789)", "", "fehlerhaft", R"("z"=dword:123456789)"},
        {R"("h"=hex:0g)", "", "fehlerhaft", R"("h"=hex:0g)"},
        {R"("h"=hex(7x):00)", "", "fehlerhaft", R"("h"=hex(7x):00)"},
        {R"("t"="a" b)", "", "fehlerhaft", R"("t"="a" b)"},
        {R"("u" etwas)", "", "fehlerhaft", R"("u" etwas)"},
        {R"(\\C:\\x)", "", "fehlerhaft", R"(\\C:\\x)", R"(\\\\C:\\\\x)"},
    };
    for (const auto& c : cases) {
        const std::vector<RegValueRow> rows = ReadRows(c.dialect, {QString::fromUtf8(c.line)});
        ASSERT_EQ(rows.size(), 1u) << c.line;
        const RegValueRow& row = rows.front();
        EXPECT_EQ(row.name, QString::fromUtf8(c.name)) << c.line;
        EXPECT_EQ(row.type, QString::fromUtf8(c.type)) << c.line;
        EXPECT_EQ(row.Shown(), QString::fromUtf8(c.shown)) << c.line;
        EXPECT_EQ(row.Complete(), QString::fromUtf8(c.complete ? c.complete : c.shown)) << c.line;
    }
}

TEST(RegValues, LinesOfAKeyMakeItsRows)
{
    const QStringList lines = {
        R"("a=1"="x")",
        R"("a=2"="y")", // alike up to their "=": still two values
        R"(; ein Kommentar)",
        R"("Bin"=hex:01,02,\)",
        R"(03,04,\)",
        R"(05)",
        R"("Kurz"=hex:0a,\)", // a "\" before the next value ends this one
        R"("Name;mit]"=hex(2):41,00,00,00)",
        R"("Schluss"=hex:ff,\)", // and so does the end of the key
    };
    EXPECT_EQ(
        RowTexts(ReadRows(V5, lines)),
        QStringList({"a=1|REG_SZ|x", "a=2|REG_SZ|y", "Bin|REG_BINARY|01 02 03 04 05",
                     "Kurz|REG_BINARY|0a", "Name;mit]|REG_EXPAND_SZ|A", "Schluss|REG_BINARY|ff"}));
    // A broken byte in a continued value takes all its lines with it.
    EXPECT_EQ(RowTexts(ReadRows(V5, {R"("b"=hex:01,\)", "0x,\\", "02"})),
              QStringList({R"(|fehlerhaft|"b"=hex:01,\0x,\02)"}));
}

TEST(RegValues, LongValuesAreShortenedInTheListOnly)
{
    RegValueRow row;
    row.type = u("REG_SZ");
    row.text = QString(2500, QLatin1Char('x'));
    EXPECT_EQ(row.Shown(), QString(2000, QLatin1Char('x')) + u(" …"));
    EXPECT_EQ(row.Complete(), row.text);
    row.text = QString(2000, QLatin1Char('x'));
    EXPECT_EQ(row.Shown(), row.text);

    row.kind = RegValueRow::Kind::Bytes;
    row.bytes = QByteArray(1000, '\x11');
    EXPECT_EQ(row.Shown().size(), 2000 + 2);
    EXPECT_TRUE(row.Shown().startsWith(u("11 11 ")));
    EXPECT_EQ(row.Complete().size(), 1000 * 3 - 1);
}
