// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFNameIndex.h"

#include <QString>

#include <vector>

// The keys of a registry file as a tree, kept as an index: a small record
// per node and the children of each node in one array, so that a file of a
// million keys costs no object per key and a view can walk it directly.
//
// Keys are added in file order by their full path ("HKEY_...\A\B"). A key
// hangs below the nearest key above it in the tree (parents are found
// ignoring case); the keys in between that the file does not name become
// nodes of their own, marked as implied. A key with no key above it in the
// tree starts a further top-level node, named with its full path.
class RegKeyTree {
public:
    // Adds the key of a section: `deleted` for "[-KEY]"; `section` is the
    // 1-based number of the section holding its values, 0 for none. A key
    // added again keeps what it had and gains the rest.
    void Add(const QString& path, bool deleted, qint32 section);
    // Adds a top-level node that the file does not name (the root a Wine
    // file's keys are relative to).
    void AddRoot(const QString& path);
    // Makes the lists of children; call after the last Add.
    void Finish();

    qint32 Count() const { return qint32(m_nodes.size()); }
    qint32 TopCount() const { return qint32(m_tops.size()); }
    qint32 Top(qint32 row) const { return m_tops[size_t(row)]; }
    qint32 Parent(qint32 node) const { return At(node).parent; }
    qint32 ChildCount(qint32 node) const { return At(node).childCount; }
    qint32 Child(qint32 node, qint32 row) const
    {
        return m_children[size_t(At(node).firstChild + row)];
    }
    // Among its parent's children, or among the top-level nodes.
    qint32 Row(qint32 node) const { return At(node).row; }

    // What the tree shows: the last part of the path; for a top-level node
    // the whole path with its hive abbreviated.
    QString Text(qint32 node) const;
    // The texts from the top-level node down, joined by "\".
    QString ShownPath(qint32 node) const;
    bool IsDeleted(qint32 node) const { return At(node).flags & kDeleted; }
    bool IsImplied(qint32 node) const { return At(node).flags & kImplied; }
    qint32 Section(qint32 node) const { return At(node).section; }

    // "HKEY_LOCAL_MACHINE\X" as "HKLM\X": the four hives are abbreviated
    // where they are the whole first part of the path.
    static QString AbbreviateHive(QStringView path);

private:
    static constexpr quint8 kDeleted = 1;
    static constexpr quint8 kImplied = 2;

    struct Node {
        qint32 parent = -1;
        qint32 section = 0;
        qint32 path = 0; // in m_paths: the node's path is its first `length` characters
        qint32 length = 0;
        qint32 textFrom = 0; // where the last part begins
        qint32 row = 0;
        qint32 firstChild = 0; // in m_children
        qint32 childCount = 0;
        quint8 flags = 0;
    };

    const Node& At(qint32 node) const { return m_nodes[size_t(node)]; }
    QStringView PathOf(const Node& node) const
    {
        return QStringView(m_paths[size_t(node.path)]).first(node.length);
    }
    qint32 Find(QStringView path, quint32 hash) const;
    qint32 Make(qint32 parent, qint32 path, qsizetype textFrom, qsizetype length, quint8 flags,
                quint32 hash);

    std::vector<Node> m_nodes;
    std::vector<QString> m_paths; // the paths as added; nodes share them
    std::vector<qint32> m_children;
    std::vector<qint32> m_tops;
    CNFNameIndex m_index; // node paths, case ignored
};
