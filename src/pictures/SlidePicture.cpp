// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/SlidePicture.h"

#include "pictures/SlideFit.h"

#include <QMouseEvent>
#include <QPainter>

SlidePicture::SlidePicture(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Image1"));
    // Everything is painted here: the window system need not clear first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
}

void SlidePicture::SetBackColor(const QColor& color)
{
    m_back = color;
    update();
}

void SlidePicture::SetPicture(const QImage& image, const QSize& natural)
{
    m_image = image;
    m_natural = natural;
    m_note.clear();
    m_painted = false;
    update();
}

void SlidePicture::SetNote(const QString& note)
{
    m_image = QImage();
    m_note = note;
    m_painted = false;
    update();
}

void SlidePicture::Clear()
{
    m_image = QImage();
    m_note.clear();
    update();
}

QRect SlidePicture::PictureRect() const
{
    if (m_image.isNull())
        return {};
    return SlideFit(size(), 0, m_natural.isValid() ? m_natural : m_image.size());
}

void SlidePicture::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), m_back);
    if (const QRect target = PictureRect(); !target.isEmpty()) {
        // Decoded at the fitted size the picture is drawn 1:1; smoothing
        // only matters while a resize waits for the new decode, and for
        // small pictures shown enlarged.
        painter.setRenderHint(QPainter::SmoothPixmapTransform,
                              m_image.size() != target.size() * devicePixelRatioF());
        painter.drawImage(target, m_image);
    } else if (!m_note.isEmpty()) {
        painter.setPen(m_back.lightness() > 128 ? Qt::black : Qt::white);
        const int margin = fontMetrics().height();
        painter.drawText(rect().adjusted(margin, margin, -margin, -margin),
                         Qt::AlignCenter | Qt::TextWordWrap, m_note);
    }
    if (!m_painted) {
        m_painted = true;
        Q_EMIT Painted();
    }
}

void SlidePicture::mouseReleaseEvent(QMouseEvent* event)
{
    if (rect().contains(event->position().toPoint()))
        Q_EMIT Clicked(event->button(), event->globalPosition().toPoint());
    QWidget::mouseReleaseEvent(event);
}
