// SPDX-License-Identifier: GPL-3.0-or-later
#include "cnf/CNFReader.h"

#include "cnf/CNFKeys.h"
#include "cnf/CNFLineSource.h"
#include "cnf/CNFMessages.h"
#include "cnf/CNFSections.h"
#include "core/cuAppError.h"

#include <cmath>

namespace {
const QString kSource = QStringLiteral("CNFFile");
}

bool CNFReader::IsSectionLine(QStringView trimmed)
{
    return trimmed.startsWith(u'[') && trimmed.contains(u']');
}

QString CNFReader::Read(CNFLineSource& lines, CNFSections& sections)
{
    m_setup.status(QStringLiteral("Header wird gelesen ..."), 0);
    QString header;
    QStringView sectionLine;
    if (!ParseHeader(lines, header, sectionLine))
        m_err.ErrRaise(-CNFMessages::NoSections, kSource, QStringLiteral("ParseHeader"), {},
                       m_setup.fileName);
    m_setup.status(QStringLiteral("Sektionen werden gelesen ..."), 0);
    ArraySections(lines, sectionLine, sections);
    m_setup.status(QStringLiteral("Fertig ..."), 100);
    return header;
}

bool CNFReader::ParseHeader(CNFLineSource& lines, QString& header, QStringView& sectionLine)
{
    bool started = false;
    QStringView line;
    while (lines.NextLine(line)) {
        const QStringView trimmed = CNFKeyLine::TrimBlanks(line);
        if (IsSectionLine(trimmed)) {
            sectionLine = trimmed;
            return true;
        }
        ++m_index;
        if (!started && trimmed.isEmpty())
            continue;
        if (started)
            header += CNFKeyLine::LineBreak;
        header += trimmed;
        started = true;
    }
    return false;
}

void CNFReader::ArraySections(CNFLineSource& lines, QStringView line, CNFSections& sections)
{
    const qsizetype last = lines.LineCount() - 1;
    const QString& commentChar = m_setup.keys.commentChar;
    static const QString reading = QStringLiteral("Datei wird gelesen ...");
    qint32 reported = -1;
    CNFSection* section = nullptr;
    do {
        const qint32 percent =
            last <= 0 ? 100 : qint32(std::lround(double(m_index) * 100.0 / double(last)));
        if (percent != reported) {
            m_setup.status(reading, percent);
            reported = percent;
        }
        if (m_index % 100 == 0) {
            m_setup.pump();
            if (*m_setup.cancel)
                m_err.ErrRaise(-CNFMessages::Cancelled, kSource, QStringLiteral("ArraySections"));
        }
        const QStringView trimmed = CNFKeyLine::TrimBlanks(line);
        if (IsSectionLine(trimmed)) {
            const qsizetype close = trimmed.indexOf(u']');
            const QStringView name = CNFKeyLine::TrimBlanks(trimmed.sliced(1, close - 1));
            section = &sections.Add(name.size() > kTakeFrom ? lines.Take(name) : name.toString());
            m_counter = 1;
        } else if (commentChar.isEmpty() ? trimmed.isEmpty()
                                         : trimmed.startsWith(commentChar, Qt::CaseInsensitive)) {
            // a comment, or an empty line where there is no comment character
        } else {
            AddKey(lines, line, *section);
        }
        ++m_index;
    } while (lines.NextLine(line));
}

void CNFReader::AddKey(CNFLineSource& lines, QStringView line, CNFSection& section)
{
    const CNFKeyLine parsed = CNFKeyLine::Parse(line, m_setup.keys);
    // The name first: taking a long value gives the line away.
    const QString name =
        parsed.name.isEmpty() ? CounterName(m_counter++) : m_names.Text(parsed.name);
    const QString value = parsed.hasLineBreaks              ? parsed.Value(m_setup.keys)
                          : parsed.value.size() > kTakeFrom ? lines.Take(parsed.value)
                                                            : m_values.Text(parsed.value);
    section.Keys().Add(name, value);
}

const QString& CNFReader::CounterName(qint32 n)
{
    // Continuation lines of exported binary values are all nameless; sharing
    // one text per number spares a copy for each of them.
    while (m_counterNames.size() < n)
        m_counterNames.append(CNFKeys::CounterName(qint32(m_counterNames.size()) + 1));
    return m_counterNames[n - 1];
}
