// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFReader.h"

#include "cnf/CNFKeys.h"
#include "cnf/CNFLineSource.h"
#include "cnf/CNFMessages.h"
#include "cnf/CNFSections.h"
#include "core/cuAppError.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

namespace {
const QString kSource = QStringLiteral("CNFFile");

// The two ways of reading lines, chosen by the type of view.
bool nextLine(CNFLineSource& lines, QStringView& line)
{
    return lines.NextLine(line);
}

bool nextLine(CNFLineSource& lines, QByteArrayView& line)
{
    return lines.NextBytes(line);
}

QStringView asText(CNFLineSource&, QStringView piece)
{
    return piece;
}

QStringView asText(CNFLineSource& lines, QByteArrayView piece)
{
    return lines.Decode(piece);
}

// Decoded 8-bit lines live in a buffer of the source that the next line
// reuses: only text the source holds whole can stay where it is.
bool canKeep(CNFLineSource& lines, QStringView)
{
    return lines.IsWide();
}

bool canKeep(CNFLineSource& lines, QByteArrayView)
{
    return lines.CanKeep();
}

bool startsWithComment(QStringView trimmed, const QString& comment, const QByteArray&)
{
    return trimmed.startsWith(comment, Qt::CaseInsensitive);
}

bool startsWithComment(QByteArrayView trimmed, const QString&, const QByteArray& comment)
{
    return trimmed.startsWith(comment);
}

template <typename View> bool isSectionLine(View trimmed)
{
    return trimmed.startsWith('[') && trimmed.contains(']');
}
} // namespace

QString CNFReader::Read(CNFLineSource& lines, CNFSections& sections)
{
    if (!lines.IsWide()) {
        m_byteKeys = CNFKeyLine::ForBytes(m_setup.keys);
        if (m_byteKeys)
            return ReadAs<QByteArrayView>(lines, sections);
    }
    return ReadAs<QStringView>(lines, sections);
}

template <typename View> QString CNFReader::ReadAs(CNFLineSource& lines, CNFSections& sections)
{
    m_setup.status(QStringLiteral("Header wird gelesen ..."), 0);
    QString header;
    View sectionLine;
    if (!ParseHeader(lines, header, sectionLine))
        m_err.ErrRaise(-CNFMessages::NoSections, kSource, QStringLiteral("ParseHeader"), {},
                       m_setup.fileName);
    m_setup.status(QStringLiteral("Sektionen werden gelesen ..."), 0);
    ArraySections(lines, sectionLine, sections);
    m_setup.status(QStringLiteral("Fertig ..."), 100);
    return header;
}

template <typename View>
bool CNFReader::ParseHeader(CNFLineSource& lines, QString& header, View& sectionLine)
{
    bool started = false;
    View line;
    while (nextLine(lines, line)) {
        const View trimmed = CNFKeyLine::TrimBlanks(line);
        if (isSectionLine(trimmed)) {
            sectionLine = trimmed;
            return true;
        }
        ++m_index;
        if (!started && trimmed.isEmpty())
            continue;
        if (started)
            header += CNFKeyLine::LineBreak;
        header += asText(lines, trimmed);
        started = true;
    }
    return false;
}

void CNFReader::Progress()
{
    static const QString reading = QStringLiteral("Datei wird gelesen ...");
    if (m_index >= m_nextPercent) {
        const qint32 percent =
            m_last <= 0 ? 100 : qint32(std::lround(double(m_index) * 100.0 / double(m_last)));
        if (percent != m_reported) {
            m_setup.status(reading, percent);
            m_reported = percent;
        }
        // The percentage cannot change before this line; a line early, so
        // that rounding never lets a change pass unseen.
        const double next = (double(percent) + 0.5) * double(m_last) / 100.0;
        m_nextPercent = std::max(m_index + 1, qsizetype(next) - 1);
    }
    if (m_index % 100 == 0) {
        m_setup.pump();
        if (*m_setup.cancel)
            m_err.ErrRaise(-CNFMessages::Cancelled, kSource, QStringLiteral("ArraySections"));
    }
}

template <typename View>
void CNFReader::ArraySections(CNFLineSource& lines, View line, CNFSections& sections)
{
    m_last = lines.LineCount() - 1;
    const QString& commentChar = m_setup.keys.commentChar;
    const QByteArray byteComment = m_byteKeys ? m_byteKeys->commentChar : QByteArray();
    CNFTextStore& store = sections.TextStore();
    store.encoding = lines.encoding();
    store.keys = m_setup.keys;
    store.byteKeys = m_byteKeys;
    store.wholeKeyLines = m_setup.wholeKeyLines;
    CNFSection* section = nullptr;
    do {
        Progress();
        const View trimmed = CNFKeyLine::TrimBlanks(line);
        if (isSectionLine(trimmed)) {
            section = &AddSection(lines, trimmed, sections);
            m_counter = 1;
        } else if (commentChar.isEmpty() ? trimmed.isEmpty()
                                         : startsWithComment(trimmed, commentChar, byteComment)) {
            // a comment, or an empty line where there is no comment character
        } else if (canKeep(lines, line) && section->Keys().TakesPending(store)) {
            PendKey(lines, trimmed, section->Keys(), store);
        } else {
            AddKey(lines, line, *section, store);
        }
        ++m_index;
    } while (nextLine(lines, line));
}

