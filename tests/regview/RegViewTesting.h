// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "regview/RegValueReader.h"
#include "regview/RegViewFile.h"
#include "support/Sanitized.h"
#include "support/TestText.h"

#include <QStringList>

#include <gtest/gtest.h>

inline std::vector<RegValueRow> ReadRows(RegDialect dialect, const QStringList& lines)
{
    return RegValueReader(dialect).Read(lines.size(), [&](qsizetype i) { return lines.at(i); });
}

// Each row as "name|type|shown".
inline QStringList RowTexts(const std::vector<RegValueRow>& rows)
{
    QStringList texts;
    for (const RegValueRow& row : rows)
        texts.append(row.name + QLatin1Char('|') + row.type + QLatin1Char('|') + row.Shown());
    return texts;
}

// The tree as the companion prints it: one "[PATH]" line per key, marked
// where it is deleted or not in the file, in tree order.
inline QStringList TreeLines(const RegKeyTree& tree)
{
    QStringList lines;
    std::function<void(qint32)> walk = [&](qint32 node) {
        QString line = QLatin1Char('[') + tree.ShownPath(node) + QLatin1Char(']');
        if (tree.IsDeleted(node))
            line += QStringLiteral(" (gelöscht)");
        else if (tree.IsImplied(node))
            line += QStringLiteral(" (nicht in der Datei)");
        lines.append(line);
        for (qint32 row = 0; row < tree.ChildCount(node); ++row)
            walk(tree.Child(node, row));
    };
    for (qint32 row = 0; row < tree.TopCount(); ++row)
        walk(tree.Top(row));
    return lines;
}

// A file read from memory and its tree built.
inline void ReadFile(RegViewFile& file, const QByteArray& bytes)
{
    file.Document().SetEventPump({});
    file.ReadBytes(bytes, QStringLiteral("test.reg"));
    file.BuildTree();
}
