// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icons/IconGroup.h"
#include "icons/IconImage.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

class IconCanvas;
class PeFile;

// Reads every icon of a file (a program or library: one icon per icon group;
// an icon file: its one icon) in the two standard sizes, 32 and 16 pixels.
// The images are plain values: GetPicture and IconHandle hand out copies.
class IconExtract {
public:
    static constexpr int LargeSize = 32;
    static constexpr int SmallSize = 16;

    // "Dateiname der Exe-Datei"
    QString Filename() const { return m_filename; }
    void setFilename(const QString& filename) { m_filename = filename; }

    // "Gibt die Anzahl der enthaltenen Icons zurück"
    qint32 IconCount() const { return qint32(m_icons.size()); }
    // "Gibt den Handle des Icons mit dem Index lIconIndex zurück". Any
    // non-zero lSmall0Large1 means the large icon. An index outside
    // 0 .. IconCount - 1 is a failure.
    QImage IconHandle(qint32 lIconIndex, qint32 lSmall0Large1) const;
    // Draws onto a window's drawing; exactly 1 means large. The large icon's
    // position is in twips, the small one's in pixels.
    void Draw2Form(IconCanvas& frm, qint32 lIconIndex, qint32 lLeft, qint32 lTop,
                   qint32 lSmall0Large1, bool fAutoClear) const;
    // Draws into a picture box at its top left corner; exactly 1 means large.
    void Draw2PictureBox(IconCanvas& pic, qint32 lIconIndex, qint32 lSmall0Large1,
                         bool fAutoSizePictureBox) const;
    // "Extrahiert die Icons. Return: Anzahl der Icons". A file without icons,
    // a missing or an unreadable one gives 0.
    qint32 Extract();
    // The same for the bytes of a file already in memory.
    qint32 ExtractFromData(const QByteArray& bytes);
    // Counts the file's icons without decoding a pixel: a group counts when
    // the header of one of its images reads. IconCount stays as it was;
    // Decode gives the icons one by one.
    qint32 Scan();
    qint32 ScannedCount() const { return qint32(m_groups.size()); }
    // Icon `index` of the last Scan as a size × size image (a picture that
    // is not square keeps its aspect); null when none of its images decodes.
    QImage Decode(qint32 index, int size) const;
    // "Gibt das Icon mit dem Index lIconIndex zurück. lSmall0Large1 bestimmt,
    // ob das kleine oder große Icon verwendet wird."
    QImage GetPicture(qint32 lIconIndex, qint32 lSmall0Large1) const;

    // Every image an icon holds (sizes and colour depths), in its own order.
    QList<IconImageInfo> Images(qint32 lIconIndex) const;

    // More icon groups than this in one file are not read (the largest
    // system libraries hold a few hundred).
    static constexpr qsizetype MaxIcons = 10000;

private:
    struct Icon {
        QImage large;
        QImage small;
        QList<IconImageInfo> images;
    };
    void scanFile();
    void scanPe(const PeFile& pe);
    void decodeAll();
    void addIcon(const IconGroup& group);
    const Icon& icon(qint32 index) const;

    QString m_filename;
    QList<IconGroup> m_groups;
    QList<Icon> m_icons;
};
