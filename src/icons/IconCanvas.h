// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>

#include <functional>

// The persistent drawing of a window or picture box (what it keeps with
// AutoRedraw on): an image in pixels whose size is given in twips, as the
// icon drawing calls expect. A window shows image() and repaints itself from
// onRefresh.
class IconCanvas {
public:
    explicit IconCanvas(QSize pixels = QSize(), qreal dpiX = 96, qreal dpiY = 96);

    bool AutoRedraw = false;
    QColor BackColor = Qt::white;
    std::function<void()> onRefresh;

    qreal TwipsPerPixelX() const { return 1440.0 / m_dpiX; }
    qreal TwipsPerPixelY() const { return 1440.0 / m_dpiY; }
    // Width and height in twips; setting them resizes the image (rounded to
    // whole pixels) and keeps what was drawn.
    qint32 Width() const;
    qint32 Height() const;
    void setWidth(qint32 twips);
    void setHeight(qint32 twips);

    void Cls(); // fills the image with BackColor
    void Refresh();
    // Draws an image over what is there (transparent parts let it show).
    void drawImage(QPoint pixel, const QImage& image);

    const QImage& image() const { return m_image; }

private:
    void resizePixels(QSize pixels);

    qreal m_dpiX;
    qreal m_dpiY;
    QImage m_image;
};
