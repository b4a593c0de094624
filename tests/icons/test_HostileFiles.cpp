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

#include <atomic>
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
class Truncator {
public:
    Truncator(const QString& path, QByteArray whole)
        : m_whole(std::move(whole)),
          m_thread([this, native = QFile::encodeName(path)] { run(native); })
    {
    }
    ~Truncator()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    void run(const QByteArray& native)
    {
        const int fd = ::open(native.constData(), O_WRONLY | O_CLOEXEC);
        while (!m_stop) {
            // Half of the cuts land in the headers and directories.
            const qint64 range =
                ++m_round % 2 ? qMin<qint64>(m_whole.size(), 8192) : m_whole.size();
            const auto cut = off_t(QRandomGenerator::global()->bounded(range));
            (void)::ftruncate(fd, cut);
            std::this_thread::yield();
            (void)::pwrite(fd, m_whole.constData(), size_t(m_whole.size()), 0);
        }
        ::close(fd);
    }

    QByteArray m_whole;
    quint64 m_round = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
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
        const Truncator cutPe(pe, library);
        const Truncator cutDoc(doc, document);
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
