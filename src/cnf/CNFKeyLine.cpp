// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFKeyLine.h"

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
    result.value = value.toString();
    const QString& cr = options.carriageReturn;
    if (!cr.isEmpty() && value.contains(cr, Qt::CaseInsensitive)) {
        static const QString lineBreak(LineBreak);
        result.value.replace(cr, lineBreak, Qt::CaseInsensitive);
    }
    return result;
}
