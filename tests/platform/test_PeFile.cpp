// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
const QByteArray kVersion("version-bytes");
const QByteArray kIcon(300, 'i');

PeWriter sampleWriter(bool pe32Plus)
{
    PeWriter w;
    w.pe32Plus = pe32Plus;
    w.add(PeFile::RtVersion, 1, 0x0407, kVersion);
    w.add(PeFile::RtIcon, 7, 0x0409, kIcon);
    w.add(PeFile::RtIcon, 7, 0x0000, QByteArray("neutral"));
    w.add(QStringLiteral("MYDATA"), QStringLiteral("Eintrag"), 0x0407, QByteArray("named"));
    return w;
}

QByteArray bytesOf(const PeFile& pe, const PeResource& r)
{
    return pe.data(r);
}
} // namespace

class PeFileFormats : public ::testing::TestWithParam<bool> {};

TEST_P(PeFileFormats, ListsEveryLeafWithItsBytes)
{
    TempDir dir;
    const QString path = dir.writeFile(QStringLiteral("a.exe"), sampleWriter(GetParam()).build());
    PeFile pe;
    ASSERT_TRUE(pe.open(path));
    EXPECT_TRUE(pe.isPe());
    EXPECT_EQ(pe.is64Bit(), GetParam());
    ASSERT_EQ(pe.resources().size(), 4);

    const PeResource& named = pe.resources().at(0);
    EXPECT_EQ(named.type.name, QStringLiteral("MYDATA"));
    EXPECT_EQ(named.name.name, QStringLiteral("Eintrag"));
    EXPECT_EQ(bytesOf(pe, named), QByteArray("named"));

    const auto version = pe.find(PeFile::RtVersion, 1);
    ASSERT_TRUE(version);
    EXPECT_EQ(version->language, 0x0407);
    EXPECT_EQ(bytesOf(pe, *version), kVersion);
    EXPECT_EQ(pe.resourcesOfType(PeFile::RtIcon).size(), 2);
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, PeFileFormats, ::testing::Bool());

TEST(PeFile, FindPrefersAskedLanguageThenNeutralThenFirst)
{
    PeFile pe;
    ASSERT_TRUE(pe.openData(sampleWriter(false).build()));
    EXPECT_EQ(bytesOf(pe, *pe.find(PeFile::RtIcon, 7, 0x0409)), kIcon);
    EXPECT_EQ(bytesOf(pe, *pe.find(PeFile::RtIcon, 7, 0x0407)), QByteArray("neutral"));
    EXPECT_EQ(bytesOf(pe, *pe.find(PeFile::RtIcon, 7)), QByteArray("neutral"));
    EXPECT_EQ(pe.find(PeFile::RtVersion, 1, 0x0409)->language, 0x0407);
    EXPECT_FALSE(pe.find(PeFile::RtIcon, 8));
}

