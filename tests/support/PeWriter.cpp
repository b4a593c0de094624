// SPDX-License-Identifier: GPL-3.0-or-later
#include "PeWriter.h"

#include "LittleEndian.h"

#include <QHash>
#include <QtEndian>

#include <algorithm>
#include <vector>

namespace {
constexpr quint32 kHeadersSize = 0x400;
constexpr quint32 kFileAlignment = 0x200;
constexpr quint32 kSectionAlignment = 0x1000;
constexpr quint32 kTextRva = 0x1000;
constexpr quint32 kResourceRva = 0x2000;
constexpr quint32 kHighBit = 0x80000000u; // a subdirectory, or a name's offset

quint32 alignUp(quint32 value, quint32 alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

// A directory of the resource tree, or a leaf (`data` set) under a language.
struct Node {
    PeWriter::Key key;
    const QByteArray* data = nullptr;
    std::vector<Node> children;
    quint32 at = 0;
};

Node& childFor(Node& parent, const PeWriter::Key& key)
{
    for (Node& child : parent.children)
        if (child.key.name.isNull() == key.name.isNull() && child.key.id == key.id &&
            child.key.name == key.name)
            return child;
    return parent.children.emplace_back(Node{key, nullptr, {}});
}

// Named entries come first, sorted by name, then the numbers ascending.
bool keyLess(const Node& a, const Node& b)
{
    if (a.key.name.isNull() != b.key.name.isNull())
        return !a.key.name.isNull();
    if (!a.key.name.isNull())
        return a.key.name.compare(b.key.name, Qt::CaseInsensitive) < 0;
    return a.key.id < b.key.id;
}
} // namespace

void PeWriter::put16(QByteArray& bytes, qsizetype at, quint16 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void PeWriter::put32(QByteArray& bytes, qsizetype at, quint32 value)
{
    qToLittleEndian(value, bytes.data() + at);
}

void PeWriter::add(Key type, Key name, quint16 language, const QByteArray& data)
{
    m_leaves.append({type, name, language, data});
}

QByteArray PeWriter::resourceSection(quint32 rva, Layout& layout) const
{
    Node root;
    for (const Leaf& l : m_leaves)
        childFor(childFor(root, l.type), l.name).children.push_back(Node{l.language, &l.data, {}});
    std::stable_sort(root.children.begin(), root.children.end(), keyLess);
    for (Node& type : root.children)
        std::stable_sort(type.children.begin(), type.children.end(), keyLess);

    // The directories level by level (root, types, names, the leaves' data
    // entries), then the names' strings, then the resources' bytes.
    QList<Node*> levels[5] = {{&root}};
    quint32 at = 0;
    for (int depth = 0; depth < 4; ++depth)
        for (Node* node : levels[depth]) {
            node->at = at;
            at += 16 + 8 * quint32(node->children.size());
            for (Node& child : node->children)
                levels[depth + 1].append(&child);
        }
    QByteArray out(qsizetype(at), '\0');
    QHash<QString, quint32> nameAt;
    auto addName = [&](const Key& key) {
        if (key.name.isNull() || nameAt.contains(key.name))
            return;
        nameAt[key.name] = quint32(out.size());
        append16(out, quint16(key.name.size()));
        for (const QChar c : key.name)
            append16(out, c.unicode());
    };
    for (const Node& type : root.children) {
        addName(type.key);
        for (const Node& name : type.children)
            addName(name.key);
    }
    for (const Node* leaf : levels[3]) {
        out.resize(qsizetype(alignUp(quint32(out.size()), dataAlignment)), '\0');
        layout.dataEntries.append(layout.resourceOffset + leaf->at);
        put32(out, leaf->at, rva + quint32(out.size()));
        put32(out, leaf->at + 4, quint32(leaf->data->size()));
        put32(out, leaf->at + 8, 1252);
        out += *leaf->data;
    }
    for (int depth = 0; depth < 3; ++depth)
        for (const Node* dir : levels[depth]) {
            if (depth > 0)
                (depth == 1 ? layout.nameDirectories : layout.languageDirectories)
                    .append(layout.resourceOffset + dir->at);
            const auto named =
                quint16(std::count_if(dir->children.begin(), dir->children.end(),
                                      [](const Node& c) { return !c.key.name.isNull(); }));
            put16(out, dir->at + 12, named);
            put16(out, dir->at + 14, quint16(dir->children.size() - named));
            for (size_t i = 0; i < dir->children.size(); ++i) {
                const Node& child = dir->children[i];
                const quint32 entry = dir->at + 16 + 8 * quint32(i);
                put32(out, entry,
                      child.key.name.isNull() ? child.key.id : kHighBit | nameAt[child.key.name]);
                put32(out, entry + 4, child.data ? child.at : kHighBit | child.at);
            }
        }
    out.resize(qsizetype(alignUp(quint32(out.size()), kFileAlignment)), '\0');
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
    // Ordinal base, the counts of functions and names, the three tables.
    const quint32 fields[] = {1, count, count, rva + functions, rva + names, rva + ordinals};
    for (int i = 0; i < 6; ++i)
        put32(out, 16 + 4 * i, fields[i]);
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
    image.replace(0, 2, "MZ");
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
