// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FileInfoText.h"

#include <QStringList>

namespace {
QStringList Heading(const QString& fullPath)
{
    return {fullPath, QString(fullPath.size(), QLatin1Char('*'))};
}
} // namespace

QString FileInfoText::CopyAll(const QString& fullPath, const QList<FileInfoRow>& rows)
{
    qsizetype width = 0;
    for (const FileInfoRow& row : rows)
        width = std::max(width, row.label.size());
    QStringList lines = Heading(fullPath);
    for (const FileInfoRow& row : rows)
        lines.append(row.label.leftJustified(width + 1, QLatin1Char(' ')) + row.value);
    return lines.join(QStringLiteral("\r\n"));
}

QString FileInfoText::CopyCurrent(const QString& fullPath, const FileInfoRow* row)
{
    QStringList lines = Heading(fullPath);
    if (row)
        lines.append(row->label + QLatin1Char('\t') + row->value);
    return lines.join(QStringLiteral("\r\n"));
}