TEST(PeFile, RefusesWhatIsNoPeImage)
{
    TempDir dir;
    PeFile pe;
    EXPECT_FALSE(pe.open(dir.filePath(QStringLiteral("fehlt.exe"))));
    EXPECT_FALSE(pe.open(dir.path()));
    EXPECT_FALSE(pe.open(dir.writeFile(QStringLiteral("leer.exe"))));
    EXPECT_FALSE(pe.open(dir.writeFile(QStringLiteral("text.exe"), QByteArray(4096, 'x'))));
    QByteArray onlyDos(4096, '\0');
    onlyDos[0] = 'M';
    onlyDos[1] = 'Z';
    PeWriter::put32(onlyDos, 0x3C, 0xFFFFFFF0u); // header pointer far past the end
    EXPECT_FALSE(pe.openData(onlyDos));
    EXPECT_FALSE(pe.isPe());
    EXPECT_TRUE(pe.resources().isEmpty());

    // A named pipe must be refused at once: opening it for reading would wait
    // for a writer forever.
    const QString fifo = dir.filePath(QStringLiteral("pipe.exe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(pe.open(fifo));
}

TEST(PeFile, ImageWithoutResourceDirectoryHasNoResources)
{
    PeWriter w = sampleWriter(false);
    w.withResourceDirectory = false;
    PeFile pe;
    EXPECT_TRUE(pe.openData(w.build()));
    EXPECT_TRUE(pe.isPe());
    EXPECT_TRUE(pe.resources().isEmpty());
}

TEST(PeFile, ResourceSectionCutShortKeepsWhatIsThere)
{
    PeWriter w;
    w.add(PeFile::RtIcon, 1, 0, kIcon);
    w.add(PeFile::RtVersion, 1, 0, kVersion); // its bytes come last
    PeWriter::Layout layout;
    QByteArray image = w.build(&layout);
    const auto lastEntry = layout.dataEntries.last();
    const quint32 versionAt =
        layout.resourceOffset + *ByteReader(image).u32le(lastEntry) - layout.resourceRva;
    image.truncate(versionAt + 5);
    PeFile pe;
    ASSERT_TRUE(pe.openData(image));
    EXPECT_FALSE(pe.find(PeFile::RtVersion, 1));
    EXPECT_EQ(bytesOf(pe, *pe.find(PeFile::RtIcon, 1)), kIcon);
    // Cut inside the directory tree and right at its start.
    for (quint32 size : {layout.resourceOffset + 20, layout.resourceOffset}) {
        ASSERT_TRUE(pe.openData(image.left(size))) << size;
        EXPECT_TRUE(pe.resources().isEmpty()) << size;
    }
}

TEST(PeFile, SectionsAndSizesPastTheEndAreNotRead)
{
    PeWriter w;
    w.add(PeFile::RtVersion, 1, 0, kVersion);
    w.add(PeFile::RtIcon, 1, 0, kIcon);
    PeWriter::Layout layout;
    const QByteArray good = w.build(&layout);

    QByteArray hugeSection = good;
    PeWriter::put32(hugeSection, layout.sectionTable + 40 + 16, 0x7FFFFFF0u); // raw size
    PeFile pe;
    ASSERT_TRUE(pe.openData(hugeSection));
    EXPECT_EQ(bytesOf(pe, *pe.find(PeFile::RtVersion, 1)), kVersion);

    QByteArray hugeData = good;
    PeWriter::put32(hugeData, layout.dataEntries.at(0) + 4, 0xFFFFFFF0u); // the icon's size
    ASSERT_TRUE(pe.openData(hugeData));
    EXPECT_FALSE(pe.find(PeFile::RtIcon, 1));
    EXPECT_TRUE(pe.find(PeFile::RtVersion, 1));

    QByteArray manySections = good;
    PeWriter::put16(manySections, 0x40 + 6, 0xFFFF);
    ASSERT_TRUE(pe.openData(manySections));
    EXPECT_TRUE(pe.find(PeFile::RtVersion, 1));
}

TEST(PeFile, LoopsAndDeepTreesEndWithoutFalseEntries)
{
    PeWriter w;
    w.add(PeFile::RtIcon, 1, 0, kIcon);
    w.add(PeFile::RtVersion, 1, 0, kVersion);
    PeWriter::Layout layout;
    const QByteArray good = w.build(&layout);
    PeFile pe;

    // The icon type's entry points back at the root directory.
    QByteArray selfRoot = good;
    PeWriter::put32(selfRoot, layout.resourceOffset + 16 + 4, 0x80000000u);
    ASSERT_TRUE(pe.openData(selfRoot));
    EXPECT_FALSE(pe.find(PeFile::RtIcon, 1));
    EXPECT_EQ(bytesOf(pe, *pe.find(PeFile::RtVersion, 1)), kVersion);

    // A name directory whose entry points at itself.
    QByteArray selfName = good;
    const quint32 nameDir = layout.nameDirectories.at(0);
    PeWriter::put32(selfName, nameDir + 16 + 4, 0x80000000u | (nameDir - layout.resourceOffset));
    ASSERT_TRUE(pe.openData(selfName));
    EXPECT_FALSE(pe.find(PeFile::RtIcon, 1));

    // A language entry that leads to yet another directory (a fourth level).
    QByteArray deep = good;
    const quint32 langDir = layout.languageDirectories.at(0);
    PeWriter::put32(deep, langDir + 16 + 4, 0x80000000u | (langDir - layout.resourceOffset));
    ASSERT_TRUE(pe.openData(deep));
    EXPECT_FALSE(pe.find(PeFile::RtIcon, 1));
    EXPECT_TRUE(pe.find(PeFile::RtVersion, 1));

    // Counts of 65535 named and 65535 numbered entries in a tiny tree.
    QByteArray counts = good;
    PeWriter::put16(counts, layout.resourceOffset + 12, 0xFFFF);
    PeWriter::put16(counts, layout.resourceOffset + 14, 0xFFFF);
    ASSERT_TRUE(pe.openData(counts));
    for (const PeResource& r : pe.resources())
        EXPECT_EQ(pe.data(r).size(), qsizetype(r.size));
}

TEST(PeFileExports, NamesInTableOrderInBothFormats)
{
    for (const bool pe32Plus : {false, true}) {
        PeWriter w = sampleWriter(pe32Plus);
        w.exports = {QStringLiteral("DllRegisterServer"), QStringLiteral("DllUnregisterServer"),
                     QStringLiteral("?Hilfe@@YAXXZ")};
        TempDir dir;
        PeFile pe;
        ASSERT_TRUE(pe.open(dir.writeFile(QStringLiteral("a.dll"), w.build())));
        EXPECT_EQ(pe.exportNames(), w.exports) << pe32Plus;
        EXPECT_EQ(pe.resources().size(), 4); // the resources are still found
    }
    PeFile plain;
    ASSERT_TRUE(plain.openData(sampleWriter(false).build()));
    EXPECT_TRUE(plain.exportNames().isEmpty());
}

TEST(PeFileExports, DamageGivesTheNamesBeforeIt)
{
    PeWriter w;
    w.exports = {QStringLiteral("Erste"), QStringLiteral("Zweite"), QStringLiteral("Dritte")};
    PeWriter::Layout layout;
    const QByteArray good = w.build(&layout);
    const QStringList all = w.exports;
    const auto cut = [&](qsizetype size) { return good.left(size); };
    const auto patched = [&](quint32 at, quint32 value) {
        QByteArray bytes = good;
        PeWriter::put32(bytes, at, value);
        return bytes;
    };
    // The last name running on to the end of its section, without its NUL.
    QByteArray endless = good;
    for (qsizetype i = layout.exportNameAt.at(2); i < endless.size(); ++i)
        endless[i] = 'A';
    const struct {
        const char* what;
        QByteArray image;
        QStringList names;
    } cases[] = {
        {"cut inside the second name", cut(layout.exportNameAt.at(1) + 3), {all.at(0)}},
        {"cut inside the name table", cut(layout.exportNameTable + 6), {}},
        {"cut before the directory", cut(layout.exportDirectory + 20), {}},
        {"last name unterminated", endless, {all.at(0), all.at(1)}},
        {"a name outside every section",
         patched(layout.exportNameTable + 4, 0x7FFF0000),
         {all.at(0), all.at(2)}},
        {"name table outside", patched(layout.exportDirectory + 32, 0x7FFF0000), {}},
        {"no names", patched(layout.exportDirectory + 24, 0), {}},
        {"a count of 4294967295", patched(layout.exportDirectory + 24, 0xFFFFFFFF), all},
    };
    for (const auto& c : cases) {
        PeFile pe;
        ASSERT_TRUE(pe.openData(c.image)) << c.what;
        const QStringList names = pe.exportNames();
        // Table bytes read as name addresses lead nowhere or to a name.
        EXPECT_EQ(names.mid(0, c.names.size()), c.names) << c.what;
        for (const QString& name : names.mid(c.names.size()))
            EXPECT_TRUE(all.contains(name)) << c.what;
    }
}
