// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BenchFigures.h"

#include <QFile>
#include <QString>
#include <QStringEncoder>

#include <cstdlib>
#include <functional>

// Writes a registry export of about `size` bytes: the header of its format
// (version 5.00 as UTF-16LE with BOM, else REGEDIT4 in 8 bits), `prologue`,
// then generated sections until the file is large enough. A file that
// cannot be made ends the benchmark.
inline void WriteRegExport(const QString& path, bool utf16, qint64 size, std::uint64_t seed,
                           const QString& prologue,
                           const std::function<QString(BenchRandom&, int)>& section)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::exit(2);
    QStringEncoder encoder(utf16 ? QStringEncoder::Utf16LE : QStringEncoder::Latin1);
    if (utf16)
        file.write("\xFF\xFE", 2);
    QString chunk = utf16 ? QStringLiteral("Windows Registry Editor Version 5.00\r\n\r\n")
                          : QStringLiteral("REGEDIT4\r\n\r\n");
    chunk += prologue;
    BenchRandom rng(seed);
    for (int n = 0; file.size() < size; ++n) {
        chunk += section(rng, n);
        if (chunk.size() > 1 << 20) {
            file.write(encoder.encode(chunk));
            chunk.clear();
        }
    }
    file.write(encoder.encode(chunk));
}
