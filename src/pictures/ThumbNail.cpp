// SPDX-License-Identifier: GPL-3.0-or-later
#include "pictures/ThumbNail.h"

#include "core/AppErrorRecord.h"
#include "core/SafeFileWriter.h"
#include "pictures/ThumbNailLayout.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImageWriter>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {
AppErrorRecord WithPlace(const AppErrorRecord& error, const char* place)
{
    AppErrorRecord passed = error;
    passed.Source += QLatin1String(place);
    return passed;
}
} // namespace

ThumbNail::ThumbNail(QWidget* parent) : QFrame(parent)
{
    m_backColor = palette().color(QPalette::Base);
    m_timer.setSingleShot(true);
    m_timer.setInterval(1);
    connect(&m_timer, &QTimer::timeout, this, [this] { PaintPicture(); });
    setFocusPolicy(Qt::ClickFocus);
    ApplyFrame();
}

void ThumbNail::ApplyFrame()
{
    if (m_borderStyle == 0)
        setFrameStyle(QFrame::NoFrame);
    else
        setFrameStyle(m_appearance == 0 ? (QFrame::Box | QFrame::Plain)
                                        : (QFrame::Panel | QFrame::Sunken));
    setLineWidth(1);
}

void ThumbNail::SetAppearance(int appearance)
{
    m_appearance = appearance;
    ApplyFrame();
}

void ThumbNail::SetBorderStyle(int style)
{
    m_borderStyle = style;
    ApplyFrame();
}

void ThumbNail::SetBackColor(const QColor& color)
{
    m_backColor = color;
    Paint();
}

void ThumbNail::SetPaintAsync(bool async)
{
    m_paintAsync = async;
    if (!async)
        m_timer.stop();
}

void ThumbNail::SetPicture(const LoadedPicture& picture)
{
    m_picture = picture;
    Paint();
}

void ThumbNail::SetPicture(const QImage& image)
{
    LoadedPicture picture;
    picture.image = image;
    picture.naturalSize = image.size();
    SetPicture(picture);
}

void ThumbNail::SetSquare(bool square)
{
    if (square == m_square)
        return;
    m_square = square;
    resizeEvent(nullptr);
}

void ThumbNail::SetStretch(bool stretch)
{
    if (stretch == m_stretch)
        return;
    m_stretch = stretch;
    Paint();
}

QSize ThumbNail::ShownPixels() const
{
    return contentsRect().size() * devicePixelRatioF();
}

void ThumbNail::LoadPicture(const QString& fileName)
{
    try {
        if (fileName.isEmpty()) {
            m_picture = LoadedPicture();
            m_image = QPixmap();
            update();
            return;
        }
        SetPicture(PictureLoader::Load(fileName, ShownPixels()));
    } catch (const AppErrorRecord& error) {
        throw WithPlace(error, ": LoadPicture");
    }
}

void ThumbNail::SavePicture(const QString& fileName) const
{
    try {
        if (m_picture.isNull())
            throw AppErrorRecord(RuntimeError::InvalidProcedureCall, QStringLiteral("ThumbNail"),
                                 QStringLiteral("Es ist kein Bild geladen."));
        // The shown picture may be decoded smaller than it is: save the original.
        QImage full = m_picture.image;
        if (!m_picture.path.isEmpty() && full.size() != m_picture.naturalSize)
            full = PictureLoader::Load(m_picture.path, QSize()).image;
        QByteArray format = QFileInfo(fileName).suffix().toLower().toLatin1();
        if (!QImageWriter::supportedImageFormats().contains(format))
            format = "bmp";
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        if (!QImageWriter(&buffer, format).write(full))
            throw AppErrorRecord(
                RuntimeError::PathFileAccess, QStringLiteral("ThumbNail"),
                QStringLiteral("Fehler beim Zugriff auf Pfad/Datei: '%1'").arg(fileName));
        SafeFileWriter::WriteFile(fileName, bytes);
    } catch (const AppErrorRecord& error) {
        throw WithPlace(error, ": SavePicture");
    }
}

void ThumbNail::Paint()
{
    if (m_paintAsync)
        m_timer.start(); // restarts: a burst of requests paints once
    else
        PaintPicture();
}

void ThumbNail::PaintPicture()
{
    m_timer.stop();
    const QSize shown = ShownPixels();
    if (m_picture.isNull() || shown.isEmpty()) {
        m_image = QPixmap();
        update();
        return;
    }
    if (m_picture.NeedsLargerDecode(shown) && !m_picture.path.isEmpty()) {
        try {
            m_picture = PictureLoader::Load(m_picture.path, shown);
        } catch (const AppErrorRecord&) {
            // The file changed or went away since: the decode we have still shows.
        }
    }
    const ThumbNailLayout layout =
        ThumbNailLayout::Compute(shown.width(), shown.height(), m_picture.naturalSize.width(),
                                 m_picture.naturalSize.height(), m_stretch);
    QPixmap image(shown);
    image.fill(m_backColor);
    if (layout.drawPicture) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        for (const QRectF& band : layout.bands)
            painter.fillRect(band, m_backColor);
        painter.drawImage(layout.picture, m_picture.image);
    }
    image.setDevicePixelRatio(devicePixelRatioF());
    m_image = image;
    ++m_paintCount;
    update();
}

void ThumbNail::paintEvent(QPaintEvent* event)
{
    {
        QPainter painter(this);
        const QRect area = contentsRect();
        if (m_image.isNull())
            painter.fillRect(area, m_backColor);
        else
            painter.drawPixmap(area.topLeft(), m_image);
    }
    QFrame::paintEvent(event);
}

void ThumbNail::resizeEvent(QResizeEvent* event)
{
    if (event)
        QFrame::resizeEvent(event);
    if (m_inResize)
        return;
    m_inResize = true;
    if (m_square && height() != width())
        resize(width(), width());
    m_inResize = false;
    Paint();
}

void ThumbNail::mousePressEvent(QMouseEvent* event)
{
    Q_EMIT MouseDown(event->button(), event->modifiers(), event->position());
}

void ThumbNail::mouseReleaseEvent(QMouseEvent* event)
{
    Q_EMIT MouseUp(event->button(), event->modifiers(), event->position());
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT Click();
}

void ThumbNail::mouseMoveEvent(QMouseEvent* event)
{
    Q_EMIT MouseMove(event->buttons(), event->modifiers(), event->position());
}

void ThumbNail::mouseDoubleClickEvent(QMouseEvent*)
{
    Q_EMIT DblClick();
}

void ThumbNail::keyPressEvent(QKeyEvent* event)
{
    Q_EMIT KeyDown(event->key(), event->modifiers());
    if (!event->text().isEmpty())
        Q_EMIT KeyPress(event->text());
}

void ThumbNail::keyReleaseEvent(QKeyEvent* event)
{
    Q_EMIT KeyUp(event->key(), event->modifiers());
}
