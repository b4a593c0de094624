// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Builds small PE images with chosen resources, and tells where their parts
// lie so that a test can damage them byte by byte.
class PeWriter {
public:
    // A type or name: a number, or a name when `name` is not null.
    struct Key {
        Key(quint16 number = 0) : id(number) {}
        Key(const QString& text) : name(text) {}
        quint16 id = 0;
        QString name;
    };

    struct Layout {
        quint32 sectionTable = 0;   // file offset of the section headers
        quint32 resourceOffset = 0; // file offset of the resource section (its root)
        quint32 resourceRva = 0;
        quint32 resourceRawSize = 0;
        QList<quint32> nameDirectories; // file offsets of the second-level directories
        QList<quint32> languageDirectories;
        QList<quint32> dataEntries;  // file offsets of the data entries, in leaf order
        quint32 exportDirectory = 0; // file offset of the export directory (0: none)
        quint32 exportNameTable = 0; // file offset of its table of name RVAs
        QList<quint32> exportNameAt; // file offsets of the names, in table order
    };

    void add(Key type, Key name, quint16 language, const QByteArray& data);
    bool pe32Plus = false;
    bool withResourceDirectory = true;
    quint32 dataAlignment = 8; // where each resource's bytes start
    // Names the image exports, in their own section after the resources.
    QStringList exports;

    QByteArray build(Layout* layout = nullptr) const;

    // Little-endian patching helpers for damaging a built image.
    static void put16(QByteArray& bytes, qsizetype at, quint16 value);
    static void put32(QByteArray& bytes, qsizetype at, quint32 value);

private:
    struct Leaf {
        Key type;
        Key name;
        quint16 language;
        QByteArray data;
    };
    QByteArray resourceSection(quint32 rva, Layout& layout) const;
    QByteArray exportSection(quint32 rva, quint32 fileOffset, Layout& layout) const;
    QList<Leaf> m_leaves;
};
