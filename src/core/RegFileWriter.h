// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/RegFileDocument.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Writes keys as a registry export file the way regedit lays it out: header,
// blank line, then each key in brackets with its values and a blank line.
// Text holding a line break or NUL cannot stand between quotes and is written
// as hex(1) bytes (UTF-16LE in version 5, UTF-8 in REGEDIT4); long hex data is
// wrapped with "\" at 80 columns.
class RegFileWriter {
public:
    explicit RegFileWriter(RegFileFormat format) : m_format(format) {}

    // The file's text with the given line ends; nothing when a key or value
    // name holds a line break, which no .reg file can carry (`error` says which).
    std::optional<QString> text(const QList<RegFileKey>& keys, const QString& lineEnd,
                                QString& error) const;

    // UTF-16LE with byte order mark, as regedit writes version 5 files.
    static QByteArray utf16LeWithBom(const QString& text);

private:
    QString valueLine(const RegFileValue& entry, const QString& lineEnd) const;

    RegFileFormat m_format;
};
