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
    if (m_all)
        return true;
    // An ASCII name (most are) folds on the stack: a long listing then
    // allocates nothing per name here.
    constexpr qsizetype kOnStack = 256;
    const qsizetype size = fileName.size();
    if (size <= kOnStack) {
        char16_t folded[kOnStack];
        const char16_t* units = QStringView(fileName).utf16();
        qsizetype i = 0;
        for (; i < size && units[i] < 0x80; ++i)
            folded[i] = units[i] >= 'A' && units[i] <= 'Z' ? char16_t(units[i] + 32) : units[i];
        if (i == size)
            return MatchesFoldedView(QStringView(folded, size));
    }
    return MatchesFoldedView(fileName.toCaseFolded());
}

bool FilePattern::MatchesFolded(const QString& foldedName) const
{
    return m_all || MatchesFoldedView(foldedName);
}

bool FilePattern::MatchesFoldedView(QStringView foldedName) const
{
    for (const QString& part : m_parts) {
        if (WildcardMatch(part, foldedName))
            return true;
    }
    return false;
}
