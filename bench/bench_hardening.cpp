// SPDX-License-Identifier: GPL-3.0-or-later
// Hostile and oversized inputs, run through tolvane-cli as whole processes:
// time and peak memory of each run (the child's own, from wait4).
//   - settings import of 63 MB .reg files (blank lines, a realistic export,
//     one large binary value): peak under 256 MB
//   - cnf dump of a 256 MB single-line document: under 3 s
//   - cnf dump of 65,536 names that share one hash under an unkeyed FNV-1a
//     index, beside random names: under 1 s
//   - info over 44 real PE files in one process, beside exiftool reading
//     FileVersion and CompanyName of the same files (when it is installed):
//     at most half its time
#include "BenchProcess.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QStandardPaths>
#include <QStringEncoder>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {
void report(const char* what, const QString& file, const Run& run)
{
    const double mb = double(QFileInfo(file).size()) / 1e6;
    std::printf("%-44s %7.1f MB file  %6.2f s  peak %6.1f MiB  exit %d\n", what, mb, run.seconds,
                run.peakMiB, run.code);
    std::fflush(stdout);
}

void writeRepeated(const QString& path, const QByteArray& head, const QByteArray& unit, qint64 size,
                   const QByteArray& tail = {})
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::exit(2);
    file.write(head);
    QByteArray block;
    while (block.size() < (1 << 20))
        block += unit;
    while (file.size() + block.size() <= size)
        file.write(block);
    while (file.size() + unit.size() <= size)
        file.write(unit);
    file.write(tail);
}

// An export as the program writes it: keys with a few texts, a number and
// now and then a binary value over continuation lines.
void writeExport(const QString& path, qint64 size)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::exit(2);
    QStringEncoder utf16(QStringEncoder::Utf16LE);
    file.write("\xFF\xFE");
    file.write(utf16.encode(QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n")));
    QString chunk;
    for (int n = 0; file.size() < size; ++n) {
        chunk += QStringLiteral("[HKEY_CURRENT_USER\\Software\\Bench\\Schlüssel %1]\r\n").arg(n);
        for (int v = 0; v < 4; ++v)
            chunk += QStringLiteral("\"Wert %1\"=\"Grüße für Schlüssel %2, Eintrag %1\"\r\n")
                         .arg(v)
                         .arg(n);
        chunk += QStringLiteral("\"Zahl\"=dword:%1\r\n").arg(n, 8, 16, QLatin1Char('0'));
        if (n % 4 == 0)
            chunk += QStringLiteral("\"Daten\"=hex:01,00,04,80,14,00,00,00,30,00,00,00,\\\r\n"
                                    "  00,00,02,00,38,00,02,00\r\n");
        chunk += QStringLiteral("\r\n");
        if (chunk.size() > (1 << 20)) {
            file.write(utf16.encode(chunk));
            chunk.clear();
        }
    }
    file.write(utf16.encode(chunk));
}

// 2^16 lower-case names that share one hash under FNV-1a: sixteen stages,
// each a pair of blocks that lead from the same state to the same state.
QList<QByteArray> collidingNames()
{
    const auto step = [](quint32 h, const QByteArray& block) {
        for (const char c : block)
            h = (h ^ quint8(c)) * 16777619u;
        return h;
    };
    quint32 state = 2166136261u;
    quint64 rng = 7;
    QList<QPair<QByteArray, QByteArray>> pairs;
    while (pairs.size() < 16) {
        QHash<quint32, QByteArray> seen;
        while (true) {
            QByteArray block(6, 'a');
            for (char& c : block) {
                rng = rng * 6364136223846793005ULL + 1442695040888963407ULL;
                c = char('a' + (rng >> 33) % 26);
            }
            const quint32 next = step(state, block);
            const auto found = seen.constFind(next);
            if (found != seen.constEnd() && *found != block) {
                pairs.append({*found, block});
                state = next;
                break;
            }
            seen.insert(next, block);
        }
    }
    QList<QByteArray> names;
    for (int bits = 0; bits < (1 << 16); ++bits) {
        QByteArray name;
        for (int i = 0; i < 16; ++i)
            name += (bits >> i) & 1 ? pairs[i].second : pairs[i].first;
        names.append(name);
    }
    return names;
}

void writeNames(const QString& path, const QList<QByteArray>& names)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::exit(2);
    file.write("[Namen]\r\n");
    for (const QByteArray& name : names)
        file.write(name + "=1\r\n");
}

QList<QByteArray> randomNames()
{
    QList<QByteArray> names;
    quint64 rng = 11;
    for (int n = 0; n < (1 << 16); ++n) {
        QByteArray name(96, 'a');
        for (char& c : name) {
            rng = rng * 6364136223846793005ULL + 1442695040888963407ULL;
            c = char('a' + (rng >> 33) % 26);
        }
        names.append(name);
    }
    return names;
}

