// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/ByteReader.h"

#include <QByteArrayView>
#include <QHash>
#include <QVariant>

// One section of an OLE property set stream ("\005SummaryInformation",
// "\005DocumentSummaryInformation"). Strings are decoded in the section's own
// code page (PID 1, Windows-1252 when it has none); the code page is an
// unsigned 16-bit number even though it is stored as a signed one, so UTF-8
// (65001) is not mistaken for -535. Offsets and lengths are checked against
// the section; a property that does not fit is left out.
class OlePropertySet {
public:
    // Format identifiers as they are stored (the first three GUID fields little-endian).
    static QByteArrayView SummaryInformation();
    static QByteArrayView DocumentSummaryInformation();

    // Reads the section with the given format identifier; false when the
    // stream is damaged or holds no such section.
    bool read(const ByteReader& stream, QByteArrayView formatId);

    quint16 codePage() const { return m_codePage; }
    // Text for string properties, a local QDateTime for times, a number for
    // integers; a null QVariant for a missing or unreadable property.
    QVariant value(quint32 pid) const { return m_values.value(pid); }
    qsizetype count() const { return m_values.size(); }

private:
    QVariant decode(const ByteReader& section, quint64 offset) const;

    quint16 m_codePage = 1252;
    QHash<quint32, QVariant> m_values;
};
