// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cnf/CNFFile.h"
#include "regview/RegFileHead.h"
#include "regview/RegKeyTree.h"
#include "regview/RegValueRow.h"

#include <functional>
#include <vector>

// A registry file opened for viewing: the file read as a CNF document (key
// paths as sections, every line below one whole), the kind of file from its
// header, and the tree of its keys. Reading and the tree can be followed and
// stopped: the document reports its progress through its Status signal and
// lets events through every 100 lines; the tree calls back every 100
// sections.
class RegViewFile {
public:
    RegViewFile();

    // The document, for following and cancelling its read.
    CNFFile& Document() { return m_doc; }

    // Reads the file with the viewer's settings (no comment lines, empty
    // lines skipped, every key line whole). Raises the document's failures,
    // and refuses a Wine file of another version.
    void Read(const QString& path);
    // The same for the bytes of a file held in memory; `shownName` names it
    // in messages.
    void ReadBytes(const QByteArray& bytes, const QString& shownName);

    // Walks the sections in file order and adds their keys to the tree.
    // `step(done, total)` runs before every 100th section; when it returns
    // false the walk stops there. The tree holds what was added either
    // way; false when stopped.
    bool BuildTree(const std::function<bool(qint32 done, qint32 total)>& step = {});

    const RegFileHead& Head() const { return m_head; }
    const RegKeyTree& Tree() const { return m_tree; }
    // The values of a node, in file order; none for a key the file does not
    // define.
    std::vector<RegValueRow> Values(qint32 node);

private:
    CNFFile m_doc;
    RegFileHead m_head;
    RegKeyTree m_tree;
};
