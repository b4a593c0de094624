// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/FileVersionInfo.h"
#include "fileinfo/LanguageNames.h"
#include "platform/PeFile.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/VersionNode.h"

#include <QDir>

#include <gtest/gtest.h>

namespace {
using Entries = QList<std::pair<QString, QString>>;

const Entries kGermanEntries = {
    {QStringLiteral("CompanyName"), QStringLiteral("Beispiel GmbH")},
    {QStringLiteral("FileDescription"), QStringLiteral("Prüfprogramm für Größen")},
    {QStringLiteral("FileVersion"), QStringLiteral("5.1.2600.5512 (xpsp)")},
    {QStringLiteral("InternalName"), QStringLiteral("pruef")},
    {QStringLiteral("LegalCopyright"), QStringLiteral("© 2024 Beispiel")},
    {QStringLiteral("LegalTrademarks"), QStringLiteral("Beispiel®")},
    {QStringLiteral("OriginalFilename"), QStringLiteral("pruef.exe")},
    {QStringLiteral("ProductName"), QStringLiteral("Prüfwerk")},
    {QStringLiteral("ProductVersion"), QStringLiteral("7.0")},
    {QStringLiteral("Comments"), QStringLiteral("Nur zum Testen")},
};

VersionNode::Fixed fixed(quint32 fileMS, quint32 fileLS)
{
    VersionNode::Fixed f;
    f.fileMS = fileMS;
    f.fileLS = fileLS;
    f.productMS = 0x00070000;
    return f;
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

VersionNode germanResource()
{
    return VersionNode::root(fixed(0x00050001, 0x0A281588),
                             {VersionNode::strings(QStringLiteral("040704B0"), kGermanEntries),
                              VersionNode::translations({{0x0407, 0x04B0}})});
}
} // namespace

TEST(FileVersionInfo, VersionTextsAndRevisions)
{
    struct Row {
        quint32 ms, ls;
        const char* text;
        qint64 revision;
    };
    const Row rows[] = {
        {0x00020003, 0x00040005, "2.03.0405", 405},
        {0x00020003, 0x0004007B, "2.03.04123", 4123},
        // Parts are unsigned 16-bit values.
        {0x9C409C40, 0x00009C40, "40000.40000.40000", 40000},
        // Revisions beyond the range of a signed 32-bit number.
        {0x00010000, 0xFFFFFFFF, "1.00.6553565535", 6553565535LL},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FileVersionInfo::VersionText(r.ms, r.ls), QLatin1String(r.text)) << r.text;
        EXPECT_EQ(FileVersionInfo::VersionRevision(r.ls), r.revision) << r.text;
    }
}

TEST(FileVersionInfo, FlagOsTypeAndSubtypeTexts)
{
    EXPECT_EQ(FileVersionInfo::FlagsText(0), QString());
    EXPECT_EQ(FileVersionInfo::FlagsText(0xFFFFFFFF),
              QStringLiteral("Debug PreRel Patched Private Info Special"));
    EXPECT_EQ(FileVersionInfo::OSText(0x00030003), QStringLiteral("OS/2-16 PM-32"));
    EXPECT_EQ(FileVersionInfo::OSText(0x00040000), QStringLiteral("Unknown"));
    for (quint32 unknown : {0u, 6u, 8u, 0xFFFFFFFFu})
        EXPECT_EQ(FileVersionInfo::TypeText(unknown), QStringLiteral("Unknown")) << unknown;
    EXPECT_EQ(FileVersionInfo::SubTypeText(3, 11), QString());
    EXPECT_EQ(FileVersionInfo::SubTypeText(4, 3), QStringLiteral("TrueType Font"));
    EXPECT_EQ(FileVersionInfo::SubTypeText(4, 0), QString());
    EXPECT_EQ(FileVersionInfo::SubTypeText(2, 1), QString());
}

TEST(FileVersionInfo, LanguageNamesInGerman)
{
    EXPECT_EQ(LanguageName(0x0407), QStringLiteral("Deutsch (Deutschland)"));
    EXPECT_EQ(LanguageName(0x0000), QStringLiteral("Sprachneutral"));
    EXPECT_EQ(LanguageName(0x0400), QStringLiteral("Sprachneutral"));
    EXPECT_EQ(LanguageName(0x2007), QStringLiteral("Deutsch")); // unlisted sublanguage
    EXPECT_EQ(LanguageName(0x00FE), QStringLiteral("Sprache 0x00FE"));
}

