// SPDX-License-Identifier: GPL-3.0-or-later
// Executables and libraries built by a real Windows tool chain (mingw-w64),
// read by the version reader and the icon extractor.
#include "fileinfo/FileVersionInfo.h"
#include "icons/IconExtract.h"
#include "support/CrossBuild.h"
#include "support/IconFixtures.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace {
const char* const kResources = R"(
1 VERSIONINFO
FILEVERSION 5,1,2600,5512
PRODUCTVERSION 1,0,0,45
FILETYPE %1
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040704B0"
    BEGIN
      VALUE "CompanyName", "Beispiel GmbH"
      VALUE "FileDescription", "Prüfprogramm für Größen"
      VALUE "FileVersion", ""
      VALUE "ProductName", "Prüfwerk"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x407, 1200
  END
END
10 ICON "first.ico"
20 ICON "second.ico"
)";

// Builds a program (or with `library` a DLL) with version and icons for the
// given tool prefix; empty when the tool chain is missing.
QString buildProbe(const TempDir& dir, const QString& prefix, bool library)
{
    const QRgb colours[] = {qRgb(200, 0, 0), qRgb(0, 200, 0), qRgb(0, 0, 200)};
    dir.writeFile(
        QStringLiteral("first.ico"),
        IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(48, colours[2]), 32),
                               IconFixtures::entry(IconFixtures::square(32, colours[1]), 8),
                               IconFixtures::entry(IconFixtures::square(16, colours[0]), 4)}));
    dir.writeFile(
        QStringLiteral("second.ico"),
        IconFixtures::icoFile({IconFixtures::pngEntry(IconFixtures::square(256, colours[0]))}));
    const QByteArray resources = QString::fromUtf8(kResources)
                                     .arg(library ? QStringLiteral("0x2") : QStringLiteral("0x1"))
                                     .toUtf8();
    return CrossBuild(dir, prefix, "int main(void) { return 0; }\n", resources,
                      prefix + (library ? QStringLiteral(".dll") : QStringLiteral(".exe")));
}
} // namespace

class RealExecutables : public ::testing::TestWithParam<std::pair<const char*, bool>> {};

TEST_P(RealExecutables, VersionAndIconsReadBack)
{
    TempDir dir;
    const QString file = buildProbe(dir, QLatin1String(GetParam().first), GetParam().second);
    if (file.isEmpty())
        GTEST_SKIP() << "mingw-w64 tool chain not installed (Debian package mingw-w64)";

    FileVersionInfo info;
    info.setFullPathName(file);
    ASSERT_TRUE(info.Available());
    EXPECT_EQ(info.FileVersion(), QStringLiteral("5.01.26005512")); // empty string entry
    EXPECT_EQ(info.ProductVersion(), QStringLiteral("1.00.0045"));
    EXPECT_EQ(info.FileType(),
              GetParam().second ? QStringLiteral("DLL") : QStringLiteral("Application"));
    EXPECT_EQ(info.Language(), QStringLiteral("Deutsch (Deutschland)"));
    EXPECT_EQ(info.CompanyName(), QStringLiteral("Beispiel GmbH"));
    EXPECT_EQ(info.FileDescription(), QStringLiteral("Prüfprogramm für Größen"));
    EXPECT_EQ(info.ProductName(), QStringLiteral("Prüfwerk"));

    IconExtract icons;
    icons.setFilename(file);
    ASSERT_EQ(icons.Extract(), 2);
    EXPECT_EQ(icons.IconHandle(0, 1).pixel(16, 16), qRgb(0, 200, 0));
    EXPECT_EQ(icons.IconHandle(0, 0).pixel(8, 8), qRgb(200, 0, 0));
    EXPECT_EQ(icons.IconHandle(1, 0).size(), QSize(16, 16));
    EXPECT_TRUE(icons.Images(1).first().png);
}

INSTANTIATE_TEST_SUITE_P(MingwW64, RealExecutables,
                         ::testing::Values(std::make_pair("x86_64-w64-mingw32", false),
                                           std::make_pair("i686-w64-mingw32", true)));
