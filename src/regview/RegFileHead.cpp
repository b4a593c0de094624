// SPDX-License-Identifier: GPL-3.0-or-later
#include "regview/RegFileHead.h"

#include "core/AppErrorRecord.h"
#include "core/MessageTable.h"
#include "core/cuAppError.h"
#include "regview/WineText.h"

#include <QStringList>

namespace {
const QLatin1String kWine("WINE REGISTRY Version ");
const QLatin1String kRelative(";; All keys relative to ");

// "\\Machine", "\\User\\.Default" or "\\User\\<someone>" as the key path
// it stands for on Windows.
QString rootOf(QStringView relative)
{
    const QString path = WineText::Unescape(relative.trimmed());
    if (path.compare(QLatin1String("\\Machine"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    if (path.compare(QLatin1String("\\User\\.Default"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("HKEY_USERS\\.Default");
    if (path.startsWith(QLatin1String("\\User\\"), Qt::CaseInsensitive))
        return QStringLiteral("HKEY_CURRENT_USER");
    return {};
}
} // namespace

RegFileHead RegFileHead::FromHeader(const QString& header, const QString& shownName)
{
    RegFileHead head;
    const QStringList lines = header.split(QLatin1Char('\n'));
    const QString& first = lines.front();
    if (first.compare(QLatin1String("REGEDIT4"), Qt::CaseInsensitive) == 0) {
        head.dialect = RegDialect::Regedit4;
    } else if (first.startsWith(kWine, Qt::CaseInsensitive)) {
        const QString version = first.mid(kWine.size()).trimmed();
        if (version != QLatin1String("2")) {
            const qint32 number = Msg::WineVersionUnreadable;
            throw AppErrorRecord(
                cuAppError::ErrorBase - number, QStringLiteral("RegViewFile"),
                cuAppError::MsgParse(MessageTable::text(number), shownName, version));
        }
        head.dialect = RegDialect::Wine;
        for (const QString& line : lines) {
            if (line.startsWith(kRelative))
                head.root = rootOf(QStringView(line).sliced(kRelative.size()));
        }
    }
    return head;
}
