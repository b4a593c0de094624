// SPDX-License-Identifier: GPL-3.0-or-later
// Readers of a user's files meet files that change under them.
#include "fileinfo/FileVersionInfo.h"
#include "fileinfo/OfficeDocProperties.h"
#include "icons/IconExtract.h"
#include "platform/PeFile.h"
#include "support/DocFixtures.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/TempDir.h"
#include "support/VersionNode.h"

#include <QFile>
#include <QRandomGenerator>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <thread>
#include <unistd.h>

namespace {
QByteArray iconLibrary()
{
    PeWriter w;
    for (quint16 g = 1; g <= 4; ++g)
        IconFixtures::addGroup(w, g, quint16(g * 10),
                               {IconFixtures::entry(IconFixtures::square(16, qRgb(g, 0, 0))),
                                IconFixtures::entry(IconFixtures::square(32, qRgb(0, g, 0)))});
    VersionNode::Fixed fixed;
    fixed.fileMS = 0x00010002;
    const VersionNode version = VersionNode::root(
        fixed, {VersionNode::strings(QStringLiteral("040704B0"),
                                     {{QStringLiteral("CompanyName"), QStringLiteral("Firma")}}),
                VersionNode::translations({{0x0407, 0x04B0}})});
    w.add(PeFile::RtVersion, 1, 0x0407, version.serialize());
    // Bulk behind the resources, so a cut can land anywhere in a long read.
    w.add(PeFile::RtVersion, 2, 0x0407, QByteArray(1 << 20, 'x'));
    return w.build();
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

// A file cut short while it was mapped ended the process with SIGBUS.
TEST(HostileFiles, FilesCutShortWhileReadGiveNoSignal)
{
    TempDir dir;
    const QByteArray library = iconLibrary();
    const QString pe = dir.writeFile(QStringLiteral("wechselt.dll"), library);
    const QByteArray document = Fixture::zipFile({{"meta.xml", "<d><m><title>Plan</title></m></d>"},
                                                  {"bulk.bin", QByteArray(1 << 20, 'y')}});
    const QString doc = dir.writeFile(QStringLiteral("wechselt.odt"), document);
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
    EXPECT_EQ(version.CompanyName(), QStringLiteral("Firma"));
    IconExtract icons;
    icons.setFilename(pe);
    EXPECT_EQ(icons.Extract(), 4);
}
