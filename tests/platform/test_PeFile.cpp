// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/TestText.h"

#include <QFile>
#include <QtEndian>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {
const QByteArray kVersion("version-bytes");
const QByteArray kIcon(300, 'i');
constexpr quint32 kSubdirectory = 0x80000000u;

PeWriter sampleWriter(bool pe32Plus)
{
    PeWriter w;
    w.pe32Plus = pe32Plus;
    w.add(PeFile::RtVersion, 1, 0x0407, kVersion);
    w.add(PeFile::RtIcon, 7, 0x0409, kIcon);
    w.add(PeFile::RtIcon, 7, 0x0000, QByteArray("neutral"));
    w.add(u("MYDATA"), u("Eintrag"), 0x0407, QByteArray("named"));
    return w;
}

// The bytes of every resource listed, in directory order.
QByteArrayList contents(const PeFile& pe)
{
    QByteArrayList all;
    for (const PeResource& r : pe.resources())
        all.append(pe.data(r));
    return all;
}

// `bytes` with `value` written little-endian, as wide as its type, at `at`.
template <typename T> QByteArray patched(QByteArray bytes, quint32 at, T value)
{
    qToLittleEndian(value, bytes.data() + at);
    return bytes;
}
} // namespace

class PeFileFormats : public ::testing::TestWithParam<bool> {};

TEST_P(PeFileFormats, ListsEveryLeafWithItsBytesAndTheExportsInTableOrder)
{
    PeWriter w = sampleWriter(GetParam());
    w.exports = {u("DllRegisterServer"), u("DllUnregisterServer"), u("?Hilfe@@YAXXZ")};
    TempDir dir;
    PeFile pe;
    ASSERT_TRUE(pe.open(dir.writeFile(u("a.dll"), w.build())));
    EXPECT_TRUE(pe.isPe());
    EXPECT_EQ(pe.is64Bit(), GetParam());
    EXPECT_EQ(pe.exportNames(), w.exports);
    ASSERT_EQ(pe.resources().size(), 4);
    EXPECT_EQ(pe.resources().at(0).type.name, u("MYDATA"));
    EXPECT_EQ(pe.resources().at(0).name.name, u("Eintrag"));
    EXPECT_EQ(contents(pe), (QByteArrayList{"named", kIcon, "neutral", kVersion}));
    EXPECT_EQ(pe.resourcesOfType(PeFile::RtIcon).size(), 2);

    // The asked language, else the neutral one, else the first.
    EXPECT_EQ(pe.data(*pe.find(PeFile::RtIcon, 7, 0x0409)), kIcon);
    EXPECT_EQ(pe.data(*pe.find(PeFile::RtIcon, 7, 0x0407)), QByteArray("neutral"));
    EXPECT_EQ(pe.data(*pe.find(PeFile::RtIcon, 7)), QByteArray("neutral"));
    EXPECT_EQ(pe.find(PeFile::RtVersion, 1, 0x0409)->language, 0x0407);
    EXPECT_FALSE(pe.find(PeFile::RtIcon, 8));
}

INSTANTIATE_TEST_SUITE_P(Pe32AndPe32Plus, PeFileFormats, ::testing::Bool());