template <typename View>
CNFSection& CNFReader::AddSection(CNFLineSource& lines, View trimmed, CNFSections& sections)
{
    const qsizetype close = m_setup.wholeKeyLines ? trimmed.lastIndexOf(']') : trimmed.indexOf(']');
    const View name = CNFKeyLine::TrimBlanks(trimmed.sliced(1, close - 1));
    // A name with brackets of its own loses them (CNFSection::StripBrackets),
    // unless key lines are whole: its text is then not what it is filed
    // under.
    const bool whole = m_setup.wholeKeyLines;
    if (canKeep(lines, name) && (whole || (!name.startsWith('[') && !name.endsWith(']')))) {
        const quint32 hash = NameHash(lines, name);
        return sections.AddRead(lines.Keep(name, sections.TextStore()), hash, whole);
    }
    const QStringView text = asText(lines, name);
    return sections.AddRead(text.size() > kTakeFrom ? lines.Take(text) : text.toString(),
                            m_setup.wholeKeyLines);
}

template <typename View>
void CNFReader::PendKey(CNFLineSource& lines, View trimmed, CNFKeys& keys, CNFTextStore& store)
{
    const CNFRawText kept = lines.Keep(trimmed, store);
    CNFPendingLine pending{kept.data, kept.size, 0};
    if (m_setup.wholeKeyLines) {
        keys.AddPending(store, pending, 0);
        return;
    }
    const View name = ParseKey(trimmed).name;
    const qint32 counter = m_counter;
    if (name.isEmpty())
        pending.hash = CounterHash(m_counter++);
    else
        pending.hash = NameHash(lines, name);
    keys.AddPending(store, pending, counter);
}

template <typename View>
void CNFReader::AddKey(CNFLineSource& lines, View line, CNFSection& section, CNFTextStore& store)
{
    CNFKeys& keys = section.Keys();
    const bool keep = canKeep(lines, line);
    if (m_setup.wholeKeyLines) {
        const View value = CNFKeyLine::TrimBlanks(line);
        const QString& name = CounterName(keys.Count() + 1);
        if (keep)
            keys.AddRead(name, {}, lines.Keep(value, store), false);
        else
            keys.AddRead(name, ValueText(lines, value), {}, false);
        return;
    }
    const CNFKeyLine::Parts<View> parsed = ParseKey(line);
    // The name first: taking a long value gives the line away.
    const QString name =
        parsed.name.isEmpty() ? CounterName(m_counter++) : NameText(lines, parsed.name);
    if (parsed.hasLineBreaks)
        keys.AddRead(name, CNFKeyLine::Value(asText(lines, parsed.value), true, m_setup.keys), {},
                     true);
    else if (keep && !parsed.value.isEmpty())
        keys.AddRead(name, {}, lines.Keep(parsed.value, store), true);
    else
        keys.AddRead(name, ValueText(lines, parsed.value), {}, true);
}

template <typename View> CNFKeyLine::Parts<View> CNFReader::ParseKey(View line) const
{
    if constexpr (std::is_same_v<View, QStringView>)
        return CNFKeyLine::Parse(line, m_setup.keys);
    else
        return CNFKeyLine::Parse(line, *m_byteKeys);
}

quint32 CNFReader::NameHash(CNFLineSource& lines, QByteArrayView name)
{
    for (const char byte : name) {
        if (quint8(byte) >= 0x80)
            return CNFNameIndex::Hash(lines.Decode(name));
    }
    return CNFNameIndex::HashAscii(name);
}

quint32 CNFReader::NameHash(CNFLineSource&, QStringView name)
{
    return CNFNameIndex::Hash(name);
}

quint32 CNFReader::CounterHash(qint32 n)
{
    while (m_counterHashes.size() < size_t(n))
        m_counterHashes.push_back(
            CNFNameIndex::Hash(CounterName(qint32(m_counterHashes.size()) + 1)));
    return m_counterHashes[size_t(n) - 1];
}

template <typename View> QString CNFReader::NameText(CNFLineSource& lines, View name)
{
    const QStringView text = asText(lines, name);
    return text.size() > kTakeFrom ? lines.Take(text) : m_names.Text(text);
}

template <typename View> QString CNFReader::ValueText(CNFLineSource& lines, View value)
{
    const QStringView text = asText(lines, value);
    return text.size() > kTakeFrom ? lines.Take(text) : m_values.Text(text);
}

const QString& CNFReader::CounterName(qint32 n)
{
    // Continuation lines of exported binary values are all nameless; sharing
    // one text per number spares a copy for each of them.
    while (m_counterNames.size() < n)
        m_counterNames.append(CNFKeys::CounterName(qint32(m_counterNames.size()) + 1));
    return m_counterNames[n - 1];
}
