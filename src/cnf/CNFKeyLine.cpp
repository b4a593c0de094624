// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFKeyLine.h"

#include <cstring>

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

bool containsBreakText(QStringView value, const QString& text)
{
    return containsIgnoringCase(value, text);
}

// Qt searches bytes for a longer text with a rolling hash, which is slow
// for the short texts here: a vectorised search for the first byte, then a
// comparison, is several times quicker.
qsizetype findBytes(QByteArrayView value, const QByteArray& text)
{
    const char* data = value.data();
    const char* const end = data + value.size();
    const qsizetype size = text.size();
    for (const char* at = data; end - at >= size; ++at) {
        at = static_cast<const char*>(std::memchr(at, text.front(), size_t(end - at)));
        if (!at || end - at < size)
            return -1;
        if (std::memcmp(at, text.constData(), size_t(size)) == 0)
            return at - data;
    }
    return -1;
}

bool containsBreakText(QByteArrayView value, const QByteArray& text)
{
    return findBytes(value, text) >= 0;
}

qsizetype findComment(QStringView value, const QString& comment)
{
    return value.indexOf(comment, 0, Qt::CaseSensitive);
}

qsizetype findComment(QByteArrayView value, const QByteArray& comment)
{
    return findBytes(value, comment);
}

template <typename View> View trim(View text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == ' ')
        ++begin;
    while (end > begin && text[end - 1] == ' ')
        --end;
    return text.sliced(begin, end - begin);
}

template <typename View, typename Opts>
CNFKeyLine::Parts<View> parseLine(View line, const Opts& options)
{
    CNFKeyLine::Parts<View> result;
    View value = line;
    const qsizetype equals = line.indexOf('=');
    if (equals >= 0) {
        result.name = trim(line.first(equals));
        value = line.sliced(equals + 1);
    }
    value = trim(value);
    if (value.isEmpty())
        return result;

    if (options.removeComments && !options.commentChar.isEmpty()) {
        const qsizetype comment = findComment(value, options.commentChar);
        if (comment >= 0)
            value = trim(value.first(comment));
    }
    if (options.removeTrailingTabs && line.contains('\t')) {
        while (value.endsWith('\t'))
            value.chop(1);
        value = trim(value);
    }
    result.value = value;
    result.hasLineBreaks =
        !options.carriageReturn.isEmpty() && containsBreakText(value, options.carriageReturn);
    return result;
}

bool standsForItself(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80 || c.isLetter())
            return false;
    }
    return true;
}
} // namespace

QStringView CNFKeyLine::TrimBlanks(QStringView text)
{
    return trim(text);
}

QByteArrayView CNFKeyLine::TrimBlanks(QByteArrayView text)
{
    return trim(text);
}

CNFKeyLine::Parts<QStringView> CNFKeyLine::Parse(QStringView line, const Options& options)
{
    return parseLine(line, options);
}

CNFKeyLine::Parts<QByteArrayView> CNFKeyLine::Parse(QByteArrayView line, const ByteOptions& options)
{
    return parseLine(line, options);
}

std::optional<CNFKeyLine::ByteOptions> CNFKeyLine::ForBytes(const Options& options)
{
    if (!standsForItself(options.commentChar) || !standsForItself(options.carriageReturn))
        return std::nullopt;
    return ByteOptions{options.commentChar.toLatin1(), options.removeComments,
                       options.removeTrailingTabs, options.carriageReturn.toLatin1()};
}

QString CNFKeyLine::Value(QStringView value, bool hasLineBreaks, const Options& options)
{
    QString text = value.toString();
    if (hasLineBreaks)
        text.replace(options.carriageReturn, QString(LineBreak), Qt::CaseInsensitive);
    return text;
}
