// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/FilePattern.h"

#include "core/PathUtil.h"

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
