// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

// The slideshow's picture area: the picture fitted into it (enlarged or
// reduced, at the top, centred across) on the back colour, or in its place a
// note saying why it cannot be shown.
class SlidePicture : public QWidget {
    Q_OBJECT
public:
    explicit SlidePicture(QWidget* parent = nullptr);

    void SetBackColor(const QColor& color);
    QColor BackColor() const { return m_back; }
    // `natural` is the picture's size after its orientation; the image may
    // be decoded smaller (it is drawn at the fitted size).
    void SetPicture(const QImage& image, const QSize& natural);
    void SetNote(const QString& note);
    void Clear();

    const QImage& Image() const { return m_image; }
    QString Note() const { return m_note; }
    // Where the picture goes now; empty without a picture or without room.
    QRect PictureRect() const;

Q_SIGNALS:
    // The content set last has been painted on screen for the first time.
    void Painted();
    void Clicked(Qt::MouseButton button, const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor m_back = Qt::black;
    QImage m_image;
    QSize m_natural;
    QString m_note;
    bool m_painted = true;
};
