// SPDX-License-Identifier: GPL-3.0-or-later
#include "browser/FilePattern.h"

FilePattern::FilePattern(const QString& text)
{
    for (const QString& part : text.split(QLatin1Char(';'))) {
        const QString trimmed = part.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed == QLatin1String("*.*") || trimmed == QLatin1String("*"))
            m_all = true;
        m_parts.append(trimmed.toCaseFolded());
    }
    if (m_parts.isEmpty())
        m_all = true;
}

bool FilePattern::Matches(const QString& fileName) const
{
    return m_all || MatchesFolded(fileName.toCaseFolded());
}

bool FilePattern::MatchesFolded(const QString& foldedName) const
{
    if (m_all)
        return true;
    for (const QString& part : m_parts) {
        if (WildcardMatch(part, foldedName))
            return true;
    }
    return false;
}

// Greedy matching with one back-tracking point: on a mismatch the last "*"
// swallows one more character. Linear in practice, never exponential.
bool FilePattern::WildcardMatch(QStringView pattern, QStringView name)
{
    qsizetype p = 0;
    qsizetype n = 0;
    qsizetype starAt = -1;
    qsizetype resumeAt = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == QLatin1Char('?') || pattern[p] == name[n])) {
            ++p;
            ++n;
        } else if (p < pattern.size() && pattern[p] == QLatin1Char('*')) {
            starAt = p++;
            resumeAt = n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == QLatin1Char('*'))
        ++p;
    return p == pattern.size();
}
