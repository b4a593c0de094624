// SPDX-License-Identifier: GPL-3.0-or-later
#include "icons/IconCanvas.h"

#include <QPainter>

#include <cmath>

IconCanvas::IconCanvas(QSize pixels, qreal dpiX, qreal dpiY)
    : m_dpiX(dpiX > 0 ? dpiX : 96), m_dpiY(dpiY > 0 ? dpiY : 96)
{
    resizePixels(pixels);
    Cls();
}

qint32 IconCanvas::Width() const
{
    return qint32(std::lround(m_image.width() * TwipsPerPixelX()));
}

qint32 IconCanvas::Height() const
{
    return qint32(std::lround(m_image.height() * TwipsPerPixelY()));
}

void IconCanvas::setWidth(qint32 twips)
{
    resizePixels(QSize(int(std::lround(twips / TwipsPerPixelX())), m_image.height()));
}

void IconCanvas::setHeight(qint32 twips)
{
    resizePixels(QSize(m_image.width(), int(std::lround(twips / TwipsPerPixelY()))));
}

void IconCanvas::resizePixels(QSize pixels)
{
    pixels = pixels.expandedTo(QSize(0, 0));
    if (pixels == m_image.size() && !m_image.isNull())
        return;
    QImage next(pixels, QImage::Format_ARGB32);
    next.fill(BackColor);
    if (!m_image.isNull() && !next.isNull()) {
        QPainter painter(&next);
        painter.drawImage(0, 0, m_image);
    }
    m_image = next;
}

void IconCanvas::Cls()
{
    m_image.fill(BackColor);
}

void IconCanvas::Refresh()
{
    if (onRefresh)
        onRefresh();
}

void IconCanvas::drawImage(QPoint pixel, const QImage& image)
{
    if (m_image.isNull() || image.isNull())
        return;
    QPainter painter(&m_image);
    painter.drawImage(pixel, image);
}
