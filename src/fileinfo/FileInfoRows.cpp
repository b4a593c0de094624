// SPDX-License-Identifier: GPL-3.0-or-later
#include "fileinfo/FileInfoRows.h"

#include "fileinfo/FileInfo.h"
#include "fileinfo/FileVersionInfo.h"

namespace {
QString yesNo(bool value)
{
    return value ? QStringLiteral("Ja") : QStringLiteral("Nein");
}
} // namespace

QString FileInfoRows::FormatTime(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("dd.MM.yy HH:mm:ss"))
                          : QString();
}

FileInfoRow FileInfoRows::Separator()
{
    return {QString(15, QLatin1Char('-')), QString(25, QLatin1Char('-'))};
}

QList<FileInfoRow> FileInfoRows::AttributeRows(const FileInfo& info)
{
    return {
        {QStringLiteral("Typ"), info.TypeName()},
        {QStringLiteral("Größe"), FileInfo::FormatFileSize(info.Size())},
        {QStringLiteral("Erstellt"), FormatTime(info.CreationTime())},
        {QStringLiteral("Geändert"), FormatTime(info.ModifyTime())},
        {QStringLiteral("Letzter Zugr."), FormatTime(info.LastAccessTime())},
        {QStringLiteral("Schreibgesch."), yesNo(info.attrReadOnly())},
        {QStringLiteral("Archiv"), yesNo(info.attrArchive())},
        {QStringLiteral("Versteckt"), yesNo(info.attrHidden())},
        {QStringLiteral("System"), yesNo(info.attrSystem())},
    };
}

QList<FileInfoRow> FileInfoRows::VersionRows(const FileVersionInfo& version)
{
    return {
        Separator(),
        {QStringLiteral("Version"), version.FileVersion()},
        {QStringLiteral("Beschreibung"), version.FileDescription()},
        {QStringLiteral("Copyright"), version.LegalCopyright()},
        {QStringLiteral("Firmenname"), version.CompanyName()},
        {QStringLiteral("Int. Name"), version.InternalName()},
        {QStringLiteral("Sprache"), version.Language()},
        {QStringLiteral("Marken"), version.LegalTrademarks()},
        {QStringLiteral("Originalname"), version.OriginalFilename()},
        {QStringLiteral("Produktname"), version.ProductName()},
        {QStringLiteral("Kommentare"), version.Comments()},
    };
}

QList<FileInfoRow> FileInfoRows::Build(const QString& fullPath)
{
    FileInfo info;
    info.setFullPathName(fullPath);
    if (!info.FileExists())
        return {};
    QList<FileInfoRow> rows = AttributeRows(info);
    if (info.Attributes() & FileInfo::AttrDirectory)
        return rows;
    FileVersionInfo version;
    version.setFullPathName(info.FullPathName());
    if (version.Available())
        rows += VersionRows(version);
    return rows;
}
