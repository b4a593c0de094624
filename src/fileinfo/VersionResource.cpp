// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/VersionResource.h"

#include "platform/ByteReader.h"

#include <algorithm>

// One block of the resource: header (length, value length, type), key, value
// and children. `end` is clipped to the parent, so a block that claims more
// bytes than its parent holds is read only as far as the parent goes.
struct VersionResource::Block {
    quint64 end = 0;
    quint64 next = 0; // where the next sibling starts
    QString key;
    quint16 valueLength = 0;
    quint64 valueStart = 0;
    quint64 valueEnd = 0;
    quint64 childrenStart = 0;
};

namespace {
constexpr quint64 kHeaderSize = 6;
constexpr quint64 kFixedSize = 52;
constexpr quint32 kFixedSignature = 0xFEEF04BD;

// Blocks are aligned to 32 bits counted from the start of the resource.
quint64 align4(quint64 value)
{
    return (value + 3) & ~quint64(3);
}

// UTF-16 text from `from` up to its NUL or `to`; `after` gets the position
// behind the NUL.
QString readText(const ByteReader& r, quint64 from, quint64 to, quint64& after)
{
    QString text;
    quint64 at = from;
    while (at + 2 <= to) {
        const quint16 ch = *r.u16le(at);
        at += 2;
        if (ch == 0)
            break;
        text.append(QChar(ch));
    }
    after = std::min(at, to);
    return text;
}

bool sameKey(const QString& a, const char* b)
{
    return a.compare(QLatin1String(b), Qt::CaseInsensitive) == 0;
}
} // namespace

std::optional<VersionResource::Block> VersionResource::readBlock(quint64 at, quint64 parentEnd,
                                                                 bool textValue) const
{
    const ByteReader r(m_data);
    if (at + kHeaderSize > parentEnd)
        return std::nullopt;
    const auto length = r.u16le(at);
    const auto valueLength = r.u16le(at + 2);
    // A block shorter than its header would never move the reader on.
    if (!length || !valueLength || *length < kHeaderSize)
        return std::nullopt;
    Block b;
    b.end = std::min(at + *length, parentEnd);
    b.next = align4(at + *length);
    quint64 keyEnd = 0;
    b.key = readText(r, at + kHeaderSize, b.end, keyEnd);
    b.valueLength = *valueLength;
    b.valueStart = std::min(align4(keyEnd), b.end);
    // Text values count characters, binary ones bytes.
    const quint64 valueBytes = textValue ? quint64(*valueLength) * 2 : *valueLength;
    b.valueEnd = std::min(b.valueStart + valueBytes, b.end);
    b.childrenStart = align4(b.valueEnd);
    return b;
}

bool VersionResource::parse(QByteArrayView data)
{
    *this = VersionResource();
    m_data = data;
    const auto root = readBlock(0, quint64(data.size()), false);
    if (!root || !sameKey(root->key, "VS_VERSION_INFO"))
        return false;
    readFixed(*root);
    // The order of the two children is not fixed: either may come first.
    for (quint64 at = root->childrenStart;;) {
        const auto child = readBlock(at, root->end, false);
        if (!child)
            break;
        if (sameKey(child->key, "StringFileInfo"))
            readStringFileInfo(*child);
        else if (sameKey(child->key, "VarFileInfo"))
            readVarFileInfo(*child);
        at = child->next;
    }
    return true;
}

void VersionResource::readFixed(const Block& root)
{
    const ByteReader r(m_data);
    if (root.valueEnd - root.valueStart < kFixedSize || r.u32le(root.valueStart) != kFixedSignature)
        return;
    auto field = [&](int index) { return *r.u32le(root.valueStart + 8 + 4 * quint64(index)); };
    VsFixedFileInfo f;
    f.fileVersionMS = field(0);
    f.fileVersionLS = field(1);
    f.productVersionMS = field(2);
    f.productVersionLS = field(3);
    f.fileFlagsMask = field(4);
    f.fileFlags = field(5);
    f.fileOS = field(6);
    f.fileType = field(7);
    f.fileSubtype = field(8);
    m_fixed = f;
}

void VersionResource::readStringFileInfo(const Block& block)
{
    const ByteReader r(m_data);
    for (quint64 at = block.childrenStart;;) {
        const auto table = readBlock(at, block.end, false);
        if (!table)
            break;
        Table t{table->key, {}};
        for (quint64 entryAt = table->childrenStart;;) {
            const auto entry = readBlock(entryAt, table->end, true);
            if (!entry)
                break;
            // The value runs to its NUL; its declared length says only
            // whether there is one (writers disagree on counting it).
            quint64 after = 0;
            const QString value = entry->valueLength == 0
                                      ? QString()
                                      : readText(r, entry->valueStart, entry->end, after);
            t.entries.append({entry->key, value});
            entryAt = entry->next;
        }
        m_tables.append(t);
        at = table->next;
    }
}

void VersionResource::readVarFileInfo(const Block& block)
{
    const ByteReader r(m_data);
    for (quint64 at = block.childrenStart;;) {
        const auto var = readBlock(at, block.end, false);
        if (!var)
            break;
        if (sameKey(var->key, "Translation")) {
            for (quint64 p = var->valueStart; p + 4 <= var->valueEnd; p += 4)
                m_translations.append(quint32(*r.u16le(p)) | quint32(*r.u16le(p + 2)) << 16);
        }
        at = var->next;
    }
}

QStringList VersionResource::tableCodes() const
{
    QStringList codes;
    for (const Table& t : m_tables)
        codes.append(t.code);
    return codes;
}

QString VersionResource::string(const QString& code, const QString& name) const
{
    for (const Table& t : m_tables) {
        if (t.code.compare(code, Qt::CaseInsensitive) != 0)
            continue;
        for (const auto& entry : t.entries) {
            if (entry.first.compare(name, Qt::CaseInsensitive) == 0)
                return entry.second.isNull() ? QStringLiteral("") : entry.second;
        }
        return QString();
    }
    return QString();
}
