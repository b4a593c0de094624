// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// One named file mask: a name and a ";"-separated list of extensions without
// dot or wildcard ("bmp;jpg").
class pPattern {
public:
    QString Name;

    QString Value() const { return m_value; }
    // Keeps the text and rebuilds the extension array: trimmed items, sorted
    // ignoring case.
    void SetValue(const QString& text);
    const QStringList& MaskArray() const { return m_maskArray; }
    qint32 MaskCount() const { return qint32(m_maskArray.size()); }

    // The file-box patterns the mask stands for: "*.*", one "*.ext" per
    // extension and, with several, all of them joined by ";".
    QStringList ComboPatterns() const;

private:
    QString m_value;
    QStringList m_maskArray;
};
