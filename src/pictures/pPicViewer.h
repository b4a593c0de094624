// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Which files count as pictures, plus the slideshow interval and picture
// background colour, all from the PicViewer settings key. Missing values are
// written back with their defaults on creation; a changed interval is stored
// when the object ends.
class pPicViewer {
public:
    pPicViewer();
    ~pPicViewer();
    pPicViewer(const pPicViewer&) = delete;
    pPicViewer& operator=(const pPicViewer&) = delete;

    qint32 BackColor() const { return m_backColor; }
    void SetBackColor(qint32 color) { m_backColor = color; }
    QString Pattern() const { return m_pattern; }
    QStringList MaskArray() const { return m_maskArray; }
    qint32 MaskCount() const { return qint32(m_maskArray.size()); }
    // "*. ext|*.ext" per extension, joined by "|": a file-dialog filter.
    QString PatternFilter() const { return m_patternFilter; }
    qint32 SlideShowInterval() const { return m_interval; }
    void SetSlideShowInterval(qint32 milliseconds);

    // The extensions a missing "Pattern" setting starts with.
    static QString DefaultPattern();

    bool FileIsPic(const QString& fileName) const;
    bool PathHasPics(const QString& folder) const;
    // The extensions as one file-box pattern ("*.bmp;*.jpg").
    QString FilePatternText() const;

private:
    void Init();

    qint32 m_backColor = 0;
    QString m_pattern;
    QStringList m_maskArray;
    QString m_patternFilter;
    qint32 m_interval = 5000;
    bool m_intervalChanged = false;
};
