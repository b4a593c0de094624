// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/InfoCommand.h"

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "core/AppGlobals.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "fileinfo/FileInfo.h"
#include "fileinfo/FileVersionInfo.h"
#include "fileinfo/OfficeDocProperties.h"
#include "platform/FileNameCodec.h"

namespace {
// The information pane shows its times in this one fixed pattern.
QString paneTime(const QDateTime& value)
{
    return value.isValid() ? value.toString(QStringLiteral("dd.MM.yy HH:mm:ss")) : QString();
}

QString yesNo(bool value)
{
    return value ? QStringLiteral("Ja") : QStringLiteral("Nein");
}

InfoRow separator()
{
    return {QString(15, QLatin1Char('-')), QString(25, QLatin1Char('-'))};
}

void appendVersionRows(const QString& path, QList<InfoRow>& rows)
{
    FileVersionInfo version;
    version.setFullPathName(path);
    if (!version.Available())
        return;
    rows.append(separator());
    rows.append({QStringLiteral("Version"), version.FileVersion()});
    rows.append({QStringLiteral("Beschreibung"), version.FileDescription()});
    rows.append({QStringLiteral("Copyright"), version.LegalCopyright()});
    rows.append({QStringLiteral("Firmenname"), version.CompanyName()});
    rows.append({QStringLiteral("Int. Name"), version.InternalName()});
    rows.append({QStringLiteral("Sprache"), version.Language()});
    rows.append({QStringLiteral("Marken"), version.LegalTrademarks()});
    rows.append({QStringLiteral("Originalname"), version.OriginalFilename()});
    rows.append({QStringLiteral("Produktname"), version.ProductName()});
    rows.append({QStringLiteral("Kommentare"), version.Comments()});
}

void appendDocumentRows(const QString& path, QList<InfoRow>& rows)
{
    if (OfficeDocProperties::ApplicationFor(path) == OfficeDocProperties::AppNone)
        return;
    OfficeDocProperties props;
    props.setFilename(path);
    QStringList values;
    if (props.GetProperties(values) == 0)
        return;
    rows.append(separator());
    for (int i = 0; i < values.size(); ++i) {
        if (!values[i].isEmpty())
            rows.append({props.Translate(i, true), values[i]});
    }
}
} // namespace

QList<InfoRow> InfoRows(const QString& path)
{
    FileInfo info;
    info.setFullPathName(path);
    if (!info.FileExists())
        return {};
    QList<InfoRow> rows = {
        {QStringLiteral("Typ"), info.TypeName()},
        {QStringLiteral("Größe"), FileInfo::FormatFileSize(info.Size())},
        {QStringLiteral("Erstellt"), paneTime(info.CreationTime())},
        {QStringLiteral("Geändert"), paneTime(info.ModifyTime())},
        {QStringLiteral("Letzter Zugr."), paneTime(info.LastAccessTime())},
        {QStringLiteral("Schreibgesch."), yesNo(info.attrReadOnly())},
        {QStringLiteral("Archiv"), yesNo(info.attrArchive())},
        {QStringLiteral("Versteckt"), yesNo(info.attrHidden())},
        {QStringLiteral("System"), yesNo(info.attrSystem())},
    };
    if (!(info.Attributes() & FileInfo::AttrDirectory)) {
        appendVersionRows(info.FullPathName(), rows);
        appendDocumentRows(info.FullPathName(), rows);
    }
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
        const QList<InfoRow> rows = InfoRows(path);
        if (rows.isEmpty()) {
            cliError(AppErr().MsgLoad(Msg::FileMissing, DisplayFileName(path)));
            return false;
        }
        for (const InfoRow& row : rows)
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