// The first 44 PE images found in the usual places, by path.
QStringList peFiles()
{
    QStringList found;
    for (const char* root :
         {"/usr/lib/wine", "/usr/lib/x86_64-linux-gnu/wine", "/usr/lib/gcc",
          "/usr/x86_64-w64-mingw32", "/usr/i686-w64-mingw32", "/usr/lib", "/usr/share"}) {
        QDirIterator it(QString::fromLatin1(root),
                        {QStringLiteral("*.dll"), QStringLiteral("*.exe")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            QFile file(path);
            if (!found.contains(path) && file.open(QIODevice::ReadOnly) && file.read(2) == "MZ")
                found.append(path);
        }
        if (found.size() >= 44)
            break;
    }
    std::sort(found.begin(), found.end());
    return found.mid(0, 44);
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

void compareInfo(const QString& cli)
{
    const QStringList files = peFiles();
    const QString exiftool = QStandardPaths::findExecutable(QStringLiteral("exiftool"));
    std::vector<double> ours;
    std::vector<double> theirs;
    for (int i = 0; i < 7; ++i) {
        ours.push_back(runProcess(QStringList{cli, QStringLiteral("info")} + files).seconds);
        if (!exiftool.isEmpty())
            theirs.push_back(runProcess(QStringList{exiftool, QStringLiteral("-FileVersion"),
                                                    QStringLiteral("-CompanyName")} +
                                        files)
                                 .seconds);
    }
    std::printf("info over %lld PE files in one process: median %.3f s", qlonglong(files.size()),
                median(ours));
    if (!theirs.empty())
        std::printf("; exiftool -FileVersion -CompanyName: median %.3f s; ratio %.2f",
                    median(theirs), median(ours) / median(theirs));
    std::printf("\n");
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QString cli = QCoreApplication::applicationDirPath() + QStringLiteral("/tolvane-cli");
    QTemporaryDir dir;
    qputenv("TOLVANE_REGISTRY", QFile::encodeName(dir.filePath(QStringLiteral("registry.db"))));
    const qint64 regSize = 63 * 1000 * 1000;

    const QString blank = dir.filePath(QStringLiteral("blank.reg"));
    writeRepeated(blank, "REGEDIT4\r\n", "\r\n", regSize);
    report("settings import: 63 MB of blank lines", blank,
           runProcess({cli, QStringLiteral("settings"), QStringLiteral("import"), blank}));
    const QString exported = dir.filePath(QStringLiteral("export.reg"));
    writeExport(exported, regSize);
    report("settings import: 63 MB export (UTF-16)", exported,
           runProcess({cli, QStringLiteral("settings"), QStringLiteral("import"), exported}));
    const QString binary = dir.filePath(QStringLiteral("binary.reg"));
    writeRepeated(binary, "REGEDIT4\r\n[HKEY_CURRENT_USER\\Bench]\r\n\"Daten\"=hex:", "5a,",
                  30 * 1000 * 1000, "00\r\n");
    report("settings import: one 10 MB binary value", binary,
           runProcess({cli, QStringLiteral("settings"), QStringLiteral("import"), binary}));
    QFile::remove(blank);
    QFile::remove(exported);
    QFile::remove(binary);

    const qint64 lineSize = 256LL << 20;
    const QString section = dir.filePath(QStringLiteral("line.cnf"));
    writeRepeated(section, "[", "a", lineSize, "]");
    report("cnf dump: 256 MB single-line document", section,
           runProcess({cli, QStringLiteral("cnf"), QStringLiteral("dump"), section}));
    QFile::remove(section);
    const QString value = dir.filePath(QStringLiteral("value.cnf"));
    writeRepeated(value, "[S]\r\nk=", "v", lineSize);
    report("cnf dump: one key with a 256 MB value", value,
           runProcess({cli, QStringLiteral("cnf"), QStringLiteral("dump"), value}));
    QFile::remove(value);

    const QString colliding = dir.filePath(QStringLiteral("colliding.cnf"));
    writeNames(colliding, collidingNames());
    report("cnf dump: 65,536 names of one FNV-1a hash", colliding,
           runProcess({cli, QStringLiteral("cnf"), QStringLiteral("dump"), colliding}));
    const QString random = dir.filePath(QStringLiteral("random.cnf"));
    writeNames(random, randomNames());
    report("cnf dump: 65,536 random names", random,
           runProcess({cli, QStringLiteral("cnf"), QStringLiteral("dump"), random}));

    compareInfo(cli);
    return 0;
}
