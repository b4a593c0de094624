// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ByteReader.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Reads streams out of an OLE2 compound file (the container of .doc, .xls and
// .ppt files) held in memory. Every sector number, chain and directory link
// comes from the file and is checked: a chain that loops, leaves the file or
// ends before its stream does makes that stream unreadable, never a hang or a
// read outside the data.
class OleCompoundFile {
public:
    static bool hasSignature(const ByteReader& data);

    // Reads the header, the sector tables and the directory; false when the
    // data is not a compound file or its tables are damaged.
    bool open(const ByteReader& data);

    // A stream directly below the root storage, by name (letter case ignored,
    // as the format wants). Streams larger than maxSize are not read.
    std::optional<QByteArray> rootStream(const QString& name, quint64 maxSize) const;

private:
    struct Entry {
        QString name;
        quint8 type = 0;
        quint32 left = 0;
        quint32 right = 0;
        quint32 child = 0;
        quint32 start = 0;
        quint64 size = 0;
    };

    // The sectors of the chain from `start`: all of it (nullopt length), or
    // just the first `length`.
    std::optional<QList<quint32>> chain(const QList<quint32>& table, quint32 start,
                                        std::optional<quint64> length) const;
    std::optional<QByteArray> readSectors(const QList<quint32>& sectors, quint64 size) const;
    std::optional<QByteArray> readMini(quint32 start, quint64 size) const;
    bool readFat();
    bool readDirectory();
    bool readMiniTables();
    std::optional<quint32> findRootChild(const QString& name) const;

    ByteReader m_data;
    quint32 m_sectorSize = 512;
    quint32 m_miniSectorSize = 64;
    quint32 m_miniCutoff = 4096;
    quint64 m_sectorCount = 0; // whole sectors after the header
    QList<quint32> m_fat;
    QList<quint32> m_miniFat;
    QList<quint32> m_miniStreamSectors;
    QList<Entry> m_entries;
};
