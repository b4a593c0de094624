// SPDX-License-Identifier: GPL-3.0-or-later
// The registry file viewer on fuzzed bytes: the file read and its tree built,
// every key's path and values formatted for the window and the companion;
// and the same bytes as the lines of one key for the value reader, in the
// dialect the first byte picks.
#include "core/AppErrorRecord.h"
#include "regview/RegValueReader.h"
#include "regview/RegViewFile.h"

#include <QStringList>

#include <cstdint>
#include <cstdlib>

namespace {
void check(const std::vector<RegValueRow>& rows)
{
    for (const RegValueRow& row : rows) {
        const QString shown = row.Shown();
        const QString complete = row.Complete();
        if (shown.size() > RegValueRow::kShownLength + 2 || row.type.isEmpty())
            std::abort();
        const bool data =
            row.kind == RegValueRow::Kind::Bytes || row.kind == RegValueRow::Kind::Number;
        if (data && (complete.isEmpty() || shown.isEmpty()))
            std::abort();
    }
}

void readFile(const QByteArray& bytes)
{
    RegViewFile file;
    file.Document().SetEventPump({});
    try {
        file.ReadBytes(bytes, QStringLiteral("fuzz.reg"));
    } catch (const AppErrorRecord&) {
        return;
    }
    file.BuildTree();
    const RegKeyTree& tree = file.Tree();
    for (qint32 node = 0; node < tree.Count(); ++node) {
        const qint32 parent = tree.Parent(node);
        if (parent >= 0 && tree.Child(parent, tree.Row(node)) != node)
            std::abort();
        if (parent < 0 && tree.Top(tree.Row(node)) != node)
            std::abort();
        if (tree.ShownPath(node).size() < tree.Text(node).size())
            std::abort();
        check(file.Values(node));
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    readFile(bytes);

    const RegDialect dialects[] = {RegDialect::Version5, RegDialect::Regedit4, RegDialect::Wine};
    const QStringList lines = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    check(RegValueReader(dialects[data[0] % 3]).Read(lines.size(), [&](qsizetype i) {
        return lines.at(i).trimmed();
    }));
    return 0;
}
