// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFKeyLine.h"

namespace {
// Searching ignoring case is slow; most values do not hold the first
// character of the text in either case, and that is quick to rule out.
bool containsIgnoringCase(QStringView text, const QString& find)
{
    const QChar first = find.front();
    const QChar lower = first.toLower();
    const QChar upper = first.toUpper();
    if (!text.contains(lower) && (lower == upper || !text.contains(upper)) &&
        (first == lower || first == upper || !text.contains(first)))
        return false;
    return text.contains(find, Qt::CaseInsensitive);
}
} // namespace

QStringView CNFKeyLine::TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

CNFKeyLine CNFKeyLine::Parse(QStringView line, const Options& options)
{
    CNFKeyLine result;
    QStringView value = line;
    const qsizetype equals = line.indexOf(u'=');
    if (equals >= 0) {
        result.name = TrimBlanks(line.first(equals));
        value = line.sliced(equals + 1);
    }
    value = TrimBlanks(value);
    if (value.isEmpty())
        return result;

    if (options.removeComments && !options.commentChar.isEmpty()) {
        const qsizetype comment = value.indexOf(options.commentChar, 0, Qt::CaseSensitive);
        if (comment >= 0)
            value = TrimBlanks(value.first(comment));
    }
    if (options.removeTrailingTabs && line.contains(u'\t')) {
        while (value.endsWith(u'\t'))
            value.chop(1);
        value = TrimBlanks(value);
    }
    result.value = value;
    result.hasLineBreaks =
        !options.carriageReturn.isEmpty() && containsIgnoringCase(value, options.carriageReturn);
    return result;
}

QString CNFKeyLine::Value(const Options& options) const
{
    QString text = value.toString();
    if (hasLineBreaks)
        text.replace(options.carriageReturn, QString(LineBreak), Qt::CaseInsensitive);
    return text;
}
