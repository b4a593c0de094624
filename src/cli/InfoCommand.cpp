// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InfoCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "fileinfo/OfficeDocProperties.h"
#include "platform/FileNameCodec.h"
#include "platform/FileStatus.h"

namespace {
void appendDocumentRows(const QString& path, QList<FileInfoRow>& rows)
{
    if (OfficeDocProperties::ApplicationFor(path) == OfficeDocProperties::AppNone)
        return;
    OfficeDocProperties props;
    props.setFilename(path);
    QStringList values;
    if (props.GetProperties(values) == 0)
        return;
    rows.append(FileInfoRows::Separator());
    for (int i = 0; i < values.size(); ++i) {
        if (!values[i].isEmpty())
            rows.append({props.Translate(i, true), values[i]});
    }
}
} // namespace

QList<FileInfoRow> InfoRows(const QString& path)
{
    QList<FileInfoRow> rows = FileInfoRows::Build(path);
    if (!rows.isEmpty() && !IsFolder(path))
        appendDocumentRows(path, rows);
    return rows;
}

const char* const kInfoCommandUsage = "info DATEI... (vor jeder Datei '== PFAD', wenn es "
                                      "mehrere sind)";

namespace {
// The rows of one file on standard output; false after a message on
// standard error.
bool printInfo(const QString& path)
{
    if (!cliCheckInputFile(path, true))
        return false;
    try {
        const QList<FileInfoRow> rows = InfoRows(path);
        if (rows.isEmpty()) {
            cliError(AppErr().MsgLoad(Msg::FileMissing, DisplayFileName(path)));
            return false;
        }
        for (const FileInfoRow& row : rows)
            cliPrint(row.label + QLatin1Char('\t') + row.value);
        return true;
    } catch (const AppErrorRecord& e) {
        cliError(e.Description);
        return false;
    }
}
} // namespace

int runInfoCommand(const QStringList& args)
{
    CliOptions options;
    if (!options.parse(args, {}) || options.operands().isEmpty() ||
        options.operands().contains(QString())) {
        cliError(QStringLiteral("Aufruf: tolvane-cli ") + QString::fromUtf8(kInfoCommandUsage));
        return 2;
    }
    const QStringList& files = options.operands();
    bool allRead = true;
    for (const QString& path : files) {
        if (files.size() > 1)
            cliPrintBytes("== " + EncodeFileName(path));
        allRead = printInfo(path) && allRead;
    }
    return allRead ? 0 : 1;
}
