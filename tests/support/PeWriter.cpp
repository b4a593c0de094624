// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeWriter.h"

#include <QHash>

#include <algorithm>

namespace {
constexpr quint32 kHeadersSize = 0x400;
constexpr quint32 kFileAlignment = 0x200;
constexpr quint32 kSectionAlignment = 0x1000;
constexpr quint32 kTextRva = 0x1000;
constexpr quint32 kResourceRva = 0x2000;

quint32 alignUp(quint32 value, quint32 alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

bool keyLess(const PeWriter::Key& a, const PeWriter::Key& b)
{
    // Named entries come first, sorted by name, then the numbers ascending.
    if (a.name.isNull() != b.name.isNull())
        return !a.name.isNull();
    if (!a.name.isNull())
        return a.name.compare(b.name, Qt::CaseInsensitive) < 0;
    return a.id < b.id;
}

bool keyEqual(const PeWriter::Key& a, const PeWriter::Key& b)
{
    return a.name.isNull() == b.name.isNull() && a.id == b.id && a.name == b.name;
}

template <typename T> QList<T> sortedUnique(QList<T> keys)
{
    std::stable_sort(keys.begin(), keys.end(), keyLess);
    keys.erase(std::unique(keys.begin(), keys.end(), keyEqual), keys.end());
    return keys;
}
} // namespace

void PeWriter::put16(QByteArray& bytes, qsizetype at, quint16 value)
{
    bytes[at] = char(value & 0xFF);
    bytes[at + 1] = char(value >> 8);
}

void PeWriter::put32(QByteArray& bytes, qsizetype at, quint32 value)
{
    put16(bytes, at, quint16(value & 0xFFFF));
    put16(bytes, at + 2, quint16(value >> 16));
}

void PeWriter::add(Key type, Key name, quint16 language, const QByteArray& data)
{
    m_leaves.append({type, name, language, data});
}

QByteArray PeWriter::resourceSection(quint32 rva, Layout& layout) const
{
    struct Name {
        Key key;
        QList<const Leaf*> leaves;
        quint32 dir = 0;
    };
    struct Type {
        Key key;
        QList<Name> names;
        quint32 dir = 0;
    };
    QList<Key> typeKeys;
    for (const Leaf& l : m_leaves)
        typeKeys.append(l.type);
    QList<Type> types;
    for (const Key& t : sortedUnique(typeKeys)) {
        Type type{t, {}, 0};
        QList<Key> nameKeys;
        for (const Leaf& l : m_leaves)
            if (keyEqual(l.type, t))
                nameKeys.append(l.name);
        for (const Key& n : sortedUnique(nameKeys)) {
            Name name{n, {}, 0};
            for (const Leaf& l : m_leaves)
                if (keyEqual(l.type, t) && keyEqual(l.name, n))
                    name.leaves.append(&l);
            type.names.append(name);
        }
        types.append(type);
    }

    // Offsets first: root, type directories' children, language directories,
    // data entries, names, then the data itself.
    quint32 at = 16 + 8 * quint32(types.size());
    for (Type& t : types) {
        t.dir = at;
        at += 16 + 8 * quint32(t.names.size());
    }
    QList<const Leaf*> leafOrder;
    for (Type& t : types)
        for (Name& n : t.names) {
            n.dir = at;
            at += 16 + 8 * quint32(n.leaves.size());
            leafOrder += n.leaves;
        }
    QHash<const Leaf*, quint32> entryAt;
    for (const Leaf* l : leafOrder) {
        entryAt[l] = at;
        at += 16;
    }
    QHash<QString, quint32> nameAt;
    for (const Type& t : types) {
        QList<Key> keys{t.key};
        for (const Name& n : t.names)
            keys.append(n.key);
        for (const Key& k : keys)
            if (!k.name.isNull() && !nameAt.contains(k.name)) {
                nameAt[k.name] = at;
                at += 2 + 2 * quint32(k.name.size());
            }
    }
    QHash<const Leaf*, quint32> dataAt;
    for (const Leaf* l : leafOrder) {
        at = alignUp(at, dataAlignment);
        dataAt[l] = at;
        at += quint32(l->data.size());
    }

    QByteArray out(qsizetype(alignUp(at, kFileAlignment)), '\0');
    auto keyField = [&](const Key& k) {
        return k.name.isNull() ? quint32(k.id) : (0x80000000u | nameAt[k.name]);
    };
    auto directory = [&](quint32 dir, int named, int ids) {
        put16(out, dir + 12, quint16(named));
        put16(out, dir + 14, quint16(ids));
    };
    auto countNamed = [](const QList<Key>& keys) {
        return int(
            std::count_if(keys.begin(), keys.end(), [](const Key& k) { return !k.name.isNull(); }));
    };
    QList<Key> keys;
    for (const Type& t : types)
        keys.append(t.key);
    directory(0, countNamed(keys), int(keys.size()) - countNamed(keys));
    for (qsizetype i = 0; i < types.size(); ++i) {
        const Type& t = types[i];
        put32(out, 16 + 8 * i, keyField(t.key));
        put32(out, 16 + 8 * i + 4, 0x80000000u | t.dir);
        QList<Key> names;
        for (const Name& n : t.names)
            names.append(n.key);
        directory(t.dir, countNamed(names), int(names.size()) - countNamed(names));
        layout.nameDirectories.append(layout.resourceOffset + t.dir);
        for (qsizetype j = 0; j < t.names.size(); ++j) {
            const Name& n = t.names[j];
            put32(out, t.dir + 16 + 8 * j, keyField(n.key));
            put32(out, t.dir + 16 + 8 * j + 4, 0x80000000u | n.dir);
            directory(n.dir, 0, int(n.leaves.size()));
            layout.languageDirectories.append(layout.resourceOffset + n.dir);
            for (qsizetype k = 0; k < n.leaves.size(); ++k) {
                const Leaf* l = n.leaves[k];
                put32(out, n.dir + 16 + 8 * k, l->language);
                put32(out, n.dir + 16 + 8 * k + 4, entryAt[l]);
            }
        }
    }
    for (const Leaf* l : leafOrder) {
        put32(out, entryAt[l], rva + dataAt[l]);
        put32(out, entryAt[l] + 4, quint32(l->data.size()));
        put32(out, entryAt[l] + 8, 1252);
        layout.dataEntries.append(layout.resourceOffset + entryAt[l]);
        out.replace(dataAt[l], l->data.size(), l->data);
    }
    for (auto it = nameAt.begin(); it != nameAt.end(); ++it) {
        put16(out, it.value(), quint16(it.key().size()));
        for (qsizetype i = 0; i < it.key().size(); ++i)
            put16(out, it.value() + 2 + 2 * i, it.key().at(i).unicode());
    }
    return out;
}

// The export directory, then the function, name and ordinal tables, the
// library's name and the exported names.
QByteArray PeWriter::exportSection(quint32 rva, quint32 fileOffset, Layout& layout) const
{
    const auto count = quint32(exports.size());
    const quint32 functions = 40;
    const quint32 names = functions + 4 * count;
    const quint32 ordinals = names + 4 * count;
    quint32 at = ordinals + 2 * count;
    QByteArray out(qsizetype(at), '\0');
    const QByteArray library("probe.dll");
    put32(out, 12, rva + at);
    out += library + '\0';
    at += quint32(library.size()) + 1;
    put32(out, 16, 1);
    put32(out, 20, count);
    put32(out, 24, count);
    put32(out, 28, rva + functions);
    put32(out, 32, rva + names);
    put32(out, 36, rva + ordinals);
    for (quint32 i = 0; i < count; ++i) {
        put32(out, functions + 4 * i, kTextRva);
        put32(out, names + 4 * i, rva + at);
        put16(out, ordinals + 2 * i, quint16(i));
        layout.exportNameAt.append(fileOffset + at);
        const QByteArray name = exports.at(i).toLatin1();
        out += name + '\0';
        at += quint32(name.size()) + 1;
    }
    layout.exportDirectory = fileOffset;
    layout.exportNameTable = fileOffset + names;
    out.resize(qsizetype(alignUp(quint32(out.size()), kFileAlignment)), '\0');
    return out;
}

QByteArray PeWriter::build(Layout* layoutOut) const
{
    Layout layout;
    const quint32 peAt = 0x40;
    const quint32 optionalSize = pe32Plus ? 240 : 224;
    const quint32 optional = peAt + 24;
    layout.sectionTable = optional + optionalSize;
    layout.resourceOffset = kHeadersSize + kFileAlignment;
    layout.resourceRva = kResourceRva;
    const QByteArray rsrc = resourceSection(kResourceRva, layout);
    layout.resourceRawSize = quint32(rsrc.size());
    const quint32 exportRva = kResourceRva + alignUp(quint32(rsrc.size()), kSectionAlignment);
    const QByteArray edata =
        exports.isEmpty()
            ? QByteArray()
            : exportSection(exportRva, layout.resourceOffset + layout.resourceRawSize, layout);
    const quint16 sections = edata.isEmpty() ? 2 : 3;

    QByteArray image(qsizetype(kHeadersSize), '\0');
    image[0] = 'M';
    image[1] = 'Z';
    put32(image, 0x3C, peAt);
    image.replace(peAt, 4, QByteArray("PE\0\0", 4));
    put16(image, peAt + 4, pe32Plus ? 0x8664 : 0x14c);
    put16(image, peAt + 6, sections);
    put16(image, peAt + 20, quint16(optionalSize));
    put16(image, peAt + 22, 0x0102);
    put16(image, optional, pe32Plus ? 0x20b : 0x10b);
    put32(image, optional + 32, kSectionAlignment);
    put32(image, optional + 36, kFileAlignment);
    put32(image, optional + 56, exportRva + alignUp(quint32(edata.size()), kSectionAlignment));
    put32(image, optional + 60, kHeadersSize);
    put16(image, optional + 68, 2);
    const quint32 countAt = optional + (pe32Plus ? 108 : 92);
    put32(image, countAt, 16);
    if (withResourceDirectory) {
        put32(image, countAt + 4 + 16, kResourceRva);
        put32(image, countAt + 4 + 20, quint32(rsrc.size()));
    }
    if (!edata.isEmpty()) {
        put32(image, countAt + 4, exportRva);
        put32(image, countAt + 8, quint32(edata.size()));
    }
    auto section = [&](int index, const char* name, quint32 rva, quint32 size, quint32 raw) {
        const quint32 at = layout.sectionTable + 40 * quint32(index);
        image.replace(at, int(qstrlen(name)), name);
        put32(image, at + 8, size);
        put32(image, at + 12, rva);
        put32(image, at + 16, size);
        put32(image, at + 20, raw);
        put32(image, at + 36, index == 0 ? 0x60000020u : 0x40000040u);
    };
    section(0, ".text", kTextRva, kFileAlignment, kHeadersSize);
    section(1, ".rsrc", kResourceRva, quint32(rsrc.size()), layout.resourceOffset);
    if (!edata.isEmpty())
        section(2, ".edata", exportRva, quint32(edata.size()), layout.exportDirectory);

    QByteArray text(qsizetype(kFileAlignment), '\0');
    text[0] = char(0xC3); // ret
    image += text;
    image += rsrc;
    image += edata;
    if (layoutOut)
        *layoutOut = layout;
    return image;
}
