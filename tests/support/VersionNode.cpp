// SPDX-License-Identifier: GPL-3.0-or-later
#include "VersionNode.h"

#include "LittleEndian.h"
#include "PeWriter.h"

namespace {
void pad4(QByteArray& bytes)
{
    while (bytes.size() % 4)
        bytes.append('\0');
}

QByteArray utf16z(const QString& text)
{
    QByteArray out;
    for (QChar c : text)
        append16(out, c.unicode());
    append16(out, 0);
    return out;
}
} // namespace

QByteArray VersionNode::serialize() const
{
    QByteArray out(6, '\0');
    out += utf16z(key);
    pad4(out);
    out += value;
    for (const VersionNode& child : children) {
        pad4(out);
        out += child.serialize();
    }
    PeWriter::put16(out, 0, lengthOverride.value_or(quint16(out.size())));
    PeWriter::put16(out, 2, valueLength);
    PeWriter::put16(out, 4, type);
    return out;
}

VersionNode VersionNode::root(const Fixed& f, const QList<VersionNode>& children)
{
    QByteArray block;
    append32s(block, 0xFEEF04BD, 0x00010000, f.fileMS, f.fileLS, f.productMS, f.productLS, 0x3F,
              f.flags, f.os, f.fileType, f.subtype, 0, 0);
    return {QStringLiteral("VS_VERSION_INFO"), block, 52, 0, children, std::nullopt};
}

VersionNode VersionNode::text(const QString& key, const QString& value)
{
    const QByteArray bytes = utf16z(value);
    return {key, bytes, quint16(bytes.size() / 2), 1, {}, std::nullopt};
}

VersionNode VersionNode::strings(const QString& code,
                                 const QList<std::pair<QString, QString>>& entries)
{
    VersionNode table{code, {}, 0, 1, {}, std::nullopt};
    for (const auto& e : entries)
        table.children.append(text(e.first, e.second));
    return {QStringLiteral("StringFileInfo"), {}, 0, 1, {table}, std::nullopt};
}

VersionNode VersionNode::translations(const QList<std::pair<quint16, quint16>>& pairs)
{
    QByteArray value;
    for (const auto& [language, codePage] : pairs)
        append16s(value, language, codePage);
    VersionNode var{
        QStringLiteral("Translation"), value, quint16(value.size()), 0, {}, std::nullopt};
    return {QStringLiteral("VarFileInfo"), {}, 0, 1, {var}, std::nullopt};
}
