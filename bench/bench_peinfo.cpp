// SPDX-License-Identifier: GPL-3.0-or-later
// Reads the version resource and the icons of every file in a folder (and
// its subfolders), as the information pane and the icon viewer do, and
// prints files per second. Without a folder it makes one of synthetic
// programs and libraries first.
//
//   bench_peinfo [FOLDER] [--files N]
#include "fileinfo/FileVersionInfo.h"
#include "icons/IconExtract.h"
#include "platform/PeFile.h"
#include "support/IconFixtures.h"
#include "support/PeWriter.h"
#include "support/VersionNode.h"

#include <QCoreApplication>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <sys/resource.h>

#include <cstdio>

namespace {
QByteArray syntheticImage(int n)
{
    VersionNode::Fixed f;
    f.fileMS = 0x00010000 | quint32(n % 100);
    f.fileLS = quint32(n);
    const QByteArray version =
        VersionNode::root(
            f, {VersionNode::strings(
                    QStringLiteral("040704B0"),
                    {{QStringLiteral("CompanyName"), QStringLiteral("Beispiel GmbH")},
                     {QStringLiteral("FileDescription"), QStringLiteral("Datei %1").arg(n)},
                     {QStringLiteral("ProductName"), QStringLiteral("Prüfwerk")}}),
                VersionNode::translations({{0x0407, 0x04B0}})})
            .serialize();
    PeWriter w;
    w.pe32Plus = n % 2 == 0;
    w.add(PeFile::RtVersion, 1, 0x0407, version);
    for (int g = 0; g < 3; ++g) {
        const QRgb c = qRgb(n % 256, g * 80, 128);
        IconFixtures::addGroup(w, quint16(g + 1), quint16(10 * g + 1),
                               {IconFixtures::entry(IconFixtures::square(16, c), 8),
                                IconFixtures::entry(IconFixtures::square(32, c), 32),
                                IconFixtures::entry(IconFixtures::square(48, c), 32)});
    }
    return w.build();
}

QStringList filesUnder(const QString& folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext())
        files.append(it.next());
    files.sort();
    return files;
}

void report(const char* what, qsizetype files, qint64 nanoseconds)
{
    const double seconds = double(nanoseconds) / 1e9;
    std::printf("%-8s %6lld files in %.3f s: %.0f files/s\n", what, static_cast<long long>(files),
                seconds, seconds > 0 ? double(files) / seconds : 0.0);
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int synthetic = 1000;
    const qsizetype filesAt = args.indexOf(QStringLiteral("--files"));
    if (filesAt >= 0 && filesAt + 1 < args.size()) {
        synthetic = args[filesAt + 1].toInt();
        args.remove(filesAt, 2);
    }
    QTemporaryDir made;
    QString folder = args.value(0);
    if (folder.isEmpty()) {
        folder = made.path();
        for (int n = 0; n < synthetic; ++n) {
            QFile f(QStringLiteral("%1/lib%2.dll").arg(folder).arg(n, 5, 10, QLatin1Char('0')));
            if (f.open(QIODevice::WriteOnly))
                f.write(syntheticImage(n));
        }
        std::printf("folder: %d synthetic libraries (version resource, 3 icons of 16/32/48 px)\n",
                    synthetic);
    } else {
        std::printf("folder: %s\n", qPrintable(folder));
    }
    const QStringList files = filesUnder(folder);

    qsizetype pe = 0, withVersion = 0, withIcons = 0, icons = 0;
    // The first pass also brings the folder into the file system's cache, so
    // that the two passes after it compare the readers, not the disk.
    QElapsedTimer timer;
    timer.start();
    for (const QString& path : files) {
        PeFile file;
        pe += file.open(path) ? 1 : 0;
    }
    const qint64 openTime = timer.nsecsElapsed();
    timer.restart();
    for (const QString& path : files) {
        FileVersionInfo info;
        info.setFullPathName(path);
        withVersion += info.Available() ? 1 : 0;
    }
    const qint64 versionTime = timer.nsecsElapsed();
    timer.restart();
    for (const QString& path : files) {
        IconExtract extract;
        extract.setFilename(path);
        const qint32 n = extract.Extract();
        withIcons += n > 0 ? 1 : 0;
        icons += n;
    }
    const qint64 iconTime = timer.nsecsElapsed();

    std::printf("files: %lld (PE images %lld, with version %lld, with icons %lld, icons %lld)\n",
                static_cast<long long>(files.size()), static_cast<long long>(pe),
                static_cast<long long>(withVersion), static_cast<long long>(withIcons),
                static_cast<long long>(icons));
    report("pe-open", files.size(), openTime);
    report("version", files.size(), versionTime);
    report("icons", files.size(), iconTime);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak memory: %.1f MB\n", double(usage.ru_maxrss) / 1024.0);
    return 0;
}
