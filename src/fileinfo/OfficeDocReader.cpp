// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/OfficeDocReader.h"

#include "fileinfo/DateText.h"
#include "fileinfo/DocMetaXml.h"
#include "fileinfo/OleCompoundFile.h"
#include "fileinfo/OlePropertySet.h"
#include "fileinfo/ZipArchive.h"

namespace {
// Property streams hold a thumbnail at most; metadata parts are a few KB.
constexpr quint64 MaxPropertyStream = 16 * 1024 * 1024;
constexpr quint64 MaxXmlPart = 8 * 1024 * 1024;

struct OleSource {
    DocProperty property;
    bool documentSummary; // else SummaryInformation
    quint32 pid;
};

constexpr OleSource OleSources[] = {
    {DocApplication, false, 18}, {DocAuthor, false, 4},     {DocCategory, true, 2},
    {DocComments, false, 6},     {DocCompany, true, 15},    {DocCreated, false, 12},
    {DocKeywords, false, 5},     {DocLastAuthor, false, 8}, {DocLastSaved, false, 13},
    {DocSubject, false, 3},      {DocTitle, false, 2},
};

QString valueText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return GeneralDateText(value.toDateTime());
    return value.toString();
}

OlePropertySet readSet(const OleCompoundFile& file, const QString& stream, QByteArrayView formatId)
{
    OlePropertySet set;
    if (const auto bytes = file.rootStream(stream, MaxPropertyStream))
        set.read(ByteReader(*bytes), formatId);
    return set;
}
} // namespace

DocPropertyValues OfficeDocReader::read(const ByteReader& data)
{
    DocPropertyValues values;
    if (OleCompoundFile::hasSignature(data))
        readOle(data, values);
    else if (ZipArchive::hasSignature(data))
        readZip(data, values);
    return values;
}

void OfficeDocReader::readOle(const ByteReader& data, DocPropertyValues& values)
{
    OleCompoundFile file;
    if (!file.open(data))
        return;
    const OlePropertySet summary = readSet(file,
                                           QStringLiteral("\x05"
                                                          "SummaryInformation"),
                                           OlePropertySet::SummaryInformation());
    const OlePropertySet document = readSet(file,
                                            QStringLiteral("\x05"
                                                           "DocumentSummaryInformation"),
                                            OlePropertySet::DocumentSummaryInformation());
    for (const OleSource& source : OleSources) {
        const OlePropertySet& set = source.documentSummary ? document : summary;
        values[source.property] = valueText(set.value(source.pid));
    }
}

void OfficeDocReader::readZip(const ByteReader& data, DocPropertyValues& values)
{
    ZipArchive zip;
    if (!zip.open(data))
        return;
    if (const auto meta = zip.read(QStringLiteral("meta.xml"), MaxXmlPart)) {
        DocMetaXml::readOdfMeta(*meta, values);
        return;
    }
    QString core = QStringLiteral("docProps/core.xml");
    QString app = QStringLiteral("docProps/app.xml");
    if (const auto rels = zip.read(QStringLiteral("_rels/.rels"), MaxXmlPart)) {
        const QString coreTarget =
            DocMetaXml::relationshipTarget(*rels, QStringLiteral("/metadata/core-properties"));
        const QString appTarget =
            DocMetaXml::relationshipTarget(*rels, QStringLiteral("/extended-properties"));
        if (!coreTarget.isEmpty())
            core = coreTarget;
        if (!appTarget.isEmpty())
            app = appTarget;
    }
    if (const auto xml = zip.read(core, MaxXmlPart))
        DocMetaXml::readOoxmlCore(*xml, values);
    if (const auto xml = zip.read(app, MaxXmlPart))
        DocMetaXml::readOoxmlApp(*xml, values);
}
