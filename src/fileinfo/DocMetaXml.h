// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "fileinfo/DocProperty.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

// The metadata parts of zip-based documents: docProps/core.xml and app.xml of
// Office Open XML packages, meta.xml of OpenDocument files. A part that
// carries a DTD (and with it entity declarations) is refused, as is one that
// is not well-formed; a refused part adds no value at all.
class DocMetaXml {
public:
    // Each fills the values its part holds and returns false when it refused the part.
    static bool readOoxmlCore(QByteArrayView xml, DocPropertyValues& values);
    static bool readOoxmlApp(QByteArrayView xml, DocPropertyValues& values);
    static bool readOdfMeta(QByteArrayView xml, DocPropertyValues& values);
    // The part a package relationship of the given type points to (from
    // _rels/.rels), without a leading "/"; empty when there is none.
    static QString relationshipTarget(QByteArrayView rels, const QString& typeSuffix);

    // A W3C date-time ("2020-02-01T10:00:00Z", with or without fraction and
    // zone, or a date alone) as local time; null when it is none. Without a
    // zone the value is taken as local time already.
    static QDateTime parseDateTime(const QString& text);
};
