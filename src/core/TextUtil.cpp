// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/TextUtil.h"

#include <algorithm>

void AddToString(QString& text, const QString& part, const QString& separator, bool skipEmpty)
{
    if (text.isEmpty())
        text = part;
    else if (!(skipEmpty && part.isEmpty()))
        text += separator + part;
}

QString AddTrailing(const QString& text, QChar ch)
{
    if (text.isEmpty() || text.endsWith(ch))
        return text;
    return text + ch;
}

QString RemoveTrailing(const QString& text, QChar ch)
{
    return text.endsWith(ch) ? text.chopped(1) : text;
}

QString StripQuotes(const QString& text)
{
    const QString t = text.trimmed();
    if (t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"')))
        return t.mid(1, t.size() - 2);
    // A lone quote is both first and last character; it is removed as well.
    if (t == QLatin1String("\""))
        return QString();
    return t;
}

QString QuoteText(const QString& text, bool forceQuotes, bool trimFirst)
{
    const QString t = trimFirst ? text.trimmed() : text;
    const bool quoted =
        t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"'));
    if (forceQuotes || !quoted)
        return QLatin1Char('"') + t + QLatin1Char('"');
    return t;
}

qint32 CountChar(const QString& text, QChar ch, bool exactCase)
{
    return qint32(text.count(ch, exactCase ? Qt::CaseSensitive : Qt::CaseInsensitive));
}

QString ReplaceFirst(const QString& text, const QString& find, const QString& replacement)
{
    if (find.isEmpty())
        return text;
    const qsizetype at = text.indexOf(find, 0, Qt::CaseInsensitive);
    if (at < 0)
        return text;
    return QString(text).replace(at, find.size(), replacement);
}

qint32 SplitList(const QString& text, QStringList& parts, const QString& separator)
{
    if (text.isEmpty())
        return 0;
    QString rest = text;
    if (!separator.isEmpty() && rest.startsWith(separator.at(0), Qt::CaseInsensitive))
        rest.remove(0, 1);
    if (separator.isEmpty() || !rest.contains(separator, Qt::CaseInsensitive)) {
        parts = QStringList{rest.trimmed()};
        return 1;
    }
    QStringList out;
    qsizetype at;
    while ((at = rest.indexOf(separator, 0, Qt::CaseInsensitive)) >= 0) {
        out << rest.left(at).trimmed();
        rest = rest.mid(at + separator.size());
    }
    if (!rest.trimmed().isEmpty())
        out << rest.trimmed();
    parts = out;
    return qint32(out.size());
}

qint32 SplitCommandLine(const QString& line, QStringList& args, qint32 maxArgs)
{
    if (maxArgs <= 0)
        maxArgs = 10;
    QStringList out;
    bool inArgument = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (c == QLatin1Char('"')) {
            const qsizetype close = line.indexOf(QLatin1Char('"'), i + 1);
            if (close > i) {
                if (out.size() >= maxArgs)
                    break;
                out << StripQuotes(line.mid(i, close - i + 1));
                i = close;
                // The character after the closing quote always begins a new argument.
                inArgument = false;
                continue;
            }
        }
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            inArgument = false;
            continue;
        }
        if (!inArgument) {
            if (out.size() >= maxArgs)
                break;
            out << QString();
            inArgument = true;
        }
        out.last() += c;
    }
    args = out;
    return qint32(out.size());
}

bool SortStringArray(QStringList& items, bool exactCase)
{
    const Qt::CaseSensitivity cs = exactCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
    std::stable_sort(items.begin(), items.end(), [cs](const QString& a, const QString& b) {
        return QString::compare(a, b, cs) < 0;
    });
    return true;
}

void AllowOnlyChars(quint16& keyCode, const QString& allowed)
{
    if (keyCode == 8)
        return;
    if (!allowed.contains(QChar(keyCode)))
        keyCode = 0;
}
