// SPDX-License-Identifier: GPL-3.0-or-later
// The version reader and the icon extractor on files from outside: built by a
// real Windows tool chain (mingw-w64), or changing while they are read.
#include "fileinfo/FileVersionInfo.h"
#include "fileinfo/OfficeDocProperties.h"
#include "icons/IconExtract.h"
#include "platform/PeFile.h"
#include "support/CrossBuild.h"
#include "support/DocFixtures.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/TestText.h"
#include "support/VersionNode.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <thread>
#include <unistd.h>

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
        u("first.ico"),
        IconFixtures::icoFile({IconFixtures::entry(IconFixtures::square(48, colours[2]), 32),
                               IconFixtures::entry(IconFixtures::square(32, colours[1]), 8),
                               IconFixtures::entry(IconFixtures::square(16, colours[0]), 4)}));
    dir.writeFile(
        u("second.ico"),
        IconFixtures::icoFile({IconFixtures::pngEntry(IconFixtures::square(256, colours[0]))}));
    const QByteArray resources =
        QString::fromUtf8(kResources).arg(library ? u("0x2") : u("0x1")).toUtf8();
    return CrossBuild(dir, prefix, "int main(void) { return 0; }\n", resources,
                      prefix + (library ? u(".dll") : u(".exe")));
}

// Cuts the file short at random places and puts it back, until stopped.
std::jthread Truncating(const QString& path, const QByteArray& whole)
{
    return std::jthread([native = QFile::encodeName(path), whole](const std::stop_token& stop) {
        const int fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
        for (quint64 round = 0; !stop.stop_requested(); ++round) {
            // Half of the cuts land in the headers and directories.
            const qint64 range = round % 2 ? qMin<qint64>(whole.size(), 8192) : whole.size();
            (void)::ftruncate(fd, off_t(QRandomGenerator::global()->bounded(range)));
            std::this_thread::yield();
            (void)::pwrite(fd, whole.constData(), size_t(whole.size()), 0);
        }
        ::close(fd);
    });
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
    EXPECT_EQ(info.FileVersion(), u("5.01.26005512")); // empty string entry
    EXPECT_EQ(info.ProductVersion(), u("1.00.0045"));
    EXPECT_EQ(info.FileType(), GetParam().second ? u("DLL") : u("Application"));
    EXPECT_EQ(info.Language(), u("Deutsch (Deutschland)"));
    EXPECT_EQ(info.CompanyName(), u("Beispiel GmbH"));
    EXPECT_EQ(info.FileDescription(), u("Prüfprogramm für Größen"));
    EXPECT_EQ(info.ProductName(), u("Prüfwerk"));

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

// A file cut short while it was mapped ended the process with SIGBUS.
TEST(HostileFiles, FilesCutShortWhileReadGiveNoSignal)
{
    TempDir dir;
    PeWriter w;
    for (quint16 g = 1; g <= 4; ++g)
        IconFixtures::addGroup(w, g, quint16(g * 10),
                               {IconFixtures::entry(IconFixtures::square(16, qRgb(g, 0, 0))),
                                IconFixtures::entry(IconFixtures::square(32, qRgb(0, g, 0)))});
    const VersionNode resource = VersionNode::root(
        {}, {VersionNode::strings(u("040704B0"), {{u("CompanyName"), u("Firma")}}),
             VersionNode::translations({{0x0407, 0x04B0}})});
    w.add(PeFile::RtVersion, 1, 0x0407, resource.serialize());
    // Bulk behind the resources, so a cut can land anywhere in a long read.
    w.add(PeFile::RtVersion, 2, 0x0407, QByteArray(1 << 20, 'x'));
    const QByteArray library = w.build();
    const QString pe = dir.writeFile(u("wechselt.dll"), library);
    const QByteArray document = Fixture::zipFile({{"meta.xml", "<d><m><title>Plan</title></m></d>"},
                                                  {"bulk.bin", QByteArray(1 << 20, 'y')}});
    const QString doc = dir.writeFile(u("wechselt.odt"), document);
    {
        const std::jthread cutPe = Truncating(pe, library);
        const std::jthread cutDoc = Truncating(doc, document);
        for (int round = 0; round < 200; ++round) {
            FileVersionInfo version;
            version.setFullPathName(pe);
            IconExtract icons;
            icons.setFilename(pe);
            EXPECT_LE(icons.Extract(), 4);
            OfficeDocProperties props;
            props.setFilename(doc);
            QStringList values;
            try {
                props.GetProperties(values);
            } catch (const AppErrorRecord&) {
                // a file that is gone for a moment is reported, not a crash
            }
        }
    }
    // Read again once it holds still: everything is there.
    FileVersionInfo version;
    version.setFullPathName(pe);
    EXPECT_EQ(version.CompanyName(), u("Firma"));
    IconExtract icons;
    icons.setFilename(pe);
    EXPECT_EQ(icons.Extract(), 4);
}
