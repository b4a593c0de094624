// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/RegKeyTree.h"

#include <QStringList>

namespace {
struct Hive {
    QLatin1String name;
    QLatin1String shortName;
};
const Hive kHives[] = {
    {QLatin1String("HKEY_LOCAL_MACHINE"), QLatin1String("HKLM")},
    {QLatin1String("HKEY_CURRENT_USER"), QLatin1String("HKCU")},
    {QLatin1String("HKEY_CLASSES_ROOT"), QLatin1String("HKCR")},
    {QLatin1String("HKEY_USERS"), QLatin1String("HKU")},
};
} // namespace

QString RegKeyTree::AbbreviateHive(QStringView path)
{
    const qsizetype end = path.indexOf(QLatin1Char('\\'));
    const QStringView first = end < 0 ? path : path.first(end);
    for (const Hive& hive : kHives) {
        if (first.compare(hive.name, Qt::CaseInsensitive) == 0)
            return hive.shortName + path.sliced(first.size()).toString();
    }
    return path.toString();
}

qint32 RegKeyTree::Find(QStringView path, quint32 hash) const
{
    return m_index.Find(
        hash, [&](qint32 node) { return CNFNameIndex::SameName(PathOf(At(node)), path); });
}

qint32 RegKeyTree::Make(qint32 parent, qint32 path, qsizetype textFrom, qsizetype length,
                        quint8 flags, quint32 hash)
{
    Node node;
    node.parent = parent;
    node.path = path;
    node.length = qint32(length);
    node.textFrom = qint32(textFrom);
    node.flags = flags;
    const qint32 id = qint32(m_nodes.size());
    m_nodes.push_back(node);
    m_index.Insert(hash, id);
    return id;
}

void RegKeyTree::AddRoot(const QString& path)
{
    const quint32 hash = CNFNameIndex::Hash(path);
    if (Find(path, hash) >= 0)
        return;
    m_paths.push_back(path);
    Make(-1, qint32(m_paths.size() - 1), 0, path.size(), kImplied, hash);
}

void RegKeyTree::Add(const QString& path, bool deleted, qint32 section)
{
    const quint32 hash = CNFNameIndex::Hash(path);
    if (const qint32 known = Find(path, hash); known >= 0) {
        Node& node = m_nodes[size_t(known)];
        node.flags &= ~kImplied;
        if (deleted)
            node.flags |= kDeleted;
        if (section > 0)
            node.section = section;
        return;
    }
    // The nearest key above it that the tree holds; the ones passed on the
    // way up are the keys the file leaves out.
    struct Missing {
        qsizetype length;
        quint32 hash;
    };
    std::vector<Missing> missing;
    qint32 parent = -1;
    for (qsizetype cut = path.lastIndexOf(QLatin1Char('\\')); cut > 0;
         cut = path.lastIndexOf(QLatin1Char('\\'), cut - 1)) {
        const QStringView above = QStringView(path).first(cut);
        const quint32 aboveHash = CNFNameIndex::Hash(above);
        parent = Find(above, aboveHash);
        if (parent >= 0)
            break;
        missing.push_back({cut, aboveHash});
    }
    m_paths.push_back(path);
    const qint32 stored = qint32(m_paths.size() - 1);
    qsizetype textFrom = 0;
    if (parent >= 0) {
        textFrom = PathOf(At(parent)).size() + 1;
        for (auto at = missing.rbegin(); at != missing.rend(); ++at) {
            parent = Make(parent, stored, textFrom, at->length, kImplied, at->hash);
            textFrom = at->length + 1;
        }
    }
    const qint32 id = Make(parent, stored, textFrom, path.size(), deleted ? kDeleted : 0, hash);
    m_nodes[size_t(id)].section = section;
}

void RegKeyTree::Finish()
{
    m_tops.clear();
    for (Node& node : m_nodes)
        node.childCount = 0;
    for (const Node& node : m_nodes) {
        if (node.parent >= 0)
            ++m_nodes[size_t(node.parent)].childCount;
    }
    qint32 next = 0;
    for (Node& node : m_nodes) {
        node.firstChild = next;
        next += node.childCount;
        node.childCount = 0;
    }
    m_children.assign(size_t(next), -1);
    for (qint32 id = 0; id < Count(); ++id) {
        Node& node = m_nodes[size_t(id)];
        if (node.parent < 0) {
            node.row = qint32(m_tops.size());
            m_tops.push_back(id);
        } else {
            Node& parent = m_nodes[size_t(node.parent)];
            node.row = parent.childCount++;
            m_children[size_t(parent.firstChild + node.row)] = id;
        }
    }
}

QString RegKeyTree::Text(qint32 node) const
{
    const Node& n = At(node);
    if (n.parent < 0)
        return AbbreviateHive(PathOf(n));
    return PathOf(n).sliced(n.textFrom).toString();
}

QString RegKeyTree::ShownPath(qint32 node) const
{
    QStringList parts;
    for (qint32 at = node; at >= 0; at = Parent(at))
        parts.prepend(Text(at));
    return parts.join(QLatin1Char('\\'));
}