TEST(FileVersionInfo, ReadsFixedBlockAndFirstStringTable)
{
    VersionNode root = germanResource();
    root = VersionNode::root(
        [] {
            VersionNode::Fixed f = fixed(0x00050001, 0x0A281588);
            f.flags = 0x03;
            f.fileType = 3;
            f.subtype = 1;
            return f;
        }(),
        root.children);
    const FileVersionInfo info = read(root);
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FileVersion(), QStringLiteral("5.1.2600.5512 (xpsp)"));
    EXPECT_EQ(info.ProductVersion(), QStringLiteral("7.0"));
    EXPECT_EQ(info.FileVersionMajor(), 5u);
    EXPECT_EQ(info.FileVersionMinor(), 1u);
    EXPECT_EQ(info.FileVersionRevision(), 26005512);
    EXPECT_EQ(info.FileFlags(), QStringLiteral("Debug PreRel"));
    EXPECT_EQ(info.FileOS(), QStringLiteral("NT-Win32"));
    EXPECT_EQ(info.FileType(), QStringLiteral("Driver"));
    EXPECT_EQ(info.FileSubType(), QStringLiteral("Printer drv"));
    EXPECT_EQ(info.Language(), QStringLiteral("Deutsch (Deutschland)"));
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Beispiel GmbH"));
    EXPECT_EQ(info.FileDescription(), QStringLiteral("Prüfprogramm für Größen"));
    EXPECT_EQ(info.InternalName(), QStringLiteral("pruef"));
    EXPECT_EQ(info.LegalCopyright(), QStringLiteral("© 2024 Beispiel"));
    EXPECT_EQ(info.LegalTrademarks(), QStringLiteral("Beispiel®"));
    EXPECT_EQ(info.OriginalFilename(), QStringLiteral("pruef.exe"));
    EXPECT_EQ(info.ProductName(), QStringLiteral("Prüfwerk"));
    EXPECT_EQ(info.Comments(), QStringLiteral("Nur zum Testen"));
}

TEST(FileVersionInfo, EmptyStringEntriesFallBackToTheFixedBlock)
{
    const Entries entries = {{QStringLiteral("FileVersion"), QString()},
                             {QStringLiteral("ProductVersion"), QStringLiteral("   ")},
                             {QStringLiteral("CompanyName"), QString()}};
    const FileVersionInfo info = read(VersionNode::root(
        fixed(0x00020003, 0x0004007B), {VersionNode::strings(QStringLiteral("040904B0"), entries),
                                        VersionNode::translations({{0x0409, 0x04B0}})}));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FileVersion(), QStringLiteral("2.03.04123"));
    EXPECT_EQ(info.ProductVersion(), QStringLiteral("7.00.0000"));
    EXPECT_EQ(info.CompanyName(), QString());
    EXPECT_EQ(info.Language(), QStringLiteral("Englisch (USA)"));
}

TEST(FileVersionInfo, TranslationTableVariants)
{
    // VarFileInfo ahead of StringFileInfo, and language 0.
    FileVersionInfo info = read(VersionNode::root(
        fixed(0x00010000, 0), {VersionNode::translations({{0x0000, 0x04B0}, {0x0407, 0x04B0}}),
                               VersionNode::strings(QStringLiteral("000004B0"), kGermanEntries)}));
    EXPECT_EQ(info.Language(), QStringLiteral("Sprachneutral"));
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Beispiel GmbH"));

    // The table carries another code page than the translation names.
    info = read(VersionNode::root(fixed(0x00010000, 0),
                                  {VersionNode::strings(QStringLiteral("040904b0"), kGermanEntries),
                                   VersionNode::translations({{0x0409, 0x04E4}})}));
    EXPECT_EQ(info.Language(), QStringLiteral("Englisch (USA)"));
    EXPECT_EQ(info.ProductName(), QStringLiteral("Prüfwerk"));

    // Without a translation table there is neither language nor strings.
    info = read(VersionNode::root(
        fixed(0x00010000, 0), {VersionNode::strings(QStringLiteral("040704B0"), kGermanEntries)}));
    EXPECT_TRUE(info.Available());
    EXPECT_EQ(info.FileVersion(), QStringLiteral("1.00.0000"));
    EXPECT_EQ(info.Language(), QString());
    EXPECT_EQ(info.CompanyName(), QString());
}

TEST(FileVersionInfo, BlockOfLengthZeroEndsItsListWithoutLooping)
{
    VersionNode strings = VersionNode::strings(QStringLiteral("040704B0"), kGermanEntries);
    strings.children[0].children[3].lengthOverride = 0; // "InternalName"
    const FileVersionInfo info = read(VersionNode::root(
        fixed(0x00010000, 0), {VersionNode::translations({{0x0407, 0x04B0}}), strings}));
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Beispiel GmbH"));
    EXPECT_EQ(info.InternalName(), QString());
    EXPECT_EQ(info.ProductName(), QString());
}

