// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/FileVersionInfo.h"
#include "fileinfo/LanguageNames.h"
#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/TestText.h"
#include "support/VersionNode.h"

#include <QDir>

#include <functional>

#include <gtest/gtest.h>

namespace {
using Entries = QList<std::pair<QString, QString>>;

// The string table's keys in the order strings() lists their fields, and the
// German table's values.
const QStringList kKeys = u("CompanyName FileDescription FileVersion InternalName LegalCopyright "
                            "LegalTrademarks OriginalFilename ProductName ProductVersion Comments")
                              .split(QLatin1Char(' '));
const QStringList kGerman = u("Beispiel GmbH|Prüfprogramm für Größen|5.1.2600.5512 (xpsp)|pruef|"
                              "© 2024 Beispiel|Beispiel®|pruef.exe|Prüfwerk|7.0|Nur zum Testen")
                                .split(QLatin1Char('|'));

QStringList strings(const FileVersionInfo& i)
{
    return {i.CompanyName(),    i.FileDescription(), i.FileVersion(),      i.InternalName(),
            i.LegalCopyright(), i.LegalTrademarks(), i.OriginalFilename(), i.ProductName(),
            i.ProductVersion(), i.Comments()};
}

VersionNode::Fixed fixed(quint32 fileMS, quint32 fileLS)
{
    return {.fileMS = fileMS, .fileLS = fileLS, .productMS = 0x00070000};
}

QByteArray imageWith(const QByteArray& versionResource)
{
    PeWriter w;
    w.add(PeFile::RtVersion, 1, 0x0407, versionResource);
    return w.build();
}

FileVersionInfo read(const VersionNode& root)
{
    FileVersionInfo info;
    info.RefreshFromData(imageWith(root.serialize()));
    return info;
}

// Version 1.00.0000 with the given blocks.
FileVersionInfo readBlocks(const QList<VersionNode>& children)
{
    return read(VersionNode::root(fixed(0x00010000, 0), children));
}

VersionNode germanTable(const QString& code = u("040704B0"))
{
    Entries entries;
    for (qsizetype i = 0; i < kKeys.size(); ++i)
        entries.append({kKeys[i], kGerman[i]});
    return VersionNode::strings(code, entries);
}

VersionNode germanResource(const VersionNode::Fixed& f = fixed(0x00050001, 0x0A281588))
{
    return VersionNode::root(f, {germanTable(), VersionNode::translations({{0x0407, 0x04B0}})});
}
} // namespace

TEST(FileVersionInfo, VersionTextsAndRevisions)
{
    const struct {
        quint32 ms, ls;
        const char* text;
        qint64 revision;
    } rows[] = {
        {0x00020003, 0x00040005, "2.03.0405", 405},
        {0x00020003, 0x0004007B, "2.03.04123", 4123},
        // Parts are unsigned 16-bit values.
        {0x9C409C40, 0x00009C40, "40000.40000.40000", 40000},
        // Revisions beyond the range of a signed 32-bit number.
        {0x00010000, 0xFFFFFFFF, "1.00.6553565535", 6553565535LL},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(FileVersionInfo::VersionText(r.ms, r.ls), QLatin1String(r.text)) << r.text;
        EXPECT_EQ(FileVersionInfo::VersionRevision(r.ls), r.revision) << r.text;
    }
}

TEST(FileVersionInfo, FlagOsTypeSubtypeAndLanguageTexts)
{
    EXPECT_EQ(FileVersionInfo::FlagsText(0), QString());
    EXPECT_EQ(FileVersionInfo::FlagsText(0xFFFFFFFF),
              u("Debug PreRel Patched Private Info Special"));
    EXPECT_EQ(FileVersionInfo::OSText(0x00040000), u("Unknown"));
    for (quint32 unknown : {0u, 6u, 8u, 0xFFFFFFFFu})
        EXPECT_EQ(FileVersionInfo::TypeText(unknown), u("Unknown")) << unknown;
    EXPECT_EQ(FileVersionInfo::SubTypeText(3, 11), QString());
    EXPECT_EQ(FileVersionInfo::SubTypeText(4, 0), QString());
    EXPECT_EQ(FileVersionInfo::SubTypeText(2, 1), QString());

    EXPECT_EQ(LanguageName(0x0000), u("Sprachneutral"));
    EXPECT_EQ(LanguageName(0x0400), u("Sprachneutral"));
    EXPECT_EQ(LanguageName(0x2007), u("Deutsch")); // unlisted sublanguage
    EXPECT_EQ(LanguageName(0x00FE), u("Sprache 0x00FE"));
}

// Alignment counts from the resource, not the file: this one starts at 2 mod 4.
TEST(FileVersionInfo, ReadsFixedBlockAndFirstStringTable)
{
    PeWriter w;
    w.dataAlignment = 2;
    w.add(PeFile::RtIcon, 1, 0, QByteArray("xx"));
    VersionNode::Fixed driver = fixed(0x00050001, 0x0A281588);
    driver.flags = 0x03;
    driver.fileType = 3;
    driver.subtype = 1;
    w.add(PeFile::RtVersion, 1, 0, germanResource(driver).serialize());
    FileVersionInfo info;
    info.RefreshFromData(w.build());
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(strings(info), kGerman);
    EXPECT_EQ(info.FileVersionMajor(), 5u);
    EXPECT_EQ(info.FileVersionMinor(), 1u);
    EXPECT_EQ(info.FileVersionRevision(), 26005512);
    EXPECT_EQ(info.FileFlags(), u("Debug PreRel"));
    EXPECT_EQ(info.FileOS(), u("NT-Win32"));
    EXPECT_EQ(info.FileType(), u("Driver"));
    EXPECT_EQ(info.FileSubType(), u("Printer drv"));
    EXPECT_EQ(info.Language(), u("Deutsch (Deutschland)"));
}

