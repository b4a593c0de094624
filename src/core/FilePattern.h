// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// The file box pattern: one or more wildcard patterns joined by ";", "*" for
// any run of characters and "?" for one, letter case ignored. "*.*" (and an
// empty pattern) list every file, names without a dot included, as the file
// box always did.
class FilePattern {
public:
    explicit FilePattern(const QString& text = QString());

    bool MatchesEverything() const { return m_all; }
    bool Matches(const QString& fileName) const;
    // The same for a name already case-folded (saves the folding in long listings).
    bool MatchesFolded(const QString& foldedName) const;

private:
    bool MatchesFoldedView(QStringView foldedName) const;

    QStringList m_parts; // case-folded
    bool m_all = false;
};
