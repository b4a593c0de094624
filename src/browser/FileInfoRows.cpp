// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FileInfoRows.h"

#include "fileinfo/FileInfo.h"
#include "fileinfo/FileVersionInfo.h"

namespace {
QString YesNo(bool value)
{
    return value ? QStringLiteral("Ja") : QStringLiteral("Nein");
}
} // namespace

QString FileInfoRows::FormatTime(const QDateTime& time)
{
    return time.isValid() ? time.toLocalTime().toString(QStringLiteral("dd.MM.yy HH:mm:ss"))
                          : QString();
}

PreviewKind FileInfoRows::PreviewOf(const QString& fileName, bool isPicture)
{
    if (isPicture)
        return PreviewKind::Picture;
    const qsizetype dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QStringView extension = dot < 0 ? QStringView() : QStringView(fileName).mid(dot + 1);
    for (const char* text : {"txt", "ini"}) {
        if (extension.compare(QLatin1String(text), Qt::CaseInsensitive) == 0)
            return PreviewKind::Text;
    }
    return PreviewKind::None;
}

QList<FileInfoRow> FileInfoRows::AttributeRows(const FileInfo& info)
{
    return {
        {QStringLiteral("Typ"), info.TypeName()},
        {QStringLiteral("Größe"), FileInfo::FormatFileSize(info.Size())},
        {QStringLiteral("Erstellt"), FormatTime(info.CreationTime())},
        {QStringLiteral("Geändert"), FormatTime(info.ModifyTime())},
        {QStringLiteral("Letzter Zugr."), FormatTime(info.LastAccessTime())},
        {QStringLiteral("Schreibgesch."), YesNo(info.attrReadOnly())},
        {QStringLiteral("Archiv"), YesNo(info.attrArchive())},
        {QStringLiteral("Versteckt"), YesNo(info.attrHidden())},
        {QStringLiteral("System"), YesNo(info.attrSystem())},
    };
}

QList<FileInfoRow> FileInfoRows::VersionRows(const FileVersionInfo& version)
{
    return {
        {QString(15, QLatin1Char('-')), QString(25, QLatin1Char('-'))},
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
    QList<FileInfoRow> rows = AttributeRows(info);
    FileVersionInfo version;
    version.setFullPathName(fullPath);
    if (version.Available())
        rows += VersionRows(version);
    return rows;
}