TEST(FileVersionInfo, TranslationTableVariants)
{
    // VarFileInfo ahead of StringFileInfo, and language 0.
    FileVersionInfo info =
        readBlocks({VersionNode::translations({{0x0000, 0x04B0}, {0x0407, 0x04B0}}),
                    germanTable(u("000004B0"))});
    EXPECT_EQ(info.Language(), u("Sprachneutral"));
    EXPECT_EQ(strings(info), kGerman);

    // The table carries another code page than the translation names.
    info = readBlocks({germanTable(u("040904b0")), VersionNode::translations({{0x0409, 0x04E4}})});
    EXPECT_EQ(info.Language(), u("Englisch (USA)"));
    EXPECT_EQ(strings(info), kGerman);

    // Empty entries fall back to the fixed block.
    const QStringList fixedOnly = {"", "", "1.00.0000", "", "", "", "", "", "7.00.0000", ""};
    const Entries empty = {
        {u("FileVersion"), QString()}, {u("ProductVersion"), u("   ")}, {u("CompanyName"), {}}};
    info = readBlocks({VersionNode::strings(u("040904B0"), empty),
                       VersionNode::translations({{0x0409, 0x04B0}})});
    EXPECT_EQ(info.Language(), u("Englisch (USA)"));
    EXPECT_EQ(strings(info), fixedOnly);

    // Without a translation table there is neither language nor strings.
    info = readBlocks({germanTable()});
    EXPECT_TRUE(info.Available());
    EXPECT_EQ(info.Language(), QString());
    EXPECT_EQ(strings(info), fixedOnly);
}

TEST(FileVersionInfo, BlocksThatLieAboutTheirLengthGiveNoFalseValuesAndNoLoop)
{
    const QStringList none(5, QString());
    const struct {
        const char* name;
        std::function<void(VersionNode&)> damage;
        QStringList expected;
    } cases[] = {
        {"a block of length 0 ends its list",
         [](VersionNode& root) { root.children[0].children[0].children[3].lengthOverride = 0; },
         kGerman.mid(0, 3) + none + QStringList({"7.00.0000", ""})},
        // Four characters end the block on a 32-bit boundary, so the next block's
        // header follows without a NUL in between.
        {"a value of 32767 characters without NUL",
         [](VersionNode& root) {
             VersionNode& company = root.children[0].children[0].children[0];
             company.value = QByteArray("A\0B\0C\0D\0", 8);
             company.valueLength = 0x7FFF;
         },
         QStringList{u("ABCD")} + kGerman.mid(1)},
        {"the root claims 65535 bytes of a few hundred",
         [](VersionNode& root) { root.lengthOverride = 0xFFFF; }, kGerman},
        // Read up to the parent's end; the translation table behind it stays reachable.
        {"a string table claims more than its parent",
         [](VersionNode& root) { root.children[0].children[0].lengthOverride = 0xFFF0; }, kGerman},
    };
    for (const auto& c : cases) {
        VersionNode root = germanResource();
        c.damage(root);
        const FileVersionInfo info = read(root);
        EXPECT_EQ(strings(info), c.expected) << c.name;
        EXPECT_EQ(info.Language(), u("Deutsch (Deutschland)")) << c.name;
    }

    // A resource cut in the middle of the fixed block is no fixed block at all.
    FileVersionInfo info;
    info.RefreshFromData(imageWith(germanResource().serialize().left(60)));
    EXPECT_EQ(info.FileVersion(), QString());
    EXPECT_EQ(info.FileType(), QString());
}

TEST(FileVersionInfo, FilesAreNamedAbsoluteAndThoseWithoutVersionLeaveNothingBehind)
{
    TempDir dir;
    const QString withVersion =
        dir.writeFile(u("sub/mit.dll"), imageWith(germanResource().serialize()));
    PeWriter noVersion;
    noVersion.add(PeFile::RtIcon, 1, 0, QByteArray("icon"));
    const QString without = dir.writeFile(u("ohne.dll"), noVersion.build());
    const QString text = dir.writeFile(u("text.dll"), QByteArray(200, 'x'));

    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.filePath(u("sub")));
    FileVersionInfo info;
    info.setFullPathName(u("../sub/./mit.dll"));
    QDir::setCurrent(previous);
    EXPECT_EQ(info.FullPathName(), QDir::cleanPath(withVersion));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FileType(), u("Application"));
    info.setFullPathName(QString());
    EXPECT_EQ(info.FullPathName(), QDir::cleanPath(withVersion)) << "an empty name changes nothing";
    for (const QString& path : {without, text, dir.filePath(u("fehlt.dll"))}) {
        info.setFullPathName(path);
        EXPECT_FALSE(info.Available()) << path.toStdString();
        EXPECT_EQ(strings(info), QStringList(10, QString()));
        EXPECT_EQ(info.FileType(), QString());
        EXPECT_EQ(info.FileFlags(), QString());
        EXPECT_EQ(info.FileVersionMajor(), 0u);
    }
}
