// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/DocMetaXml.h"

#include "fileinfo/DateText.h"

#include <QHash>
#include <QRegularExpression>
#include <QTimeZone>
#include <QXmlStreamReader>

#include <functional>

namespace {
using ElementVisitor = std::function<void(QStringView name, const QXmlStreamAttributes& attributes,
                                          const QString& text)>;

// Calls `visit` for every element `depth` levels down (1: the root element)
// with its local name, attributes and whole text. False when the XML carries
// a DTD or is not well-formed.
bool forEachElement(QByteArrayView xml, int depth, const ElementVisitor& visit)
{
    QXmlStreamReader reader(QByteArray::fromRawData(xml.data(), xml.size()));
    int level = 0;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference)
            return false;
        if (token == QXmlStreamReader::EndElement) {
            --level;
        } else if (token == QXmlStreamReader::StartElement && ++level == depth) {
            const QString name = reader.name().toString();
            const QXmlStreamAttributes attributes = reader.attributes();
            const QString text = reader.readElementText(QXmlStreamReader::IncludeChildElements);
            --level;
            if (reader.hasError())
                return false;
            visit(name, attributes, text);
        }
    }
    return !reader.hasError();
}

QString dateText(const QString& text)
{
    const QDateTime value = DocMetaXml::parseDateTime(text);
    return value.isValid() ? GeneralDateText(value) : text.trimmed();
}

// Elements whose text goes to a property as it stands, or as a date.
struct Mapping {
    DocProperty property;
    bool date;
};

bool readMapped(QByteArrayView xml, int depth, const QHash<QString, Mapping>& map,
                DocPropertyValues& values)
{
    DocPropertyValues found;
    const bool ok = forEachElement(
        xml, depth, [&](QStringView name, const QXmlStreamAttributes&, const QString& text) {
            const auto it = map.constFind(name.toString());
            if (it == map.cend() || text.trimmed().isEmpty() || !found[it->property].isEmpty())
                return;
            found[it->property] = it->date ? dateText(text) : text;
        });
    if (!ok)
        return false;
    for (int i = 0; i < DocPropertyCount; ++i) {
        if (!found[i].isEmpty())
            values[i] = found[i];
    }
    return true;
}
} // namespace

bool DocMetaXml::readOoxmlCore(QByteArrayView xml, DocPropertyValues& values)
{
    static const QHash<QString, Mapping> map = {
        {QStringLiteral("title"), {DocTitle, false}},
        {QStringLiteral("subject"), {DocSubject, false}},
        {QStringLiteral("creator"), {DocAuthor, false}},
        {QStringLiteral("keywords"), {DocKeywords, false}},
        {QStringLiteral("description"), {DocComments, false}},
        {QStringLiteral("lastModifiedBy"), {DocLastAuthor, false}},
        {QStringLiteral("created"), {DocCreated, true}},
        {QStringLiteral("modified"), {DocLastSaved, true}},
        {QStringLiteral("category"), {DocCategory, false}},
    };
    return readMapped(xml, 2, map, values);
}

bool DocMetaXml::readOoxmlApp(QByteArrayView xml, DocPropertyValues& values)
{
    static const QHash<QString, Mapping> map = {
        {QStringLiteral("Application"), {DocApplication, false}},
        {QStringLiteral("Company"), {DocCompany, false}},
    };
    return readMapped(xml, 2, map, values);
}

bool DocMetaXml::readOdfMeta(QByteArrayView xml, DocPropertyValues& values)
{
    static const QHash<QString, Mapping> map = {
        {QStringLiteral("title"), {DocTitle, false}},
        {QStringLiteral("subject"), {DocSubject, false}},
        {QStringLiteral("initial-creator"), {DocAuthor, false}},
        {QStringLiteral("description"), {DocComments, false}},
        {QStringLiteral("creator"), {DocLastAuthor, false}},
        {QStringLiteral("creation-date"), {DocCreated, true}},
        {QStringLiteral("date"), {DocLastSaved, true}},
    };
    DocPropertyValues found;
    if (!readMapped(xml, 3, map, found))
        return false;
    // Keywords come one per element; the generator reads "Product/1.2$Platform ...".
    QStringList keywords;
    forEachElement(xml, 3, [&](QStringView name, const QXmlStreamAttributes&, const QString& text) {
        if (name == QLatin1String("keyword") && !text.trimmed().isEmpty())
            keywords.append(text.trimmed());
        else if (name == QLatin1String("generator") && found[DocApplication].isEmpty())
            found[DocApplication] = text.section(QLatin1Char('$'), 0, 0).trimmed();
    });
    found[DocKeywords] = keywords.join(QStringLiteral(", "));
    for (int i = 0; i < DocPropertyCount; ++i) {
        if (!found[i].isEmpty())
            values[i] = found[i];
    }
    return true;
}

QString DocMetaXml::relationshipTarget(QByteArrayView rels, const QString& typeSuffix)
{
    QString target;
    forEachElement(
        rels, 2, [&](QStringView name, const QXmlStreamAttributes& attributes, const QString&) {
            if (name == QLatin1String("Relationship") && target.isEmpty() &&
                attributes.value(QLatin1String("Type")).endsWith(typeSuffix) &&
                attributes.value(QLatin1String("TargetMode")) != QLatin1String("External"))
                target = attributes.value(QLatin1String("Target")).toString();
        });
    while (target.startsWith(QLatin1Char('/')))
        target.remove(0, 1);
    return target;
}

QDateTime DocMetaXml::parseDateTime(const QString& text)
{
    // Date, then optional time with optional fraction, then optional zone.
    static const QRegularExpression rx(
        QStringLiteral(R"(^(\d{4})-(\d\d)-(\d\d))"
                       R"((?:[T ](\d\d):(\d\d)(?::(\d\d)(?:[.,]\d+)?)?)?)"
                       R"(\s*(Z|[+-]\d\d:?\d\d)?$)"));
    const QRegularExpressionMatch m = rx.match(text.trimmed());
    if (!m.hasMatch())
        return QDateTime();
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!date.isValid() || !time.isValid())
        return QDateTime();
    const QString zone = m.captured(7);
    if (zone.isEmpty())
        return QDateTime(date, time);
    int offset = 0;
    if (zone != QLatin1String("Z")) {
        const QString digits = zone.mid(1).remove(QLatin1Char(':'));
        offset = (digits.left(2).toInt() * 3600 + digits.mid(2).toInt() * 60) *
                 (zone.startsWith(QLatin1Char('-')) ? -1 : 1);
    }
    return QDateTime(date, time, QTimeZone(offset)).toLocalTime();
}
