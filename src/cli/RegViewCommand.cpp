// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/RegViewCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppErrorRecord.h"
#include "regview/RegViewFile.h"

#include <vector>

const char* const kRegViewCommandUsage =
    "regview DATEI [--values]   (Schlüssel einer .reg-Datei, mit --values auch die Werte)";

namespace {
// "[PATH]", marked where the key is deleted or not in the file.
void printKey(const RegKeyTree& tree, qint32 node, const QString& path)
{
    const QStringView mark = tree.IsDeleted(node)   ? u" (gelöscht)"
                             : tree.IsImplied(node) ? u" (nicht in der Datei)"
                                                    : u"";
    cliPrintParts({u"[", path, u"]", mark});
}

// TAB name TAB type TAB value, the value complete.
void printValues(RegViewFile& file, qint32 node)
{
    for (const RegValueRow& row : file.Values(node)) {
        const QString name = RegValueText::Escaped(row.name, false);
        const QString value = row.Complete();
        cliPrintParts({u"\t", name, u"\t", row.type, u"\t", value});
    }
}

// Every node in tree order: a node, then its children's subtrees. Each
// path is its parent's and one part more, so a deep tree costs no more than
// its output.
void printTree(RegViewFile& file, bool values)
{
    const RegKeyTree& tree = file.Tree();
    struct Pending {
        qint32 node;
        QString parentPath;
        bool top;
    };
    std::vector<Pending> stack;
    for (qint32 row = tree.TopCount() - 1; row >= 0; --row)
        stack.push_back({tree.Top(row), QString(), true});
    while (!stack.empty()) {
        Pending next = std::move(stack.back());
        stack.pop_back();
        const QString text = tree.Text(next.node);
        const QString path = next.top ? text : next.parentPath + QLatin1Char('\\') + text;
        printKey(tree, next.node, path);
        if (values)
            printValues(file, next.node);
        for (qint32 row = tree.ChildCount(next.node) - 1; row >= 0; --row)
            stack.push_back({tree.Child(next.node, row), path, false});
    }
}

int usageError()
{
    cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kRegViewCommandUsage));
    return 2;
}
} // namespace

int runRegViewCommand(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {{"--values", false}}) || options.operands().size() != 1)
        return usageError();
    const QString path = options.operands().first();
    if (!cliCheckInputFile(path, false))
        return 1;
    try {
        RegViewFile file;
        file.Document().SetEventPump({});
        file.Read(path);
        file.BuildTree();
        printTree(file, options.has("--values"));
        return 0;
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return 1;
    }
}
