// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <optional>

// The fixed block of a version resource (VS_FIXEDFILEINFO), as stored.
struct VsFixedFileInfo {
    quint32 fileVersionMS = 0;
    quint32 fileVersionLS = 0;
    quint32 productVersionMS = 0;
    quint32 productVersionLS = 0;
    quint32 fileFlagsMask = 0;
    quint32 fileFlags = 0;
    quint32 fileOS = 0;
    quint32 fileType = 0;
    quint32 fileSubtype = 0;
};

// Parses the bytes of a version resource (VS_VERSIONINFO): the fixed block,
// the translation table and the string tables. Every block is read inside its
// parent, a block shorter than its own header ends the list it is in, and a
// value never reaches past its block, so a damaged resource gives fewer
// entries, never a loop or a read outside the bytes.
class VersionResource {
public:
    // False when the bytes are not a version resource.
    bool parse(QByteArrayView data);

    const std::optional<VsFixedFileInfo>& fixed() const { return m_fixed; }
    // Language in the low word, code page in the high word, in table order.
    const QList<quint32>& translations() const { return m_translations; }
    // The string tables' codes ("040704B0") in file order.
    QStringList tableCodes() const;
    // The text of an entry up to its first NUL; null when the table or the
    // entry is missing. Codes and names are compared ignoring case.
    QString string(const QString& code, const QString& name) const;

private:
    struct Block;
    struct Table {
        QString code;
        QList<std::pair<QString, QString>> entries;
    };
    std::optional<Block> readBlock(quint64 at, quint64 parentEnd, bool textValue) const;
    void readStringFileInfo(const Block& block);
    void readVarFileInfo(const Block& block);
    void readFixed(const Block& root);

    QByteArrayView m_data;
    std::optional<VsFixedFileInfo> m_fixed;
    QList<quint32> m_translations;
    QList<Table> m_tables;
};
