// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ByteReader.h"

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

// Reads members of a zip archive held in memory (the container of .docx and
// .odt files). The central directory is the index; a member is read only when
// its local header agrees with it, it is neither encrypted nor packed in a
// method other than stored or deflate, and it inflates to exactly the size
// and checksum the directory gives, never more than the caller allows.
class ZipArchive {
public:
    // More entries than this is no office document; such archives are refused.
    static constexpr qsizetype MaxEntries = 65536;

    static bool hasSignature(const ByteReader& data);

    // Finds and reads the central directory; false when there is none or it is damaged.
    bool open(const ByteReader& data);

    qsizetype entryCount() const { return m_entries.size(); }
    bool contains(const QString& name) const { return find(name) != nullptr; }
    // The unpacked member `name` (ASCII letter case and a leading "/" ignored);
    // nullopt when it is missing, damaged or larger than maxSize.
    std::optional<QByteArray> read(const QString& name, quint64 maxSize) const;

private:
    struct Entry {
        QByteArray name;
        quint16 flags = 0;
        quint16 method = 0;
        quint32 crc = 0;
        quint64 compressedSize = 0;
        quint64 size = 0;
        quint64 localOffset = 0;
    };

    bool findDirectory(quint64& offset, quint64& size, quint64& count) const;
    bool readEntry(const ByteReader& dir, quint64& at, Entry& entry) const;
    const Entry* find(const QString& name) const;
    std::optional<QByteArray> inflate(QByteArrayView packed, quint64 size) const;

    ByteReader m_data;
    QList<Entry> m_entries;
};