TEST(PeFile, RefusesWhatIsNoPeImage)
{
    TempDir dir;
    // A named pipe must be refused at once: opening it for reading would wait
    // for a writer forever.
    const QString fifo = dir.filePath(u("pipe.exe"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    PeFile pe;
    for (const QString& path :
         {dir.filePath(u("fehlt.exe")), dir.path(), fifo, dir.writeFile(u("leer.exe")),
          dir.writeFile(u("text.exe"), QByteArray(4096, 'x'))})
        EXPECT_FALSE(pe.open(path)) << path.toStdString();
    QByteArray onlyDos(4096, '\0');
    onlyDos.replace(0, 2, "MZ");
    EXPECT_FALSE(pe.openData(patched(onlyDos, 0x3C, 0xFFFFFFF0u))); // header far past the end
    EXPECT_FALSE(pe.isPe());
    EXPECT_TRUE(pe.resources().isEmpty());
}

TEST(PeFile, DamageLosesOnlyWhatItTouchesAndNothingIsReadPastTheEnd)
{
    PeWriter w;
    w.add(PeFile::RtVersion, 1, 0, kVersion);
    w.add(PeFile::RtIcon, 1, 0, kIcon); // the icon type sorts first
    PeWriter::Layout layout;
    const QByteArray good = w.build(&layout);
    w.withResourceDirectory = false;
    const quint32 root = layout.resourceOffset;
    const quint32 nameDir = layout.nameDirectories.at(0);
    const quint32 languageDir = layout.languageDirectories.at(0);
    const quint32 versionAt =
        root + *ByteReader(good).u32le(layout.dataEntries.last()) - layout.resourceRva;
    const struct {
        const char* what;
        QByteArray image;
        QByteArrayList found;
    } cases[] = {
        {"no resource directory", w.build(), {}},
        {"cut inside the version's bytes", good.left(versionAt + 5), {kIcon}},
        {"cut inside the directory tree", good.left(root + 20), {}},
        {"cut at the tree's start", good.left(root), {}},
        {"section's raw size far past the end",
         patched(good, layout.sectionTable + 40 + 16, 0x7FFFFFF0u),
         {kIcon, kVersion}},
        {"icon's size far past the end",
         patched(good, layout.dataEntries.at(0) + 4, 0xFFFFFFF0u),
         {kVersion}},
        {"65535 sections", patched(good, 0x40 + 6, quint16(0xFFFF)), {kIcon, kVersion}},
        {"the icon type pointing back at the root",
         patched(good, root + 20, kSubdirectory),
         {kVersion}},
        {"a name directory pointing at itself",
         patched(good, nameDir + 20, kSubdirectory | (nameDir - root)),
         {kVersion}},
        {"a language entry leading to a fourth level",
         patched(good, languageDir + 20, kSubdirectory | (languageDir - root)),
         {kVersion}},
        {"65535 named and 65535 numbered entries in a tiny tree",
         patched(good, root + 12, 0xFFFFFFFFu),
         {kIcon, kVersion}},
    };
    for (const auto& c : cases) {
        PeFile pe;
        ASSERT_TRUE(pe.openData(c.image)) << c.what;
        EXPECT_TRUE(pe.isPe()) << c.what;
        EXPECT_EQ(contents(pe), c.found) << c.what;
        EXPECT_TRUE(pe.exportNames().isEmpty()) << c.what;
    }
}

TEST(PeFileExports, DamageGivesTheNamesBeforeIt)
{
    PeWriter w;
    w.exports = {u("Erste"), u("Zweite"), u("Dritte")};
    PeWriter::Layout layout;
    const QByteArray good = w.build(&layout);
    const QStringList all = w.exports;
    // The last name running on to the end of its section, without its NUL.
    const qsizetype last = layout.exportNameAt.at(2);
    const QByteArray endless = good.left(last) + QByteArray(good.size() - last, 'A');
    const quint32 table = layout.exportNameTable;
    const quint32 directory = layout.exportDirectory;
    const struct {
        const char* what;
        QByteArray image;
        QStringList names;
    } cases[] = {
        {"cut inside the second name", good.left(layout.exportNameAt.at(1) + 3), {all.at(0)}},
        {"cut inside the name table", good.left(table + 6), {}},
        {"cut before the directory", good.left(directory + 20), {}},
        {"last name unterminated", endless, {all.at(0), all.at(1)}},
        {"a name outside every section",
         patched(good, table + 4, 0x7FFF0000u),
         {all.at(0), all.at(2)}},
        {"name table outside", patched(good, directory + 32, 0x7FFF0000u), {}},
        {"no names", patched(good, directory + 24, 0u), {}},
        {"a count of 4294967295", patched(good, directory + 24, 0xFFFFFFFFu), all},
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
