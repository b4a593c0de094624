// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ByteReader.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <optional>

class InputFile;

// A resource type, name or language key: a number, or a name for the named
// entries of the directory (the number is 0 then).
struct PeResourceKey {
    quint16 id = 0;
    QString name;

    bool isName() const { return !name.isNull(); }
    bool operator==(const PeResourceKey& other) const
    {
        return id == other.id && isName() == other.isName() &&
               name.compare(other.name, Qt::CaseInsensitive) == 0;
    }
};

// One leaf of the resource tree: its type, name and language, and where its
// bytes lie in the file. Only leaves whose bytes lie wholly inside the file
// are listed.
struct PeResource {
    PeResourceKey type;
    PeResourceKey name;
    quint16 language = 0;
    quint32 codePage = 0;
    quint64 offset = 0; // in the file
    quint32 size = 0;
};

// Reads the resources of a PE image (PE32 and PE32+): DOS and PE headers, the
// section table and the three levels of the resource directory. A damaged
// file yields fewer resources or none, never a read outside the data.
class PeFile {
public:
    static constexpr quint16 RtIcon = 3;
    static constexpr quint16 RtGroupIcon = 14;
    static constexpr quint16 RtVersion = 16;

    PeFile();
    ~PeFile();
    PeFile(const PeFile&) = delete;
    PeFile& operator=(const PeFile&) = delete;

    // Opens the file and reads its headers and resource directory; false
    // when it cannot be read or is no PE image. The file is read in pieces,
    // never mapped: one that shrinks meanwhile gives fewer resources or
    // empty data, never a signal.
    bool open(const QString& path);
    // The same for bytes already in memory (the PE file keeps a reference).
    bool openData(const QByteArray& data);
    void close();

    bool isPe() const { return m_isPe; }
    bool is64Bit() const { return m_is64; }

    // Every resource in directory order (types, then names, then languages).
    const QList<PeResource>& resources() const { return m_resources; }
    QList<PeResource> resourcesOfType(quint16 type) const;
    // The resource of this type and numeric name; the language is taken when
    // present, else the neutral one, else the first.
    std::optional<PeResource> find(quint16 type, quint16 id,
                                   std::optional<quint16> language = std::nullopt) const;
    // The bytes of a resource, read while this file stays open; empty when
    // they cannot be read (the file shrank) or are implausibly large.
    QByteArray data(const PeResource& resource) const;
    // The names the image exports (its export directory's name table), in
    // table order, read while this file stays open. A damaged table gives
    // the names read before the damage; a name without its end is left out.
    QStringList exportNames() const;

private:
    struct Section {
        quint32 virtualAddress = 0;
        quint32 rawSize = 0;
        quint32 rawOffset = 0;
    };
    struct Walk;

    bool readHeaders();
    bool parse();
    std::optional<QByteArray> readRange(quint64 offset, quint64 length) const;
    void need(Walk& walk, quint64 end) const;
    bool readSections(quint64 tableOffset, quint16 count);
    // The RVA a data directory entry points to; 0 when the header lacks it.
    quint32 directoryRva(quint64 optional, quint16 optionalSize, int index) const;
    std::optional<QString> exportName(quint32 rva) const;
    // The file range an RVA maps to: its offset and the bytes behind it.
    std::optional<std::pair<quint64, quint64>> mapRva(quint32 rva) const;
    void readDirectory(Walk& walk, quint64 offset, int level, const PeResource& path);
    std::optional<PeResourceKey> readKey(Walk& walk, quint32 field) const;
    void addLeaf(Walk& walk, quint64 offset, PeResource leaf);

    std::unique_ptr<InputFile> m_file; // or, for data in memory:
    QByteArray m_buffer;
    quint64 m_size = 0;
    QByteArray m_head; // the headers and section table
    ByteReader m_data; // over m_head
    bool m_isPe = false;
    bool m_is64 = false;
    quint32 m_sizeOfHeaders = 0;
    quint32 m_exportRva = 0;
    QList<Section> m_sections;
    QList<PeResource> m_resources;
};
