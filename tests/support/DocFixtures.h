// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// Builders for the document containers the property readers take apart: OLE
// property set streams, OLE2 compound files and zip archives. Each writes
// plain, valid structures and tells where they are, so that a test can break
// exactly the field it is about.

namespace Fixture {

// One property of a property set section: its id and its stored value (type
// word, padding and data, as built by the helpers below).
struct Property {
    quint32 pid;
    QByteArray value;
};

QByteArray vtI2(quint16 raw);
QByteArray vtLpstr(const QByteArray& bytes); // the terminating NUL is added
QByteArray vtLpwstr(const QString& text);
QByteArray vtFiletime(const QDateTime& utc);

// A property set stream with one section of the given format identifier.
QByteArray propertySet(QByteArrayView formatId, const QList<Property>& properties);

struct OleStream {
    QString name;
    QByteArray data;
};

// Where the writer put things; sector numbers count from 0 after the header.
struct OleLayout {
    quint32 sectorSize = 512;
    quint32 fatSector = 0;
    quint32 directorySector = 0;
    quint32 miniFatSector = 0;  // 0xFFFFFFFE when there is no small stream
    QList<quint32> streamStart; // per stream: first mini sector, or first sector
    quint64 sectorOffset(quint32 sector) const { return quint64(sector + 1) * sectorSize; }
    quint64 fatEntryOffset(quint32 sector) const { return sectorOffset(fatSector) + 4 * sector; }
    quint64 miniFatEntryOffset(quint32 mini) const
    {
        return sectorOffset(miniFatSector) + 4 * mini;
    }
    // Directory entry `id` (0 is the root, streams follow in order).
    quint64 entryOffset(quint32 id) const
    {
        return sectorOffset(directorySector) + 128 * quint64(id);
    }
};

// A compound file whose root storage holds the given streams (version 3 with
// 512-byte sectors, or version 4 with 4096). Streams under 4096 bytes go to
// the mini stream, as real writers put them.
QByteArray oleFile(const QList<OleStream>& streams, OleLayout* layout = nullptr,
                   quint16 sectorShift = 9);

struct ZipMember {
    QByteArray name;
    QByteArray data;
    bool deflate = true;
    QByteArray localName = {}; // empty: the same as name
    qint64 declaredSize = -1;  // -1: the real size
    quint16 flags = 0;
    bool badCrc = false;
};

// A zip archive of the given members; with zip64 the sizes, offsets and
// counts go through the Zip64 records.
QByteArray zipFile(const QList<ZipMember>& members, bool zip64 = false);

void patch32(QByteArray& bytes, quint64 offset, quint32 value);

} // namespace Fixture

// Documents made by an outside writer (libgsf), for reading what real tools write.
namespace GsfFixture {
struct Meta {
    QString title, subject, author, keywords, comments, lastAuthor, application, category, company;
    QDateTime created, modified;
};
QByteArray oleDocument(const Meta& meta);
QByteArray zipPackage(const QList<QPair<QByteArray, QByteArray>>& members);
} // namespace GsfFixture
