// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "icons/IconImage.h"

#include <QByteArray>
#include <QImage>
#include <QList>

// The images of one icon (an icon file, or one icon group of a program) and
// the choice among them of the image for a wanted size, as the desktop
// chooses: exactly that size first (the most colours among those), else the
// nearest size scaled to it.
class IconGroup {
public:
    // Keeps the image when its header can be read; `directoryHeight` is the
    // height the directory gives (0 meaning 256).
    void add(const QByteArray& image, int directoryHeight);
    bool isEmpty() const { return m_entries.isEmpty(); }
    // The readable images in directory order.
    QList<IconImageInfo> images() const;
    // A size × size image; null when no image of the group can be decoded.
    QImage pick(int size) const;
    // The image scaled to fit a size × size square, its aspect kept.
    static QImage fitted(const QImage& image, int size);

private:
    struct Entry {
        QByteArray bytes;
        int directoryHeight = 0;
        IconImageInfo info;
    };
    QList<Entry> m_entries;
};
