// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FilePattern.h"
#include "core/FolderListing.h"
#include "platform/FileNameCodec.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>

TEST(FilePattern, WildcardsIgnoreCaseAndSeveralPatternsCombine)
{
    const struct {
        const char* pattern;
        const char* name;
        bool matches;
    } cases[] = {
        {"*.*", "README", true},
        {"", "x", true},
        {"*.jpg", "Foto.JPG", true},
        {"*.jpg", "foto.jpeg", false},
        {" *.jpg ; *.png ", "a.PNG", true},
        {"?.txt", "a.txt", true},
        {"?.txt", "ab.txt", false},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},
        {"*ä*", "BÄR.txt", true},
        {"*.tar.gz", "x.tar.gz", true},
        {"**", "anything", true},
        // A "*" in the name is an ordinary character, never a wildcard.
        {"*.txt", "*notiz.txt", true},
        {"a?c", "a*c", true},
        {"*a*a*a*", "aaa", true},
        {"*a*a*a*", "aa", false},
        {"*.txt", "a.txt.bak", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FilePattern(QString::fromUtf8(c.pattern)).Matches(QString::fromUtf8(c.name)),
                  c.matches)
            << c.pattern << " ~ " << c.name;
}

TEST(FolderListing, SortsByNameIgnoringCaseThenExactAndSkipsDotFilesAndFolders)
{
    TempDir dir;
    for (const char* name : {"b.txt", "B.txt", "a.TXT", "c.jpg", ".hidden.txt"})
        dir.writeFile(QLatin1String(name), "x");
    dir.makeDir(u("sub.txt"));
    dir.makeDir(u(".git"));
    QFile::link(dir.filePath(u("c.jpg")), dir.filePath(u("link.jpg")));
    QFile::link(dir.filePath(u("nowhere")), dir.filePath(u("broken.jpg")));

    EXPECT_EQ(FolderListing::Files(dir.path(), FilePattern(u("*.*"))),
              (QStringList{u("a.TXT"), u("B.txt"), u("b.txt"), u("c.jpg"), u("link.jpg")}));
    EXPECT_EQ(FolderListing::Files(dir.path(), FilePattern(u("*.txt"))),
              (QStringList{u("a.TXT"), u("B.txt"), u("b.txt")}));
    EXPECT_EQ(FolderListing::Folders(dir.path()), QStringList{u("sub.txt")});
    EXPECT_TRUE(FolderListing::HasFile(dir.path(), FilePattern(u("*.jpg"))));
    EXPECT_FALSE(FolderListing::HasFile(dir.path(), FilePattern(u("*.png"))));
    EXPECT_TRUE(FolderListing::Files(dir.filePath(u("missing/")), FilePattern()).isEmpty());
}

// Folded UTF-16 code units decide, as the file box always sorted: an emoji
// (a surrogate pair) before U+E000, units either side of U+0080 and U+0800,
// names alike in their first 16 characters, exact names on a tie.
TEST(FolderListing, SortsBeyondAsciiAndLongCommonBeginnings)
{
    const QStringList sorted = {u("abcdefghijklmno"),
                                u("abcdefghijklmnop"),
                                u("ABCDEFGHIJKLMNOP-10.txt"),
                                u("abcdefghijklmnop-2.txt"),
                                u("abcdefghijklmnopq"),
                                u("b.txt"),
                                u("LongerThanSixteen-A.txt"),
                                u("longerthansixteen-a.txt"),
                                u("~.txt"),
                                u("Ä.txt"),
                                u("ä.txt"),
                                u("é.txt"),
                                u("ÿ.txt"),
                                u("Ā.txt"),
                                u("\u07FF.txt"),
                                u("\u0800.txt"),
                                u("😀.txt"),
                                u("\uE000.txt"),
                                u("Ｂ.txt")};
    QStringList names(sorted.rbegin(), sorted.rend());
    FolderListing::SortNames(names);
    EXPECT_EQ(names, sorted);
}

// A Latin-1 name from an old archive: listed with its bytes, opened by them.
TEST(FolderListing, KeepsNameBytesThatAreNotUtf8AndTheCodecRoundTripsThem)
{
    TempDir dir;
    dir.writeFileNamed("caf\xe9.txt", "Inhalt");
    dir.writeFile(u("café.txt"), "utf8");

    const QList<FolderListing::Entry> entries =
        FolderListing::FileEntries(dir.path(), FilePattern(u("caf*.txt")));
    ASSERT_EQ(entries.size(), 2);
    const auto latin =
        std::find_if(entries.begin(), entries.end(), [](const auto& e) { return !e.validUtf8; });
    ASSERT_NE(latin, entries.end());
    EXPECT_EQ(latin->bytes, QByteArray("caf\xe9.txt"));

    QFile file;
    ASSERT_TRUE(OpenFileByName(file, dir.path() + latin->name, QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Inhalt"));
    EXPECT_TRUE(FolderListing::Files(dir.path(), FilePattern()).contains(latin->name));

    // The codec gives every byte sequence back.
    const QByteArray cases[] = {
        "plain.txt",
        "caf\xc3\xa9",
        "caf\xe9",
        "\xff\xfe",
        "\xed\xa0\x80", // an encoded surrogate is not UTF-8
        "\xc0\xaf",     // overlong "/"
        "\xf0\x9f\x98\x80",
        "\xf0\x9f\x98",
        "a\x80"
        "b",
    };
    for (const QByteArray& bytes : cases) {
        const QString name = DecodeFileName(bytes);
        EXPECT_EQ(EncodeFileName(name), bytes) << bytes.toHex().constData();
        EXPECT_EQ(HasRawBytes(name), !IsUtf8FileName(bytes)) << bytes.toHex().constData();
    }
    EXPECT_EQ(DecodeFileName("\xf0\x9f\x98\x80").size(), 2); // one emoji, a surrogate pair
    EXPECT_EQ(DecodeFileName("\xed\xa0\x80").size(), 3);
}