TEST(FileVersionInfo, ValueNeverReachesPastItsBlock)
{
    VersionNode strings = VersionNode::strings(QStringLiteral("040704B0"), kGermanEntries);
    // "CompanyName" claims 32767 characters and has no closing NUL.
    VersionNode& company = strings.children[0].children[0];
    // Four characters end the block on a 32-bit boundary, so the next block's
    // header follows without a NUL in between.
    company.value = QByteArray("A\0B\0C\0D\0", 8);
    company.valueLength = 0x7FFF;
    const FileVersionInfo info = read(VersionNode::root(
        fixed(0x00010000, 0), {strings, VersionNode::translations({{0x0407, 0x04B0}})}));
    EXPECT_EQ(info.CompanyName(), QStringLiteral("ABCD"));
    EXPECT_EQ(info.FileDescription(), QStringLiteral("Prüfprogramm für Größen"));
}

TEST(FileVersionInfo, BlocksClaimingMoreBytesThanTheyHaveGiveNoFalseValues)
{
    // The root claims 65535 bytes in a resource of a few hundred.
    VersionNode root = germanResource();
    root.lengthOverride = 0xFFFF;
    FileVersionInfo info = read(root);
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Beispiel GmbH"));
    EXPECT_EQ(info.Comments(), QStringLiteral("Nur zum Testen"));

    // A string table that claims more than its parent is read up to the
    // parent's end; the translation table behind the parent stays reachable.
    root = germanResource();
    root.children[0].children[0].lengthOverride = 0xFFF0;
    info = read(root);
    EXPECT_EQ(info.Language(), QStringLiteral("Deutsch (Deutschland)"));
    EXPECT_EQ(info.Comments(), QStringLiteral("Nur zum Testen"));

    // A resource cut in the middle of the fixed block is no fixed block at all.
    const QByteArray cut = germanResource().serialize().left(60);
    info.RefreshFromData(imageWith(cut));
    EXPECT_EQ(info.FileVersion(), QString());
    EXPECT_EQ(info.FileType(), QString());
}

TEST(FileVersionInfo, AlignmentCountsFromTheResourceNotTheFile)
{
    PeWriter w;
    w.dataAlignment = 2;
    w.add(PeFile::RtIcon, 1, 0, QByteArray("xx"));
    w.add(PeFile::RtVersion, 1, 0, germanResource().serialize()); // starts at 2 mod 4
    FileVersionInfo info;
    info.RefreshFromData(w.build());
    EXPECT_EQ(info.FileDescription(), QStringLiteral("Prüfprogramm für Größen"));
    EXPECT_EQ(info.FileVersionRevision(), 26005512);
}

TEST(FileVersionInfo, FilesWithoutVersionLeaveNothingBehind)
{
    TempDir dir;
    const QString withVersion =
        dir.writeFile(QStringLiteral("mit.dll"), imageWith(germanResource().serialize()));
    PeWriter noVersion;
    noVersion.add(PeFile::RtIcon, 1, 0, QByteArray("icon"));
    const QString without = dir.writeFile(QStringLiteral("ohne.dll"), noVersion.build());
    const QString text = dir.writeFile(QStringLiteral("text.dll"), QByteArray(200, 'x'));

    FileVersionInfo info;
    info.setFullPathName(withVersion);
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FileType(), QStringLiteral("Application"));
    for (const QString& path : {without, text, dir.filePath(QStringLiteral("fehlt.dll"))}) {
        info.setFullPathName(path);
        EXPECT_FALSE(info.Available()) << path.toStdString();
        EXPECT_EQ(info.FileVersion(), QString());
        EXPECT_EQ(info.ProductVersion(), QString());
        EXPECT_EQ(info.FileType(), QString());
        EXPECT_EQ(info.FileFlags(), QString());
        EXPECT_EQ(info.CompanyName(), QString());
        EXPECT_EQ(info.FileVersionMajor(), 0u);
    }
}

TEST(FileVersionInfo, FullPathNameIsMadeAbsolute)
{
    TempDir dir;
    dir.writeFile(QStringLiteral("sub/v.exe"), imageWith(germanResource().serialize()));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(dir.filePath(QStringLiteral("sub")));
    FileVersionInfo info;
    info.setFullPathName(QStringLiteral("../sub/./v.exe"));
    QDir::setCurrent(previous);
    EXPECT_EQ(info.FullPathName(), QDir::cleanPath(dir.filePath(QStringLiteral("sub/v.exe"))));
    EXPECT_TRUE(info.Available());
    info.setFullPathName(QString());
    EXPECT_EQ(info.FullPathName(), QDir::cleanPath(dir.filePath(QStringLiteral("sub/v.exe"))));
}
